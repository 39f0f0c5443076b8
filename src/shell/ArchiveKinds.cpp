#include "shell/ArchiveKinds.h"

#include "projects/ProjectRecord.h"
#include "schedules/ScheduleRecord.h"
#include "settings/ArchiveNames.h"
#include "shifts/DailyShiftRecord.h"
#include "shifts/WeeklyShiftRecord.h"
#include "workers/WorkerRecord.h"
#include "worklog/WorkRecord.h"

#include <QHash>

namespace ArchiveKinds {

ArchiveKind forFile(const QString &path)
{
    static const QHash<QString, const RecordLayout *> layouts{
        {QStringLiteral("lavoratori"), &WorkerRecord::layout()},
        {QStringLiteral("orari"), &ScheduleRecord::layout()},
        {QStringLiteral("turni"), &DailyShiftRecord::layout()},
        {QStringLiteral("settimanale"), &WeeklyShiftRecord::layout()},
        {QStringLiteral("progetti"), &ProjectRecord::layout()},
        {QStringLiteral("lavori"), &WorkRecord::layout()},
    };
    const QString name = ArchiveNames::kindOf(path);
    if (name.isEmpty())
        return {QString(), nullptr};
    return {name, layouts.value(name)};
}

const QStringList &unshownFields(const QString &kind)
{
    static const QStringList none;
    static const QHash<QString, QStringList> unshown{
        {QStringLiteral("settimanale"), {QStringLiteral("Riservato")}},
    };
    const auto it = unshown.constFind(kind);
    return it == unshown.cend() ? none : *it;
}

}
