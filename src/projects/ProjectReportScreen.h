#pragma once
#include "compensation/ProjectReport.h"

#include <QDialog>

class ResultList;

// "Rendiconto": what a project has cost so far, from the work log of its years: the works by
// worker and by month, the totals, and the part of the estimate they have used. Printed and
// previewed as the other lists, and exported for a spreadsheet.
class ProjectReportScreen : public QDialog
{
    Q_OBJECT
public:
    struct Project {
        QString name, code;
        QString estimate;    // "Costo preventivato" as stored
        QString paid;        // "TOTALE IMPORTI VERSATI..." as stored
        QString archive;     // the project archive, "<year>.prg"
        QString dueDate;     // "Data scadenza": the logs of the years up to it are read too
    };
    ProjectReportScreen(const Project &project, QWidget *parent = nullptr);
    static void open(QWidget *parent, const Project &project);

    // The logs read for a project: its archive's year and the years up to its due date.
    static QStringList logsOf(const Project &project);
    // The report's lines, as shown, printed and exported.
    QStringList lines() const;
    // The totals against the estimate and the amounts paid, a line each.
    QStringList summary() const;

private:
    void exportFile();

    Project m_project;
    ProjectReport::Report m_report;
    QStringList m_logs;
    ResultList *m_list;
};
