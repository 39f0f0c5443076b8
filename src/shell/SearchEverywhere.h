#pragma once
#include "archive/FindEngine.h"
#include "archive/RecordLayout.h"

#include <QString>
#include <QVector>

// One search over every archive of the data folder: a text looked for in every field of
// every card, with the finds' rule (as typed, letters A-Z without regard to case).
namespace SearchEverywhere {

// An archive kind as the finds know it: its layout, its find's filters and result line.
struct Kind {
    const char *name;   // as ArchiveKinds names it: "lavoratori", "orari", "turni", ...
    const RecordLayout &(*layout)();
    const QVector<Find::FilterBox> &(*filters)();
    const Find::LineBuilder &(*line)();
};
const Kind *kind(const QString &name);

// An archive of the data folder.
struct Archive {
    QString path;
    QString fileName;
    const Kind *kind = nullptr;
    QString title;   // in words: "Lavoratori", "Registro lavori 2024"
    int year = 0;    // 0 for the archives of no year
};
// Sorted by file name.
QVector<Archive> archives(const QString &folder);

struct Hit {
    int archive = 0;     // index into Result::archives
    qint64 card = 0;     // 1-based
    QString field;       // the record's field where the text was first found
    QString line;        // the card's line as its find screen shows it
};

struct Result {
    bool ok = true;      // false: an archive could not be read to its end (error says which)
    QString error;
    QVector<Archive> archives;
    QVector<Hit> hits;   // by file name, then card number
    // Cards with a field longer than its room: not searched, named here by file and number.
    QVector<QPair<QString, qint64>> damaged;
};

// The shortest text searched for.
constexpr int MinimumLength = 2;

Result search(const QString &folder, const QString &text);

// The notice for the damaged cards left out, empty when none was.
QString damagedNotice(const Result &result);

}
