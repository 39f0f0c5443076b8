#pragma once
#include "framework/WorkWindow.h"

class QComboBox;
class QLabel;
class QLineEdit;

// The set-up of a pay summary: year, worker and interval; "Visualizza riepilogo" checks them
// and opens the summary.
class PaySummarySetupScreen : public WorkWindow
{
    Q_OBJECT
public:
    explicit PaySummarySetupScreen(QWidget *parent = nullptr);

    void showSummary();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void followYear();

    QLineEdit *m_anno;
    QLineEdit *m_tipologia;
    QComboBox *m_giornoInizio, *m_meseInizio, *m_giornoFine, *m_meseFine;
    QLabel *m_annoInizio, *m_annoFine;
    QLabel *m_dataInizio, *m_dataFine, *m_file;
    QLabel *m_attendere;
};
