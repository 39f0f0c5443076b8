#pragma once
#include "compensation/StatsChart.h"
#include "framework/WorkWindow.h"

#include <array>

class QChartView;
class QLabel;
class QLineEdit;

// The monthly pay of one year's work log as a bar or pie chart, printable.
class MonthlyStatsScreen : public WorkWindow
{
    Q_OBJECT
public:
    explicit MonthlyStatsScreen(QWidget *parent = nullptr);

    StatsChart *chart() const { return m_chart; }

    void openChart();
    void showKind(StatsChart::Kind kind);
    void printChart();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildYearPanel();
    QWidget *buildChartPanel();

    QWidget *m_yearPanel;
    QWidget *m_chartPanel;
    QLineEdit *m_anno;
    QLabel *m_file;
    QLabel *m_titolo;
    QString m_shownYear;   // the year of the chart on view
    std::array<QLabel *, 12> m_months{};
    QChartView *m_view;
    StatsChart *m_chart;
};
