#pragma once
#include "compensation/ProjectReport.h"

#include <QChart>

#include <optional>

class QGraphicsSimpleTextItem;
class QPainter;

// What a project has cost month after month: the amounts due added up from its first month
// with work to its last, against the estimate drawn as a level line.
class ProjectCostChart : public QChart
{
    Q_OBJECT
public:
    explicit ProjectCostChart(QGraphicsItem *parent = nullptr);

    // The months in calendar order; months without work between two with work keep the sum.
    // With no month, emptyText is said in the middle of the chart: why there is no line.
    void setData(const std::vector<ProjectReport::MonthLine> &months, std::optional<qint64> estimate,
                 const QString &emptyText);

    // "mm/aaaa" and the sum so far in hundredths, one per month drawn.
    const QVector<QPair<QString, qint64>> &points() const { return m_points; }
    // The words said instead of a line, empty while there is one.
    QString emptyNote() const;

    // Lays a chart of the same data out afresh at a size of the target's proportions.
    static void paintOnPage(QPainter &painter, const QRectF &target, const std::vector<ProjectReport::MonthLine> &months,
                            std::optional<qint64> estimate, const QString &emptyText);

    // At most this many months are drawn, the last ones: a line of more would be unreadable.
    static constexpr int MaxMonths = 120;

private:
    void placeEmptyNote();

    QVector<QPair<QString, qint64>> m_points;
    std::optional<qint64> m_estimate;
    QGraphicsSimpleTextItem *m_emptyNote;
};
