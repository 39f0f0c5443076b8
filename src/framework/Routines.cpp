#include "framework/Routines.h"

#include "framework/Clock.h"

#include <QRegularExpression>

#include <cmath>

namespace Routines {

bool isDigits(const QString &text)
{
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

QString leftPart(const QString &text, int n)
{
    return n <= 0 ? QString() : text.left(n);
}

QString rightPart(const QString &text, int n)
{
    return n <= 0 ? QString() : text.right(n);
}

double roundTo(double x, int decimals)
{
    // Taken literally, trunc(x * f + 0.5) turns -1 into -0,9999; negatives round as their
    // opposite does.
    if (x < 0)
        return -roundTo(-x, decimals);
    // Extended precision on purpose: this is what makes 2,345 give 2,35 while
    // 1,005 gives 1,00 and 2,675 gives 2,67, the figures users already have on paper.
    long double f = 1.0L;
    for (int i = 0; i < decimals; ++i)
        f *= 10.0L;
    const long double r = std::trunc(static_cast<long double>(x) * f + 0.5L) / f;
    return static_cast<double>(r) + 0.0;   // + 0.0 turns -0 into 0
}

QString trimmed(const QString &text)
{
    qsizetype b = 0, e = text.size();
    while (b < e && text.at(b).unicode() <= 32)
        ++b;
    while (e > b && text.at(e - 1).unicode() <= 32)
        --e;
    return text.mid(b, e - b);
}

QString upperAZ(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    return out;
}

QString lowerAZ(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    return out;
}

namespace {
struct Cursor {
    const QString &s;
    qsizetype i = 0;
    void skipBlanks()
    {
        while (i < s.size() && s.at(i) == QLatin1Char(' '))
            ++i;
    }
    bool atEnd() const { return i >= s.size(); }
    bool take(QChar c)
    {
        if (i < s.size() && s.at(i) == c) {
            ++i;
            return true;
        }
        return false;
    }
    // Digits after optional blanks; returns the count of digits read (0 if none).
    int number(int &value)
    {
        skipBlanks();
        int count = 0;
        value = 0;
        while (i < s.size() && s.at(i).isDigit() && s.at(i).unicode() < 128) {
            if (value < 100000)
                value = value * 10 + (s.at(i).unicode() - '0');
            ++i;
            ++count;
        }
        return count;
    }
};
}

std::optional<QDate> parseDate(const QString &text, const QDate &today)
{
    Cursor c{text};
    int day = 0, month = 0, year = today.year();
    if (c.number(day) == 0 || !c.take(QLatin1Char('/')) || c.number(month) == 0)
        return std::nullopt;
    if (c.take(QLatin1Char('/'))) {
        int y = 0;
        const int digits = c.number(y);
        if (digits == 0 || digits > 4)
            return std::nullopt;
        if (digits <= 2) {
            const int first = today.year() - 50;
            year = first / 100 * 100 + y;
            if (year < first)
                year += 100;
        } else {
            year = y;
        }
        c.take(QLatin1Char('/'));
    }
    c.skipBlanks();
    if (!c.atEnd())
        return std::nullopt;
    if (year < 1 || year > 9999 || !QDate::isValid(year, month, day))
        return std::nullopt;
    return QDate(year, month, day);
}

std::optional<QDate> parseDate(const QString &text)
{
    return parseDate(text, Clock::today());
}

bool isDate(const QString &text)
{
    return parseDate(text).has_value();
}

QString dateText(const QDate &date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

std::optional<double> parseNumber(const QString &text)
{
    // Optional blanks and sign, digits with an optional decimal comma (",5" and "5," are
    // numbers), an optional exponent, optional blanks; nothing else.
    QString s = text.trimmed();
    qsizetype i = 0;
    QByteArray c;
    if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')))
        c += char(s[i++].unicode());
    int digits = 0;
    while (i < s.size() && s[i] >= QLatin1Char('0') && s[i] <= QLatin1Char('9')) {
        c += char(s[i++].unicode());
        ++digits;
    }
    if (i < s.size() && s[i] == QLatin1Char(',')) {
        c += '.';
        ++i;
        while (i < s.size() && s[i] >= QLatin1Char('0') && s[i] <= QLatin1Char('9')) {
            c += char(s[i++].unicode());
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < s.size() && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
        c += 'e';
        ++i;
        if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')))
            c += char(s[i++].unicode());
        int exp = 0;
        while (i < s.size() && s[i] >= QLatin1Char('0') && s[i] <= QLatin1Char('9')) {
            c += char(s[i++].unicode());
            ++exp;
        }
        if (exp == 0)
            return std::nullopt;
    }
    if (i != s.size())
        return std::nullopt;
    bool ok = false;
    const double v = c.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

QString numberText(double value)
{
    if (value == 0)
        value = 0;   // no "-0"
    QString s = QString::number(value, 'g', 15);
    // Amounts never show an exponent: a figure that large is written out in full.
    if (s.contains(QLatin1Char('e')))
        s = QString::number(value, 'f', std::fabs(value) >= 1 ? 0 : 15);
    s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
}

QString amountRule(const QString &text, int keptDecimals)
{
    const auto value = parseNumber(text);
    if (trimmed(text).isEmpty() || !value)
        return QStringLiteral("0,00");
    QString s = numberText(roundTo(*value, keptDecimals));
    if (!s.contains(QLatin1Char(',')))
        s += QStringLiteral(",00");
    else if (s.size() >= 2 && s.at(s.size() - 2) == QLatin1Char(','))
        s += QLatin1Char('0');
    return s;
}

QString amountReading(const QString &text)
{
    QString t = trimmed(text);
    if (t.contains(QLatin1Char(','))) {
        t.remove(QLatin1Char('.'));
        return t;
    }
    // Italian thousands: one to three digits, then groups of exactly three after each point.
    static const QRegularExpression thousands(QStringLiteral("^[+-]?[0-9]{1,3}(\\.[0-9]{3})+$"));
    if (thousands.match(t).hasMatch())
        return t.remove(QLatin1Char('.'));
    if (const qsizetype point = t.indexOf(QLatin1Char('.')); point >= 0 && t.count(QLatin1Char('.')) == 1) {
        const qsizetype after = t.size() - point - 1;
        if (after >= 1 && after <= 2)
            t[point] = QLatin1Char(',');
    }
    return t;
}

}
