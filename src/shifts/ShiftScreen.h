#pragma once
#include "archive/CardScreen.h"

class QLineEdit;

// What the daily and weekly shift screens share: the year's archive named by lblFile, the
// picker-only date boxes and the name check.
class ShiftScreen : public CardScreen
{
    Q_OBJECT
public:
    ShiftScreen(const QString &objectName, const RecordLayout &layout, QWidget *parent);
    QString archivePath() const override;
    QLineEdit *box(const QString &field) const;

protected:
    QWidget *firstField() const override;
    // Makes a date box picker-only, filled by the date picker in the given mode.
    void pickerDate(const QString &field, const QString &mode, const char *pictureName);
    // A Save check: the box must hold more than blanks; else the warning and its focus.
    bool required(const QString &field, const QString &warning);
};

// The daily shift tables of a year.
class DailyShiftScreen : public ShiftScreen
{
    Q_OBJECT
public:
    explicit DailyShiftScreen(QWidget *parent = nullptr);

protected:
    void build() override;
    bool checkSave() override;
};
