#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QVector>

#include <vector>

// The order of every result list: character codes of the Windows-1252 text, with the
// letters A-Z taken as equal to a-z and no other folding. Lines kept in that order are
// ListOrder::Lines; the functions below order single texts the same way.
namespace ListOrder {

int compare(QByteArrayView a, QByteArrayView b);
int compare(const QString &a, const QString &b);
inline bool less(const QString &a, const QString &b) { return compare(a, b) < 0; }
// Equal lines keep the order they came in.
void sort(QStringList &lines);

// The lines of a result list built as Windows-1252 bytes: sorted once, in the order of
// less(), and turned into text (or UTF-8) only when a line is asked for, so a list of tens
// of thousands of lines costs little more than its bytes. Lines that compare equal keep
// the order in which they were added.
class Lines
{
public:
    void reserve(qsizetype lines, qsizetype bytes);
    void append(QByteArrayView cp1252);
    // Appends one line that write(QByteArray &text) appends to the end of text.
    template <class Write>
    void appendWritten(Write &&write);
    void sort();
    // Lists each already sorted made one sorted list, as if every line had been appended to
    // one list in turn and that sorted: equal lines keep the order of the lists, then their
    // own, and addedAs() counts on from one list to the next.
    static Lines merged(std::vector<Lines> &&sorted);

    qsizetype size() const { return m_spans.size(); }
    bool isEmpty() const { return m_spans.isEmpty(); }
    QByteArrayView bytes(qsizetype i) const;
    QString at(qsizetype i) const;
    QStringList toStringList() const;
    // Where line i stood among the appended lines (0 for the first one appended).
    qsizetype addedAs(qsizetype i) const { return m_spans.at(i).added; }

    // Line i as UTF-8 at out, which must have room for utf8Room(i) bytes; returns the end.
    char *utf8(qsizetype i, char *out) const;
    qsizetype utf8Room(qsizetype i) const { return 3 * qsizetype(m_spans.at(i).size) + 1; }

    struct Span {
        qsizetype at;   // in m_text, or in a block of m_blocks (its number above BlockShift)
        qint32 size;
        qint32 added;
    };

private:
    void grow();
    void gather();
    static constexpr int BlockShift = 44;
    const char *textOf(const Span &s) const
    {
        const qsizetype block = s.at >> BlockShift;
        const qsizetype offset = s.at & ((qsizetype(1) << BlockShift) - 1);
        return (block == 0 ? m_text : m_blocks[size_t(block - 1)]).constData() + offset;
    }
    QByteArray m_text;   // the lines back to back
    // The texts of the other lists a merged list was made of, kept where they are.
    std::vector<QByteArray> m_blocks;
    QVector<Span> m_spans;
};

template <class Write>
void Lines::appendWritten(Write &&write)
{
    grow();
    const qsizetype at = m_text.size();
    write(m_text);
    m_spans.append(Span{at, qint32(m_text.size() - at), qint32(m_spans.size())});
}

}
