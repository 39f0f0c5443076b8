#pragma once
#include "compensation/ProjectReport.h"

#include <QDialog>

#include <optional>

class ProjectCostChart;
class QChartView;
class QLabel;
class QLineEdit;
class QPrinter;
class ResultList;

// "Rendiconto": what a project has cost so far, from the work log of its years: the works by
// worker and by month, the totals, the part of the estimate they have used and the cost month
// after month against the estimate as a chart, over every date or a period. Printed and
// previewed with its chart, and exported for a spreadsheet.
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
    // The report's lines, as shown.
    QStringList lines() const;
    // The totals against the estimate and the amounts paid, a line each.
    QStringList summary() const;
    // What paper and file carry besides the lines: the project, the period and the logs read.
    QStringList heading() const;
    // The cards left out and a log that could not be read, a line each.
    QStringList warnings() const;
    // The printed body: heading, lines, warnings.
    QStringList printLines() const;
    QString printTitle() const;
    const ProjectReport::Report &report() const { return m_report; }
    const ProjectCostChart *chart() const { return m_chart; }

private:
    // Reads the logs again for the period in the boxes.
    void rebuild();
    void exportFile();
    // The list pages, then the chart on a page of its own.
    bool paint(QPrinter &printer) const;
    void print();
    std::optional<qint64> estimate() const;

    Project m_project;
    ProjectReport::Report m_report;
    QStringList m_logs;
    std::optional<QDate> m_from, m_to;
    QString m_periodError;   // the period in the boxes cannot be used: why
    QLineEdit *m_dal, *m_al;
    QLabel *m_sources, *m_totals, *m_note;
    ResultList *m_list;
    ProjectCostChart *m_chart;
    QChartView *m_chartView;
};
