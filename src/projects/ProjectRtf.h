#pragma once
#include <QByteArray>
#include <QString>
#include <QVector>

#include <functional>

class Record;

// The project card as an RTF document, Scheda_Progetto.rtf, for any word processor.
namespace ProjectRtf {

QString fileName();   // "Scheda_Progetto.rtf"

// The labelled values in document order: the caption and the field each one shows.
struct Entry {
    const char *prefix;
    const char *field;
};
const QVector<Entry> &entries();

// The document from each field's text as shown (trimmed here). Backslash and braces become
// control symbols, line breaks \line, and characters the code page lacks \uN? escapes.
QByteArray document(const std::function<QString(const QString &field)> &value);
// The same from a stored card.
QByteArray document(const Record &record);

// Writes the bytes to path through a temporary file in the same folder, renamed over the
// old document only once every byte is on disk: a failed write leaves the old one whole.
bool write(const QString &path, const QByteArray &bytes, QString *error = nullptr);

QString confirmQuestion();
QString doneQuestion();
QString failedNotice();

}
