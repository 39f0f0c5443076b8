#include "shifts/ShiftFind.h"

#include "shifts/DailyShiftRecord.h"
#include "shifts/WeeklyShiftRecord.h"

namespace ShiftFind {

namespace {
Find::FilterBox box(const char *field, const char *label)
{
    return {QStringLiteral("txt") + QLatin1String(field), QString::fromUtf8(label), QLatin1String(field)};
}
}

const QVector<Find::FilterBox> &dailyFilters()
{
    static const QVector<Find::FilterBox> boxes = [] {
        QVector<Find::FilterBox> b = {box("Nome", "Nome tabella turni:"), box("Data", "Data (gg/mm/aaaa):"),
                                      box("Sede", "Sede operativa:"), box("Disposizioni", "Disposizioni organizzative:")};
        // Only the workers of the first five bands can be searched, each band on its own.
        for (int band = 1; band <= 5; ++band) {
            const QString field = QStringLiteral("Lavoratore%1").arg(band, 2, 10, QLatin1Char('0'));
            b.append({QStringLiteral("txt") + field, QStringLiteral("Turnista %1:").arg(band), field});
        }
        b.append(box("Annotazioni", "Annotazioni:"));
        return b;
    }();
    return boxes;
}

const QVector<Find::FilterBox> &weeklyFilters()
{
    // In Enter order: the site comes before the dates.
    static const QVector<Find::FilterBox> boxes = {
        box("Nome", "Nome tabella turni:"),
        box("Sede", "Sede operativa:"),
        box("DataInizio", "Data inizio (gg/mm/aaaa):"),
        box("DataFine", "Data fine (gg/mm/aaaa):"),
        box("Disposizioni", "Disposizioni organizzative:"),
        box("Annotazioni", "Annotazioni:"),
    };
    return boxes;
}

const Find::LineBuilder &dailyLine()
{
    static const Find::LineBuilder builder =
        Find::columnLine(DailyShiftRecord::layout(), {
                                                         {QString(), {QStringLiteral("Nome")}, 30},
                                                         {QStringLiteral("  Data: "), {QStringLiteral("Data")}, 10},
                                                         {QStringLiteral("  Sede: "), {QStringLiteral("Sede")}, 30},
                                                         {QStringLiteral("  Note: "), {QStringLiteral("Annotazioni")}, 0},
                                                     });
    return builder;
}

const Find::LineBuilder &weeklyLine()
{
    static const Find::LineBuilder builder =
        Find::columnLine(WeeklyShiftRecord::layout(), {
                                                          {QString(), {QStringLiteral("Nome")}, 30},
                                                          {QStringLiteral("  Da: "), {QStringLiteral("DataInizio")}, 10},
                                                          {QStringLiteral("  A: "), {QStringLiteral("DataFine")}, 10},
                                                          {QStringLiteral("  Sede: "), {QStringLiteral("Sede")}, 30},
                                                          {QStringLiteral("  Note: "), {QStringLiteral("Annotazioni")}, 0},
                                                      });
    return builder;
}

QString listTitle()
{
    return QStringLiteral("Riepilogo turni di lavoro");
}

}
