#pragma once
#include "archive/FindEngine.h"
#include "archive/ResultLines.h"
#include "compensation/Compensation.h"

#include <QDate>
#include <QStringList>

// The pay summary of an interval of one year's work log, for one worker or for all.
namespace PaySummary {

// A summary line begins with the activity, the longest column, padded to this width.
constexpr int ActivityColumnWidth = 44;

using Compensation::Refusal;
using Compensation::SkippedCard;

// What the set-up screen holds when "Visualizza riepilogo" is clicked.
struct Request {
    QString anno;   // txtAnno as typed; the interval dates take its trimmed text as year
    QString giornoInizio, meseInizio, giornoFine, meseFine;
};

struct Checked {
    std::optional<Refusal> refusal;   // the first check that failed, if any
    QString dataInizio, dataFine;     // lblDataInizio, lblDataFine as the checks leave them
    QDate start, end;                 // both valid when there is no refusal
    QString fileName;                 // "<year>.lav", to put after the program folder
};
Checked check(const Request &request);

// The notice for any other failure: the archive could not be read.
QString archiveNotice();

// titTipologia: the trimmed codice fiscale, or "Tutti i lavoratori".
QString heading(const QString &codFisc);
// lblIntervallo.
QString intervalText(const QString &dataInizio, const QString &dataFine);
// One list line from the stored texts of a card.
QString line(const QString &attivita, const QString &data, const QString &cognome,
             const QString &nome, const QString &codFisc, const QString &recapito,
             const QString &totDovuto);
// lblTotCosti from the running total: the amount rule with four decimals.
QString totalText(double total);

struct Filter {
    QString codFisc;   // txtTipologia; blank means every worker, else a substring of CodFisc
    QDate start, end;  // both included
};

struct Summary {
    bool readOk = true;        // false: the archive could not be read to the end; lines and
    QString errorText;         //   total then cover only the cards read before the failure
    ListOrder::Lines lines;    // in list order, each decoded when asked for
    double total = 0;
    QString totalText = QStringLiteral("0,00");
    // Cards of the worker whose date does not convert, and cards listed by date whose total
    // does not convert: neither listed nor added up, so one bad card spoils nothing else.
    QVector<SkippedCard> skipped;
};
// Reads the archive once; a missing archive is created empty.
Summary build(const QString &path, const Filter &filter);

// The notice for the cards left out, empty when none was.
QString skippedNotice(const Summary &summary);

// Printing.
QString emptyPrintWarning();
QString printQuestion();
QString printTitle(const QString &heading);
// The body: every list line, then the dashes, the interval and the total.
QStringList printBody(const QStringList &lines, const QString &intervalText, const QString &totalText);

}
