#pragma once
#include <QByteArrayView>
#include <QString>
#include <QVector>

#include <array>
#include <optional>
#include <string_view>

// What the pay summary and the monthly statistics share.
namespace Compensation {

// The month names of the interval lists and of the chart, January first.
inline constexpr std::array<std::string_view, 12> MonthNames{
    "Gennaio", "Febbraio", "Marzo",     "Aprile",  "Maggio",   "Giugno",
    "Luglio",  "Agosto",   "Settembre", "Ottobre", "Novembre", "Dicembre"};

// A refused request: the message, its kind, and the box that gets the focus (empty: the
// focus does not move).
struct Refusal {
    enum Kind { Warning, Notice };
    Kind kind;
    QString text;
    QString focus;
};

// The year box must hold exactly four characters, as typed.
std::optional<Refusal> checkYear(const QString &anno);

// A card left out of a summary or chart because one of its texts does not convert, or because
// a field's length byte is past the field's width (its texts cannot be trusted).
struct SkippedCard {
    enum Reason { BadDate, BadTotal, BadHours, Damaged };
    SkippedCard() = default;
    SkippedCard(qint64 position, Reason reason, const QString &log = QString())
        : position(position), reason(reason), log(log)
    {
    }
    qint64 position = 0;   // 1-based, as the work screen shows it
    Reason reason = BadDate;
    QString log;       // the file name, when the cards come from more than one log
};

// The one notice that tells the user which cards were left out of `where` ("riepilogo",
// "grafico", "rendiconto"), a line per reason; empty when none was.
QString skippedNotice(const QVector<SkippedCard> &skipped, const QString &where);

// A stored amount (its bytes trimmed as the load rule trims) read as a number with the
// decimal comma; plain "123,45" is read straight from the bytes.
std::optional<double> storedAmount(QByteArrayView trimmed);

}
