#include "compensation/Compensation.h"

#include "archive/TextCodec.h"
#include "framework/Routines.h"

#include <QHash>
#include <QStringList>
#include <algorithm>
#include <charconv>
#include <cstring>

namespace Compensation {

std::optional<Refusal> checkYear(const QString &anno)
{
    if (anno.size() == 4)
        return std::nullopt;
    return Refusal{Refusal::Warning,
                   QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."),
                   QStringLiteral("txtAnno")};
}

namespace {

QString numbers(const QVector<qint64> &list, int shown)
{
    QStringList parts;
    for (int i = 0; i < list.size() && i < shown; ++i)
        parts << QString::number(list.at(i));
    return (list.size() == 1 ? QStringLiteral("scheda n. ") : QStringLiteral("schede n. "))
           + parts.join(QStringLiteral(", "));
}

// The cards of one reason, by log when they name one ("2023.lav scheda n. 4; 2024.lav schede
// n. 1, 2."): a card number alone would not say which year's log to open.
QString positions(const QVector<SkippedCard> &cards)
{
    // Enough numbers to find the cards with the work screen; the rest only counted.
    constexpr int shown = 10;
    QStringList logs;
    QHash<QString, QVector<qint64>> byLog;
    for (const SkippedCard &c : cards) {
        if (!byLog.contains(c.log))
            logs << c.log;
        byLog[c.log].append(c.position);
    }
    QStringList groups;
    int left = shown;
    for (const QString &log : std::as_const(logs)) {
        if (left <= 0)
            break;
        const QVector<qint64> &list = byLog[log];
        groups << (log.isEmpty() ? QString() : log + QLatin1Char(' ')) + numbers(list, left);
        left -= int(list.size());
    }
    QString text = groups.join(QStringLiteral("; "));
    if (cards.size() > shown)
        text += QStringLiteral(" e altre %1").arg(cards.size() - shown);
    return text + QLatin1Char('.');
}

}

QString skippedNotice(const QVector<SkippedCard> &skipped, const QString &where)
{
    if (skipped.isEmpty())
        return QString();
    // In the order a reader checks a card: is it whole, then its date, its hours, its amount.
    static const std::pair<SkippedCard::Reason, const char *> reasons[] = {
        {SkippedCard::Damaged, "Scheda danneggiata (un campo oltre la sua larghezza): "},
        {SkippedCard::BadDate, "Data della prestazione non valida: "},
        {SkippedCard::BadHours, "Totale ore non valido: "},
        {SkippedCard::BadTotal, "Totale dovuto non valido: "},
    };
    QString text = skipped.size() == 1
        ? QStringLiteral("Attenzione: 1 scheda dell'archivio non \u00e8 stata considerata nel %1.")
              .arg(where)
        : QStringLiteral("Attenzione: %1 schede dell'archivio non sono state considerate nel %2.")
              .arg(skipped.size())
              .arg(where);
    text += QStringLiteral("\n\r\n\r");
    QStringList lines;
    for (const auto &[reason, label] : reasons) {
        QVector<SkippedCard> cards;
        for (const SkippedCard &c : skipped)
            if (c.reason == reason)
                cards.append(c);
        if (!cards.isEmpty())
            lines << QString::fromUtf8(label) + positions(cards);
    }
    text += lines.join(QStringLiteral("\n\r"));
    text += QStringLiteral("\n\r\n\rCorreggere le schede indicate nella schermata di registrazione dei lavori.");
    return text;
}

std::optional<double> storedAmount(QByteArrayView t)
{
    // "123,45" read as the whole number 12345 over 100: both exact, so the one rounding of
    // the division gives the double nearest to 123.45, as any correct reading of the text does.
    static constexpr double Tens[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                      1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const bool negative = t.size() > 0 && t[0] == '-';
    qsizetype i = negative ? 1 : 0;
    const qsizetype intStart = i;
    quint64 whole = 0;
    int digits = 0, decimals = 0;
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, ++digits)
        whole = whole * 10 + quint64(t[i] - '0');
    bool plain = i > intStart;
    if (plain && i < t.size() && t[i] == ',') {
        const qsizetype fracStart = ++i;
        for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, ++digits, ++decimals)
            whole = whole * 10 + quint64(t[i] - '0');
        plain = i > fracStart;
    }
    if (plain && i == t.size()) {
        if (digits <= 15) {
            const double v = double(whole) / Tens[decimals];
            return negative ? -v : v;
        }
        char buf[64];
        if (t.size() < qsizetype(sizeof buf)) {
            std::memcpy(buf, t.data(), size_t(t.size()));
            std::replace(buf, buf + t.size(), ',', '.');
            double v = 0;
            const auto r = std::from_chars(buf, buf + t.size(), v);
            if (r.ec == std::errc() && r.ptr == buf + t.size())
                return v;
        }
    }
    return Routines::parseNumber(Cp1252::decode(t));
}

}
