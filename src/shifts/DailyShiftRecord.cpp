#include "shifts/DailyShiftRecord.h"

#include "framework/Routines.h"

namespace DailyShiftRecord {

const RecordLayout &layout()
{
    static const RecordLayout l(Fields);
    return l;
}

std::optional<QString> joinedWorkers(const QString &before, const QString &surname, const QString &name)
{
    const QString worker = Routines::trimmed(surname) + QLatin1Char(' ') + Routines::trimmed(name);
    const QString kept = Routines::trimmed(before);
    const QString joined = kept.isEmpty() ? worker : kept + QStringLiteral(", ") + worker;
    if (joined.size() > layout().field(layout().indexOf(QStringLiteral("Lavoratore01"))).width)
        return std::nullopt;
    return joined;
}

QString workersTooLong()
{
    return QStringLiteral("Attenzione: il turnista non è stato aggiunto perché l'elenco dei turnisti di questa fascia "
                          "supererebbe i 120 caratteri consentiti.\n\r\n\r"
                          "Per aggiungerlo è necessario abbreviare l'elenco.");
}

}
