#include "compensation/StatsChart.h"

#include "compensation/MonthlyStats.h"
#include "framework/Routines.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QLegend>
#include <QLegendMarker>
#include <QPainter>
#include <QPieSeries>
#include <QPieSlice>
#include <QStackedBarSeries>
#include <QValueAxis>

#include <algorithm>

namespace {

QString monthLabel(int m)
{
    const auto &label = MonthlyStats::Points[m].label;
    return QString::fromLatin1(label.data(), qsizetype(label.size()));
}

QColor monthColour(int m)
{
    return QColor::fromRgba(MonthlyStats::Points[m].argb);
}

QFont verdana(int points, bool bold)
{
    QFont f(QStringLiteral("Verdana"), points);
    f.setBold(bold);
    return f;
}

// Lit from the left and shaded to the right, so flat bars read as solid ones.
QBrush shaded(const QColor &colour)
{
    QLinearGradient g(0, 0, 1, 0);
    g.setCoordinateMode(QGradient::ObjectMode);
    g.setColorAt(0, colour.lighter(125));
    g.setColorAt(0.45, colour);
    g.setColorAt(1, colour.darker(150));
    return g;
}

QPen outline(const QColor &colour)
{
    return QPen(colour.darker(170), 1);
}

constexpr int FootRoom = 34;

}

StatsChart::StatsChart(QGraphicsItem *parent)
    : QChart(parent)
{
    setTitle(QStringLiteral("Statistiche rimunerazioni mensili"));
    setTitleFont(verdana(20, true));
    setTitleBrush(QColor::fromRgba(0xFFD04498));
    setBackgroundRoundness(6);
    setMargins(QMargins(16, 8, 16, FootRoom));

    QLegend *l = legend();
    l->setAlignment(Qt::AlignBottom);
    l->setFont(verdana(9, false));
    // The legend keeps room above its markers for its own title.
    l->setContentsMargins(0, 28, 0, 0);
    m_legendTitle = new QGraphicsSimpleTextItem(QStringLiteral("Compensi mensili percepiti dai lavoratori:"), l);
    m_legendTitle->setFont(verdana(10, true));
    m_legendTitle->setBrush(QColor(0x33, 0x33, 0x33));
    connect(l, &QGraphicsWidget::geometryChanged, this, [this] {
        const QRectF r = legend()->rect();
        m_legendTitle->setPos(r.left() + (r.width() - m_legendTitle->boundingRect().width()) / 2, 8);
    });

    m_foot = new QGraphicsSimpleTextItem(QStringLiteral("Tutti gli importi sono arrotondati all'euro"), this);
    m_foot->setFont(verdana(11, true));
    m_foot->setBrush(QColor::fromRgba(0xFF7294F9));
    connect(this, &QGraphicsWidget::geometryChanged, this, &StatsChart::placeFoot);

    m_emptyNote = new QGraphicsSimpleTextItem(emptyText(), this);
    m_emptyNote->setFont(verdana(12, true));
    m_emptyNote->setBrush(QColor(0x2f, 0x4f, 0x6f));
    m_emptyNote->setZValue(11);
    m_emptyNote->hide();
    connect(this, &QChart::plotAreaChanged, this, &StatsChart::placeEmptyNote);

    for (auto &mark : m_marks) {
        mark = new QGraphicsSimpleTextItem(this);
        mark->setFont(verdana(9, true));
        mark->setZValue(10);
        mark->hide();
    }
    connect(this, &QChart::plotAreaChanged, this, &StatsChart::placeMarks);
}

void StatsChart::setKind(Kind kind)
{
    m_kind = kind;
    rebuild();
}

void StatsChart::setValues(const std::array<double, 12> &values)
{
    m_values = values;
    m_hasValues = true;
    rebuild();
}

void StatsChart::clearValues()
{
    m_values = {};
    m_hasValues = false;
    rebuild();
}

QAbstractSeries *StatsChart::series() const
{
    const QList<QAbstractSeries *> all = QChart::series();
    return all.isEmpty() ? nullptr : all.first();
}

void StatsChart::rebuild()
{
    removeAllSeries();
    for (QAbstractAxis *axis : axes()) {
        removeAxis(axis);
        delete axis;
    }
    for (auto *mark : m_marks)
        mark->hide();
    m_emptyNote->hide();
    if (!m_hasValues)
        return;
    if (m_kind == Kind::Bars)
        buildBars();
    else
        buildPie();
    placeEmptyNote();
}

QString StatsChart::emptyText()
{
    return QStringLiteral("Nell'anno scelto non risultano compensi da mostrare.");
}

bool StatsChart::showsEmptyNote() const
{
    return m_hasValues && std::none_of(m_values.begin(), m_values.end(), [](double v) { return v > 0; });
}

void StatsChart::placeEmptyNote()
{
    if (!showsEmptyNote()) {
        m_emptyNote->hide();
        return;
    }
    const QRectF area = plotArea().isEmpty() ? rect() : plotArea();
    const QRectF box = m_emptyNote->boundingRect();
    m_emptyNote->setPos(area.center().x() - box.width() / 2, area.center().y() - box.height() / 2);
    m_emptyNote->show();
}

void StatsChart::buildBars()
{
    // One set per month holding its value in its own category only: stacked, each month
    // gets a bar of its own colour above its own name.
    auto *bars = new QStackedBarSeries;
    bars->setObjectName(QStringLiteral("Series1"));
    bars->setBarWidth(0.66);
    QStringList months;
    for (int m = 0; m < 12; ++m) {
        months << monthLabel(m);
        auto *set = new QBarSet(monthLabel(m));
        QList<qreal> values(12, 0.0);
        values[m] = m_values[m];
        set->append(values);
        set->setBrush(shaded(monthColour(m)));
        set->setPen(outline(monthColour(m)));
        bars->append(set);
    }
    addSeries(bars);

    auto *x = new QBarCategoryAxis;
    x->append(months);
    x->setLabelsFont(verdana(9, false));
    x->setGridLineVisible(false);
    addAxis(x, Qt::AlignBottom);
    bars->attachAxis(x);

    auto *y = new QValueAxis;
    const auto [low, high] = std::minmax_element(m_values.begin(), m_values.end());
    // Room beyond the longest bar for its mark.
    y->setRange(std::min(*low, 0.0) * 1.08, std::max(*high, 0.0) * 1.08);
    if (*low == 0 && *high == 0)
        y->setRange(0, 100);
    y->applyNiceNumbers();
    y->setLabelFormat(QStringLiteral("%.0f"));
    y->setLabelsFont(verdana(9, false));
    addAxis(y, Qt::AlignLeft);
    bars->attachAxis(y);

    for (int m = 0; m < 12; ++m)
        m_marks[m]->setText(Routines::numberText(m_values[m]));
    placeMarks();
}

void StatsChart::buildPie()
{
    auto *pie = new QPieSeries;
    pie->setObjectName(QStringLiteral("Series1"));
    pie->setPieSize(0.72);
    for (int m = 0; m < 12; ++m) {
        // A slice cannot be less than nothing; its mark still tells the amount.
        QPieSlice *slice = pie->append(monthLabel(m) + QStringLiteral(": ") + Routines::numberText(m_values[m]),
                                       std::max(m_values[m], 0.0));
        slice->setBrush(monthColour(m));
        slice->setBorderColor(monthColour(m).darker(170));
        // A slice of nothing would still draw its border as a stray line from the centre.
        if (m_values[m] <= 0)
            slice->setPen(Qt::NoPen);
        slice->setLabelFont(verdana(9, true));
        slice->setLabelArmLengthFactor(0.12);
        // Empty months have no slice to point at; their marks would pile up on one spot.
        slice->setLabelVisible(m_values[m] > 0);
    }
    addSeries(pie);
    const QList<QLegendMarker *> markers = legend()->markers(pie);
    for (int m = 0; m < markers.size() && m < 12; ++m)
        markers.at(m)->setLabel(monthLabel(m));
}

void StatsChart::placeMarks()
{
    auto *bars = qobject_cast<QStackedBarSeries *>(series());
    fitMonthNames();
    for (int m = 0; m < 12; ++m) {
        QGraphicsSimpleTextItem *mark = m_marks[m];
        if (!bars || plotArea().isEmpty()) {
            mark->hide();
            continue;
        }
        const QPointF top = mapToPosition(QPointF(m, m_values[m]), bars);
        const QRectF box = mark->boundingRect();
        const double y = m_values[m] < 0 ? top.y() + 3 : top.y() - box.height() - 3;
        mark->setPos(top.x() - box.width() / 2, y);
        mark->show();
    }
}

// On a narrow chart the month names under the bars get a smaller type rather than being cut
// short ("Settem..."): the longest must fit its bar's slot.
void StatsChart::fitMonthNames()
{
    const QList<QAbstractAxis *> axes = this->axes(Qt::Horizontal);
    if (axes.isEmpty() || plotArea().isEmpty())
        return;
    const double slot = plotArea().width() / 12 - 20;
    int points = 9;
    for (; points > 6; --points) {
        const QFontMetricsF metrics(verdana(points, false));
        if (metrics.horizontalAdvance(QStringLiteral("Settembre")) <= slot)
            break;
    }
    if (axes.first()->labelsFont().pointSize() != points)
        axes.first()->setLabelsFont(verdana(points, false));
}

void StatsChart::placeFoot()
{
    const QRectF r = rect();
    const QRectF box = m_foot->boundingRect();
    m_foot->setPos(r.left() + (r.width() - box.width()) / 2, r.bottom() - FootRoom + (FootRoom - box.height()) / 2 - 4);
}

void StatsChart::paintOnPage(QPainter &painter, const QRectF &target, Kind kind, const std::array<double, 12> &values,
                             const QString &year)
{
    QGraphicsScene scene;
    auto *chart = new StatsChart;
    scene.addItem(chart);
    if (!year.isEmpty())
        chart->setTitle(chart->title() + QStringLiteral(" - anno ") + year);
    chart->setKind(kind);
    chart->setValues(values);
    // Laid out at a screen-like size of the page's proportions, then scaled onto the page.
    const QSizeF size(1150, 1150 * target.height() / target.width());
    chart->resize(size);

    scene.setSceneRect(QRectF(QPointF(0, 0), size));
    scene.render(&painter, target, scene.sceneRect(), Qt::KeepAspectRatio);
}
