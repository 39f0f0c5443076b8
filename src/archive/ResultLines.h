#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QVector>

// Result lines kept as bytes, sorted in the order of ListOrder::compare (FindEngine.h).
namespace ListOrder {

// The lines of a result list built as Windows-1252 bytes: sorted once, in the order of
// less(), and turned into text only when a line is asked for, so a list of tens of
// thousands of lines costs little more than its bytes. Lines that compare equal keep the
// order in which they were added.
class Lines
{
public:
    void reserve(qsizetype lines, qsizetype bytes);
    void append(QByteArrayView cp1252);
    void sort();

    qsizetype size() const { return m_spans.size(); }
    bool isEmpty() const { return m_spans.isEmpty(); }
    QString at(qsizetype i) const;
    QStringList toStringList() const;

private:
    struct Span {
        qsizetype at;
        qsizetype size;
    };
    QByteArray m_text;   // the lines back to back
    QVector<Span> m_spans;
};

}
