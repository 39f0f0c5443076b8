#pragma once
#include <QDate>
#include <QString>
#include <optional>

// The small text, number and date routines every screen shares.
namespace Routines {

bool isDigits(const QString &text);                 // empty text counts as digits
QString leftPart(const QString &text, int n);
QString rightPart(const QString &text, int n);

// trunc(x * 10^n + 0.5) / 10^n, evaluated in extended precision from the double value.
double roundTo(double x, int decimals);

// Removes leading and trailing characters whose code is 32 or less.
QString trimmed(const QString &text);
// Letters a-z to A-Z and back; every other character is left alone.
QString upperAZ(const QString &text);
QString lowerAZ(const QString &text);

// The date rule: "d/m[/y[/]]" with optional blanks; two-digit years fall in the hundred
// years starting 50 years before today's year.
std::optional<QDate> parseDate(const QString &text, const QDate &today);
std::optional<QDate> parseDate(const QString &text);   // today from Clock
bool isDate(const QString &text);
QString dateText(const QDate &date);                   // "dd/mm/yyyy"

// Decimal-comma numbers: parse fails on anything that is not a number (empty included).
std::optional<double> parseNumber(const QString &text);
// Shortest text, at most 15 significant digits, decimal comma, no grouping.
QString numberText(double value);

// Normalises an amount box keeping at most k decimals and at least two.
QString amountRule(const QString &text, int keptDecimals);
// How a typed or pasted amount is read before the amount rule: points are thousands
// separators beside a comma, or without one where they group the digits by three ("1.234",
// "1.234.567"); otherwise a single point before one or two last digits is the decimal comma.
QString amountReading(const QString &text);

}
