#pragma once
#include "compensation/Compensation.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// What a project has cost: the works of the work log whose project code is the project's,
// by worker and by month, with the hours and the amounts due added exactly in hundredths.
namespace ProjectReport {

struct Request {
    QStringList logs;                // the year logs to read, in order
    QString code;                    // the project's code: trimmed, letters A-Z in any case
    std::optional<QDate> from, to;   // both included; none: every date
};

struct Sums {
    int works = 0;
    qint64 hours = 0;   // hundredths
    qint64 due = 0;     // hundredths of a euro
};

// The works of one codice fiscale (compared upper-cased and trimmed), named as its latest
// card names the worker; works with no codice fiscale are grouped by name.
struct WorkerLine {
    QString codFisc, cognome, nome;
    Sums sums;
};

struct MonthLine {
    int year = 0, month = 0;
    Sums sums;
};

struct Report {
    bool ok = true;        // false: a log could not be read to its end (error says which)
    QString error;
    QStringList logsRead;              // file names of the logs found and read, in order
    std::vector<WorkerLine> workers;   // by surname, name, codice fiscale
    std::vector<MonthLine> months;     // in calendar order
    Sums total;
    // Cards of the project left out, each naming its log: damaged, or date, hours or amount
    // unreadable.
    QVector<Compensation::SkippedCard> skipped;
};

// Reads each log once; a missing log counts as empty.
Report build(const Request &request);

// "1234,56": hundredths with a decimal comma, two decimals, no thousands separator.
QString hundredths(qint64 value);

// The part of an estimate used, in per cent with one decimal ("12,5"); empty when the
// estimate is not a positive amount.
QString percentOf(qint64 used, qint64 estimate);

// A stored amount or hours text in hundredths, rounded to the nearest; none when it does
// not read as a number with the rule of the pay summary.
std::optional<qint64> storedHundredths(QByteArrayView trimmed);

}
