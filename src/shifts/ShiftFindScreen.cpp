#include "shifts/ShiftFindScreen.h"

#include "archive/CardScreen.h"
#include "shifts/DailyShiftRecord.h"
#include "shifts/ShiftFind.h"
#include "shifts/WeeklyShiftRecord.h"

#include <QLabel>

namespace {

const QString DailyFind = QStringLiteral("TfrmTrovaTurni");
const QString WeeklyFind = QStringLiteral("TfrmTrovaSet");
const QString Caption = QStringLiteral(" Trova turni di lavoro in archivio");

// Neither screen has an archive of its own: it reads the year open on its shift screen.
std::function<QString()> archiveOf(const QString &screen)
{
    return [screen]() -> QString {
        if (QWidget *s = PickModes::screen(screen))
            if (auto *file = s->findChild<QLabel *>(QStringLiteral("lblFile")))
                return file->text().trimmed();
        return QString();
    };
}

PickAction loadInto(const QString &screen)
{
    return [screen](const Record &r, qint64 n) {
        if (auto *card = qobject_cast<CardScreen *>(PickModes::screen(screen)))
            card->loadCard(n, r);
    };
}

}

FindDefinition DailyShiftFindScreen::definition()
{
    return {DailyFind, Caption, &DailyShiftRecord::layout(), archiveOf(QStringLiteral("TfrmTurni")),
           ShiftFind::dailyFilters(), ShiftFind::dailyLine(), ShiftFind::listTitle(), &remembered};
}

void DailyShiftFindScreen::open(CardScreen *shifts)
{
    FindScreen::openModal(shifts, definition(), QStringLiteral("turni"), shifts->archivePath());
}

FindDefinition WeeklyShiftFindScreen::definition()
{
    return {WeeklyFind, Caption, &WeeklyShiftRecord::layout(), archiveOf(QStringLiteral("TfrmSettimanale")),
           ShiftFind::weeklyFilters(), ShiftFind::weeklyLine(), ShiftFind::listTitle(), &remembered};
}

void WeeklyShiftFindScreen::open(CardScreen *shifts)
{
    FindScreen::openModal(shifts, definition(), QStringLiteral("settimanale"), shifts->archivePath());
}

void installShiftFind()
{
    PickModes::add(DailyFind, QStringLiteral("turni"), loadInto(QStringLiteral("TfrmTurni")));
    PickModes::add(WeeklyFind, QStringLiteral("settimanale"), loadInto(QStringLiteral("TfrmSettimanale")));
}
