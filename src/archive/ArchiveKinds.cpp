#include "archive/ArchiveKinds.h"

#include "projects/ProjectRecord.h"
#include "schedules/ScheduleRecord.h"
#include "shifts/DailyShiftRecord.h"
#include "shifts/WeeklyShiftRecord.h"
#include "workers/WorkerRecord.h"
#include "worklog/WorkRecord.h"

#include <QFileInfo>

namespace ArchiveKinds {

ArchiveKind forFile(const QString &path)
{
    const QString file = QFileInfo(path).fileName();
    if (file.compare(WorkerRecord::fileName(), Qt::CaseInsensitive) == 0)
        return {QStringLiteral("lavoratori"), &WorkerRecord::layout()};
    if (file.compare(QLatin1String("Orari.pro"), Qt::CaseInsensitive) == 0)
        return {QStringLiteral("orari"), &ScheduleRecord::layout()};
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == QLatin1String("ore"))
        return {QStringLiteral("turni"), &DailyShiftRecord::layout()};
    if (suffix == QLatin1String("set"))
        return {QStringLiteral("settimanale"), &WeeklyShiftRecord::layout()};
    if (suffix == QLatin1String("prg"))
        return {QStringLiteral("progetti"), &ProjectRecord::layout()};
    if (suffix == QLatin1String("lav"))
        return {QStringLiteral("lavori"), &WorkRecord::layout()};
    return {QString(), nullptr};
}

}
