#pragma once
#include "shell/ModuleMenu.h"

// Chooses between the pay summary and the statistics.
class PaymentsMenu : public ModuleMenu
{
    Q_OBJECT
public:
    explicit PaymentsMenu(QWidget *parent = nullptr);
protected:
    void showEvent(QShowEvent *event) override;
};
