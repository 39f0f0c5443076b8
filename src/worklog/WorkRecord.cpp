#include "worklog/WorkRecord.h"

#include "framework/Routines.h"

namespace WorkRecord {

const RecordLayout &layout()
{
    static const RecordLayout l(Fields);
    return l;
}

QString fileName(const QString &year)
{
    return Routines::trimmed(year) + QStringLiteral(".lav");
}

QString filePath(const QString &folder, const QString &year)
{
    return folder + fileName(year);
}

QString incompletoText(bool incomplete)
{
    return incomplete ? IncompletoSi : IncompletoNo;
}

std::optional<bool> incompletoFromText(const QString &stored)
{
    const QString t = Routines::trimmed(stored);
    if (t == IncompletoSi)
        return true;
    if (t == IncompletoNo)
        return false;
    return std::nullopt;
}

QString timeText(const QString &hours, const QString &minutes)
{
    return Routines::trimmed(hours) + QLatin1Char(':') + Routines::trimmed(minutes);
}

}
