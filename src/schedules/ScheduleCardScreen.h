#pragma once
#include "archive/CardScreen.h"

class QLineEdit;

// The schedule presets: one card per preset in Orari.pro.
class ScheduleCardScreen : public CardScreen
{
    Q_OBJECT
public:
    explicit ScheduleCardScreen(QWidget *parent = nullptr);
    QString archivePath() const override;

protected:
    void build() override;
    bool checkSave() override;
    QWidget *firstField() const override;

private:
    QLineEdit *box(const QString &field) const;
};

// The warning of a card saved without its name, shared by the preset and shift screens.
QString missingTableName();
