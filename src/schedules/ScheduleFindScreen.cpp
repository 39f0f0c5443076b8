#include "schedules/ScheduleFindScreen.h"

#include "archive/CardScreen.h"
#include "schedules/ScheduleFind.h"
#include "schedules/ScheduleRecord.h"
#include "settings/ProgramFolder.h"

namespace {

const QString FindName = QStringLiteral("TfrmTrovaOrari");

QString presetArchive()
{
    return ProgramFolder::file(ScheduleFind::fileName());
}

// What an import takes of a preset: the daily table takes the period and the activities
// too, the weekly one only the times.
QStringList presetFields(bool activities)
{
    QStringList fields{QStringLiteral("Nome"), QStringLiteral("Sede"), QStringLiteral("Disposizioni"),
                       QStringLiteral("Annotazioni")};
    if (activities)
        fields << QStringLiteral("Periodo");
    for (int band = 1; band <= 12; ++band) {
        const QString nn = QStringLiteral("%1").arg(band, 2, 10, QLatin1Char('0'));
        fields << QStringLiteral("Inizio") + nn << QStringLiteral("Fine") + nn;
        if (activities)
            fields << QStringLiteral("Attivita") + nn;
    }
    return fields;
}

}

void writeFields(const QString &screen, const Record &record, const QStringList &fields)
{
    QWidget *s = PickModes::screen(screen);
    if (!s)
        return;
    for (const QString &f : fields)
        if (QWidget *w = s->findChild<QWidget *>(QStringLiteral("txt") + f))
            WidgetText::set(w, record.get(f));
}

FindDefinition ScheduleFindScreen::definition()
{
    return {FindName, QStringLiteral(" Trova orari di lavoro in archivio"), &ScheduleRecord::layout(), presetArchive,
           ScheduleFind::filters(), ScheduleFind::line(), ScheduleFind::listTitle(), &remembered};
}

void ScheduleFindScreen::open(QWidget *parent, const QString &mode)
{
    FindScreen::openModal(parent, definition(), mode);
}

void installScheduleFind()
{
    PickModes::add(FindName, QStringLiteral("orari"), [](const Record &r, qint64 n) {
        if (auto *card = qobject_cast<CardScreen *>(PickModes::screen(QStringLiteral("TfrmOrari"))))
            card->loadCard(n, r);
    });
    PickModes::add(FindName, QStringLiteral("turni"), [](const Record &r, qint64) {
        writeFields(QStringLiteral("TfrmTurni"), r, presetFields(true));
    });
    PickModes::add(FindName, QStringLiteral("settimanale"), [](const Record &r, qint64) {
        writeFields(QStringLiteral("TfrmSettimanale"), r, presetFields(false));
    });
}
