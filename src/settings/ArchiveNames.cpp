#include "settings/ArchiveNames.h"

#include <QFileInfo>

namespace ArchiveNames {

QString kindOf(const QString &path)
{
    const QString file = QFileInfo(path).fileName();
    if (file.compare(QLatin1String(WorkerFile), Qt::CaseInsensitive) == 0)
        return QStringLiteral("lavoratori");
    if (file.compare(QLatin1String(ScheduleFile), Qt::CaseInsensitive) == 0)
        return QStringLiteral("orari");
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == QLatin1String("ore"))
        return QStringLiteral("turni");
    if (suffix == QLatin1String("set"))
        return QStringLiteral("settimanale");
    if (suffix == QLatin1String("prg"))
        return QStringLiteral("progetti");
    if (suffix == QLatin1String("lav"))
        return QStringLiteral("lavori");
    return QString();
}

}
