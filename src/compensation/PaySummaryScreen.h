#pragma once
#include "framework/Report.h"

#include <QDate>
#include <QDialog>

class QLabel;
class QLineEdit;
class ResultList;

// The pay summary of an interval: the cards of the year log listed, totalled, searchable and
// printable. Created for one summary and destroyed when closed.
class PaySummaryScreen : public QDialog
{
    Q_OBJECT
public:
    // What the set-up screen asks for.
    struct Request {
        QString path;                  // lblFile
        QString codFisc;               // txtTipologia: blank for every worker
        QString dataInizio, dataFine;  // lblDataInizio, lblDataFine
        QDate start, end;
    };

    explicit PaySummaryScreen(const Request &request, QWidget *parent = nullptr);

    ResultList *list() const { return m_list; }
    // The page template filled with what the summary shows.
    Report::Template printTemplate() const;

    void findInList();
    void print();

    // The in-list search text, kept for the whole run.
    static inline QString remembered;

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void build();
    void fitListType();

    Request m_request;
    QLabel *m_heading;
    QLabel *m_conta;
    QLabel *m_total;
    QLabel *m_interval;
    QLineEdit *m_search;
    ResultList *m_list;
};
