#pragma once
#include <QDialog>

// The steps of recording a work, on one page, opened from the work card.
class WorkInstructionsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit WorkInstructionsDialog(QWidget *parent = nullptr);
    static void open(QWidget *parent);
};
