#pragma once
#include "archive/FindEngine.h"

#include <QDate>

// What the project find, the expired-projects summary and the project import know of <year>.prg.
namespace ProjectFind {

// "2017.prg" from the year as typed (trimmed).
QString fileName(const QString &year);
// The ten filters, in their Enter order.
const QVector<Find::FilterBox> &filters();
// Where the due date ends in a project line (name 40, "  Cod. " and 26, "  Inizio: " and 10,
// "  Scad. " and 10).
constexpr int DueDateColumnEnd = 40 + 7 + 26 + 10 + 10 + 8 + 10;
// Name, code, start and due dates, responsible person and telephone.
const Find::LineBuilder &line();
QString listTitle();

// A project is expired when today is past its due date and it is not marked finished; an
// open project whose due date does not convert cannot be judged.
enum class State { Expired, Current, Unreadable };
State state(const char *record, const QDate &today);
QString expiredTitle();

struct Expired {
    Find::Listing listing;
    int unreadable = 0;   // open projects skipped because their due date did not convert
};
Expired expired(const QString &path, const QDate &today);
QString unreadableNotice(int count);

// The stored finished mark: "Sì" or "No".
inline const QString TerminatoSi = QStringLiteral("S\u00ec");
inline const QString TerminatoNo = QStringLiteral("No");

}
