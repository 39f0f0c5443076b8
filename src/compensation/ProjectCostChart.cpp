#include "compensation/ProjectCostChart.h"

#include <QBarCategoryAxis>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>

ProjectCostChart::ProjectCostChart(QGraphicsItem *parent) : QChart(parent)
{
    setTitle(QStringLiteral("Costo cumulato per mese e costo preventivato"));
    QFont title(QStringLiteral("Verdana"), 10);
    title.setBold(true);
    setTitleFont(title);
    legend()->setAlignment(Qt::AlignBottom);
    setMargins(QMargins(6, 4, 6, 4));
    m_emptyNote = new QGraphicsSimpleTextItem(this);
    QFont note(QStringLiteral("Verdana"), 11);
    m_emptyNote->setFont(note);
    m_emptyNote->setBrush(QColor(0x55, 0x55, 0x55));
    connect(this, &QChart::plotAreaChanged, this, &ProjectCostChart::placeEmptyNote);
}

void ProjectCostChart::setData(const std::vector<ProjectReport::MonthLine> &months, std::optional<qint64> estimate,
                               const QString &emptyText)
{
    removeAllSeries();
    // A removed axis is handed back to us, not deleted: each new period would leave two behind.
    for (QAbstractAxis *axis : axes()) {
        removeAxis(axis);
        delete axis;
    }
    m_points.clear();
    m_estimate = estimate && *estimate > 0 ? estimate : std::nullopt;

    if (!months.empty()) {
        const int first = months.front().year * 12 + months.front().month - 1;
        const int last = months.back().year * 12 + months.back().month - 1;
        const int from = std::max(first, last - MaxMonths + 1);
        qint64 sum = 0;
        auto it = months.begin();
        for (int m = first; m <= last; ++m) {
            for (; it != months.end() && it->year * 12 + it->month - 1 == m; ++it)
                sum += it->sums.due;
            if (m >= from)
                m_points.append({QStringLiteral("%1/%2").arg(m % 12 + 1, 2, 10, QLatin1Char('0')).arg(m / 12), sum});
        }
    }

    if (!m_points.isEmpty()) {
        auto *cost = new QLineSeries;
        cost->setName(QStringLiteral("Costo cumulato dei lavori registrati"));
        cost->setPointsVisible(true);
        QPen pen(QColor(0x1f, 0x5f, 0xa8), 3);
        cost->setPen(pen);
        QStringList labels;
        double top = 0;
        for (int i = 0; i < m_points.size(); ++i) {
            const double euro = double(m_points.at(i).second) / 100;
            cost->append(i, euro);
            labels << m_points.at(i).first;
            top = std::max(top, euro);
        }
        addSeries(cost);
        auto *x = new QBarCategoryAxis;
        x->append(labels);
        addAxis(x, Qt::AlignBottom);
        cost->attachAxis(x);
        auto *y = new QValueAxis;
        // The axis writes its labels through a Latin-1 format: the euro goes in the title.
        y->setLabelFormat(QStringLiteral("%.0f"));
        y->setTitleText(QStringLiteral("euro"));
        addAxis(y, Qt::AlignLeft);
        cost->attachAxis(y);
        if (m_estimate) {
            auto *estimateLine = new QLineSeries;
            estimateLine->setName(QStringLiteral("Costo preventivato"));
            QPen dashed(QColor(0xc0, 0x39, 0x2b), 2, Qt::DashLine);
            estimateLine->setPen(dashed);
            const double euro = double(*m_estimate) / 100;
            // A single month still shows the level as a line, across the whole plot.
            estimateLine->append(-0.5, euro);
            estimateLine->append(m_points.size() - 0.5, euro);
            addSeries(estimateLine);
            estimateLine->attachAxis(x);
            estimateLine->attachAxis(y);
            top = std::max(top, euro);
        }
        y->setRange(std::min(0.0, double(m_points.front().second) / 100), top > 0 ? top * 1.1 : 1);
        y->applyNiceNumbers();
        x->setRange(labels.first(), labels.last());
    }
    legend()->setVisible(true);
    m_emptyNote->setText(m_points.isEmpty() ? emptyText : QString());
    m_emptyNote->setVisible(m_points.isEmpty());
    placeEmptyNote();
}

QString ProjectCostChart::emptyNote() const
{
    return m_points.isEmpty() ? m_emptyNote->text() : QString();
}

void ProjectCostChart::placeEmptyNote()
{
    const QRectF area = plotArea().isEmpty() ? boundingRect() : plotArea();
    const QRectF text = m_emptyNote->boundingRect();
    m_emptyNote->setPos(area.center() - QPointF(text.width() / 2, text.height() / 2));
}

void ProjectCostChart::paintOnPage(QPainter &painter, const QRectF &target,
                                   const std::vector<ProjectReport::MonthLine> &months, std::optional<qint64> estimate,
                                   const QString &emptyText)
{
    QGraphicsScene scene;
    auto *chart = new ProjectCostChart;
    scene.addItem(chart);
    chart->setData(months, estimate, emptyText);
    const QSizeF size(1000, 1000 * target.height() / target.width());
    chart->resize(size);
    scene.setSceneRect(QRectF(QPointF(0, 0), size));
    scene.render(&painter, target, scene.sceneRect(), Qt::KeepAspectRatio);
}
