#pragma once
#include "archive/FindEngine.h"

#include <QDate>

// What the worker find screen and the contract summary know of Dipendenti.pro.
namespace WorkerFind {

// The ten filters, in their Enter order.
const QVector<Find::FilterBox> &filters();
// "Cognome Nome", tax code, job, telephone and notes.
const Find::LineBuilder &line();
QString listTitle();

// A contract is due once today reaches its expiry date less the notice days; one whose
// expiry or notice days do not convert cannot be judged.
enum class Contract { Due, NotDue, Unreadable };
Contract contract(const char *record, const QDate &today);

// Name, telephone, expiry, total, instalment and contract type.
const Find::LineBuilder &contractLine();
// A contract line up to "Tipo: " and the first 20 characters of the contract's type: what the
// list keeps in view without scrolling.
constexpr int ContractColumnsInView = 30 + 7 + 12 + 8 + 10 + 9 + 12 + 10 + 12 + 8 + 20;
QString contractTitle();

struct Expiring {
    Find::Listing listing;
    int unreadable = 0;   // cards skipped because their dates did not convert
};
// Every due contract of the archive at path, sorted.
Expiring expiring(const QString &path, const QDate &today);
// How many contracts are due, without building their lines; a missing archive has none
// and is not created.
struct DueCount {
    bool ok = true;
    qint64 due = 0;
};
DueCount countDue(const QString &path, const QDate &today);
// The notice shown after the list when some cards could not be judged.
QString unreadableNotice(int count);

}
