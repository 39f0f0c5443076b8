#include "schedules/ScheduleFind.h"

#include "schedules/ScheduleRecord.h"
#include "settings/ArchiveNames.h"

namespace ScheduleFind {

QString fileName()
{
    return QLatin1String(ArchiveNames::ScheduleFile);
}

const QVector<Find::FilterBox> &filters()
{
    static const QVector<Find::FilterBox> boxes = [] {
        QVector<Find::FilterBox> b = {
            {QStringLiteral("txtNome"), QStringLiteral("Nome tabella turni:"), QStringLiteral("Nome")},
            {QStringLiteral("txtPeriodo"), QStringLiteral("Periodo validità:"), QStringLiteral("Periodo")},
            {QStringLiteral("txtSede"), QStringLiteral("Sede operativa:"), QStringLiteral("Sede")},
            {QStringLiteral("txtDisposizioni"), QStringLiteral("Disposizioni organizzative:"), QStringLiteral("Disposizioni")},
        };
        // Only the activities of the first five bands can be searched.
        for (int band = 1; band <= 5; ++band) {
            const QString field = QStringLiteral("Attivita%1").arg(band, 2, 10, QLatin1Char('0'));
            b.append({QStringLiteral("txt") + field, QStringLiteral("Attività da svolgere %1:").arg(band), field});
        }
        b.append({QStringLiteral("txtAnnotazioni"), QStringLiteral("Annotazioni:"), QStringLiteral("Annotazioni")});
        return b;
    }();
    return boxes;
}

const Find::LineBuilder &line()
{
    static const Find::LineBuilder builder =
        Find::columnLine(ScheduleRecord::layout(), {
                                                       {QString(), {QStringLiteral("Nome")}, 30},
                                                       {QStringLiteral("  Periodo: "), {QStringLiteral("Periodo")}, 24},
                                                       {QStringLiteral("  Sede: "), {QStringLiteral("Sede")}, 24},
                                                       {QStringLiteral("  Note: "), {QStringLiteral("Annotazioni")}, 0},
                                                   });
    return builder;
}

QString listTitle()
{
    return QStringLiteral("Riepilogo orari di lavoro");
}

}
