#include "compensation/Common.h"

#include "app/Routines.h"
#include "archive/TextCodec.h"

#include <QStringList>
#include <charconv>

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

QString positions(const QVector<qint64> &list)
{
    // Enough numbers to find the cards with the work screen; the rest only counted.
    constexpr int shown = 10;
    QStringList parts;
    for (int i = 0; i < list.size() && i < shown; ++i)
        parts << QString::number(list.at(i));
    QString text = (list.size() == 1 ? QStringLiteral("scheda n. ") : QStringLiteral("schede n. "))
                   + parts.join(QStringLiteral(", "));
    if (list.size() > shown)
        text += QStringLiteral(" e altre %1").arg(list.size() - shown);
    return text + QLatin1Char('.');
}

}

QString skippedNotice(const QVector<SkippedCard> &skipped, const QString &where)
{
    if (skipped.isEmpty())
        return QString();
    QVector<qint64> badDate, badTotal;
    for (const SkippedCard &c : skipped)
        (c.reason == SkippedCard::BadDate ? badDate : badTotal).append(c.position);

    QString text = skipped.size() == 1
        ? QStringLiteral("Attenzione: 1 scheda dell'archivio non \u00e8 stata considerata nel %1.")
              .arg(where)
        : QStringLiteral("Attenzione: %1 schede dell'archivio non sono state considerate nel %2.")
              .arg(skipped.size())
              .arg(where);
    text += QStringLiteral("\n\r\n\r");
    if (!badDate.isEmpty())
        text += QStringLiteral("Data della prestazione non valida: ") + positions(badDate);
    if (!badDate.isEmpty() && !badTotal.isEmpty())
        text += QStringLiteral("\n\r");
    if (!badTotal.isEmpty())
        text += QStringLiteral("Totale dovuto non valido: ") + positions(badTotal);
    text += QStringLiteral("\n\r\n\rCorreggere le schede indicate nella schermata di registrazione dei lavori.");
    return text;
}

std::optional<double> storedAmount(QByteArrayView t)
{
    char buf[64];
    if (t.size() > 0 && t.size() < qsizetype(sizeof buf)) {
        qsizetype i = 0, n = 0;
        if (t[0] == '-')
            buf[n++] = t[i++];
        const qsizetype intStart = i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9')
            buf[n++] = t[i++];
        bool plain = i > intStart;
        if (plain && i < t.size() && t[i] == ',') {
            buf[n++] = '.';
            const qsizetype fracStart = ++i;
            while (i < t.size() && t[i] >= '0' && t[i] <= '9')
                buf[n++] = t[i++];
            plain = i > fracStart;
        }
        if (plain && i == t.size()) {
            double v = 0;
            const auto r = std::from_chars(buf, buf + n, v);
            if (r.ec == std::errc() && r.ptr == buf + n)
                return v;
        }
    }
    return Routines::parseNumber(Cp1252::decode(t));
}

}
