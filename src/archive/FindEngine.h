#pragma once
#include "archive/RecordLayout.h"
#include "archive/ResultLines.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <vector>

namespace Find {

// A filter box of a find screen: its name, its label and the field it is compared with.
struct FilterBox {
    QString box;
    QString label;
    QString field;
};

// One filter box as typed (untrimmed), compared with one field of the record.
struct Filter {
    int field;
    QString text;
};

// The match rule. N counts the filters whose trimmed text is not empty; M counts the filters
// whose text, as typed and lower-cased (A-Z only), occurs in the field lower-cased the same
// way; a record matches when M >= N. A filter made only of blanks is not counted in N but
// still adds to M, and a filter holding a character the code page lacks never occurs.
class Matcher
{
public:
    Matcher(const RecordLayout &layout, const QVector<Filter> &filters);
    int inUse() const { return m_inUse; }
    bool matches(const char *record) const;

private:
    struct Needle {
        RecordLayout::Field field;
        QByteArray bytes;   // lower-cased Windows-1252
    };
    std::vector<Needle> m_needles;
    int m_inUse = 0;
};

// Appends a record's result line, as Windows-1252 bytes, to out.
using LineBuilder = std::function<void(const char *record, QByteArray &out)>;

// A column of a result line: the caption, then the fields' trimmed texts joined by one
// blank, padded with blanks or cut to exactly width characters (width 0: in full).
struct Column {
    QString caption;
    QStringList fields;
    int width = 0;
};
LineBuilder columnLine(const RecordLayout &layout, const QVector<Column> &columns);

// Trims bytes of code 32 or less at both ends. Inline: the finds and the export call it for
// every field of every card.
inline QByteArrayView trimmedBytes(QByteArrayView bytes)
{
    qsizetype b = 0, e = bytes.size();
    while (b < e && static_cast<unsigned char>(bytes[b]) <= 32)
        ++b;
    while (e > b && static_cast<unsigned char>(bytes[e - 1]) <= 32)
        --e;
    return bytes.sliced(b, e - b);
}

struct Listing {
    bool ok = false;
    QString error;
    ListOrder::Lines lines;   // sorted
    int unreadable = 0;       // cards the rule could not judge (Verdict::Unreadable)
};

// What a list does with a card: pass it over, list it, or pass it over as one it cannot judge.
enum class Verdict { Pass, List, Unreadable };

// Reads the whole archive on every core (ArchiveScan) and returns, sorted, the line of every
// record that judge lists: each range's lines are built and sorted on its own thread, then
// merged, the same list one thread gives. Only the listed lines are built; none is decoded
// here. judge and line run on several threads at once: they must not change anything shared.
// On a read failure ok is false and lines holds what was listed before it.
// Expect::Most, when nearly every card will be listed, has each next card asked of memory
// while this one is looked at (see ArchiveScan): the lines take fields from all over it.
enum class Expect { Few, Most };
Listing list(const QString &path, const RecordLayout &layout,
             const std::function<Verdict(qint64 n, const char *record)> &judge, const LineBuilder &line,
             Expect expect = Expect::Few);
// The same with a rule that only keeps or passes over.
Listing list(const QString &path, const RecordLayout &layout,
             const std::function<bool(qint64 n, const char *record)> &keep, const LineBuilder &line,
             Expect expect = Expect::Few);

// The search of a find screen: the records matching the filters, as sorted lines.
Listing search(const QString &path, const RecordLayout &layout, const QVector<Filter> &filters,
               const LineBuilder &line);

// The pick: hands over, in file order, every record whose line, trimmed, equals the picked
// line, trimmed. The records are looked for on every core; hand runs on the calling thread.
// Returns false when the archive could not be read to the end.
bool pick(const QString &path, const RecordLayout &layout, const LineBuilder &line, const QString &picked,
          const std::function<void(qint64 n, const char *record)> &hand);

}
