#pragma once
#include "shifts/ShiftScreen.h"

class QLabel;

// The weekly shift tables of a year: twelve bands by seven days.
class WeeklyShiftScreen : public ShiftScreen
{
    Q_OBJECT
public:
    explicit WeeklyShiftScreen(QWidget *parent = nullptr);

protected:
    void build() override;
    bool checkSave() override;

private:
    void noteDates();
    QLabel *m_datesNote = nullptr;
};

// The day prefixes of the grid's cells, Monday first ("Lun" .. "Dom").
const QStringList &weekDays();
