#include "worklog/WorkComputations.h"

#include <QFileInfo>

#include "framework/Routines.h"

using Routines::trimmed;

namespace WorkComputations {

namespace {

QString timeOfDayText(const QString &hours, const QString &minutes)
{
    return trimmed(hours) + QLatin1Char(':') + trimmed(minutes) + QStringLiteral(":00");
}

// One or two ASCII digits, at most `max`.
std::optional<int> part(const QString &text, int max)
{
    const QString t = trimmed(text);
    if (t.isEmpty() || t.size() > 2 || !Routines::isDigits(t))
        return std::nullopt;
    const int v = t.toInt();
    return v <= max ? std::optional<int>(v) : std::nullopt;
}

std::optional<qint64> milliseconds(const QString &hours, const QString &minutes)
{
    const auto h = part(hours, 23);
    const auto m = part(minutes, 59);
    if (!h || !m)
        return std::nullopt;
    return (qint64(*h) * 60 + *m) * 60000;
}

}

QString startAfterEndWarning()
{
    return QStringLiteral("Attenzione: l'ora di inizio lavoro non pu\u00f2 essere posteriore a quella "
                          "di fine lavoro.");
}

Hours computeHours(const Times &t, const QString &totOre)
{
    // The order test is a plain text comparison, as the boxes only offer two-digit values.
    if (timeOfDayText(t.daOre, t.daMin) > timeOfDayText(t.aOre, t.aMin))
        return {Hours::StartAfterEnd, totOre};
    const auto start = milliseconds(t.daOre, t.daMin);
    const auto end = milliseconds(t.aOre, t.aMin);
    if (!start || !end)
        return {Hours::InvalidTime, totOre};
    const double hours = double(*end - *start) / 3600 / 1000;
    return {Hours::Computed, Routines::numberText(Routines::roundTo(hours, 2))};
}

TotalDue computeTotalDue(const Times &times, const QString &totOre, const QString &compensoOra)
{
    TotalDue out;
    const auto zeros = [&out] {
        out.totOre = QStringLiteral("0");
        out.compensoOra = QStringLiteral("0,00");
        out.totDovuto = QStringLiteral("0,00");
        out.focus = QStringLiteral("txtTotOre");
        out.reset = true;
        return out;
    };

    const Hours hours = computeHours(times, totOre);
    if (hours.outcome == Hours::InvalidTime)
        return zeros();
    if (hours.outcome == Hours::StartAfterEnd) {
        // The warning does not end the sequence: it goes on with the hours as they were.
        out.warning = startAfterEndWarning();
        out.focus = QStringLiteral("txtDaOre");
    }
    out.totOre = trimmed(hours.totOre).isEmpty() ? QStringLiteral("0") : hours.totOre;

    const auto h = Routines::parseNumber(out.totOre);
    const auto p = Routines::parseNumber(compensoOra);
    if (!h || !p)
        return zeros();
    // The total comes from the pay as typed; the pay is normalised only afterwards.
    out.totDovuto = Routines::amountRule(Routines::numberText(*h * *p), 2);
    out.compensoOra = Routines::amountRule(compensoOra, 2);
    return out;
}

QString payOnLeave(const QString &compensoOra)
{
    return Routines::amountRule(compensoOra, 2);
}

std::optional<Refusal> checkSave(const Card &card)
{
    const QString prefix = QStringLiteral("Attenzione: per salvare la scheda \u00e8 necessario indicare ");
    const struct {
        const QString &value;
        const char *what;
        const char *focus;
    } required[] = {
        {card.data, "la data della prestazione lavorativa.", "txtData"},
        {card.cognome, "il cognome del lavoratore.", "txtCognome"},
        {card.nome, "il nome del lavoratore.", "txtNome"},
        {card.codFisc, "il codice fiscale del lavoratore.", "txtCodFisc"},
        {card.attivita, "l'attivit\u00e0 svolta dal lavoratore.", "txtAttivita"},
    };
    for (const auto &r : required)
        if (trimmed(r.value).isEmpty())
            return Refusal{prefix + QString::fromUtf8(r.what), QString::fromLatin1(r.focus)};
    if (computeHours(card.times, QString()).outcome == Hours::StartAfterEnd)
        return Refusal{startAfterEndWarning(), QStringLiteral("txtDaOre")};
    return std::nullopt;
}

QString otherYearNote(const QString &data, const QString &archivePath)
{
    const QString year = QFileInfo(archivePath).completeBaseName();
    const QString date = Routines::trimmed(data);
    if (year.size() != 4 || !Routines::isDigits(year) || date.size() != 10 || !Routines::parseDate(date))
        return QString();
    if (date.right(4) == year)
        return QString();
    return QStringLiteral("Data fuori dall'anno %1: la scheda non comparirà nei riepiloghi.").arg(year);
}

}
