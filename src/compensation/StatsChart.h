#pragma once
#include <QChart>

#include <array>

class QAbstractSeries;
class QGraphicsSimpleTextItem;
class QPainter;
class QWidget;

// The chart of the monthly pay: twelve coloured points, January first, drawn as bars or as a
// pie, with its title, the foot about rounding and the legend below with its own title.
class StatsChart : public QChart
{
    Q_OBJECT
public:
    enum class Kind { Bars, Pie };

    explicit StatsChart(QGraphicsItem *parent = nullptr);

    Kind kind() const { return m_kind; }
    // The points stay when the kind changes.
    void setKind(Kind kind);
    void setValues(const std::array<double, 12> &values);
    // Removes the points: the series is left empty.
    void clearValues();
    const std::array<double, 12> &values() const { return m_values; }
    // The words shown instead of a picture when no month has any pay.
    static QString emptyText();
    bool showsEmptyNote() const;
    // The one series, named Series1; null while there are no points.
    QAbstractSeries *series() const;

    // Paints the chart, laid out afresh at a size of the target's proportions, into target.
    // The printed page names its year beside the title, so two years' printouts differ.
    static void paintOnPage(QPainter &painter, const QRectF &target, Kind kind, const std::array<double, 12> &values,
                            const QString &year = QString());

private:
    void rebuild();
    void buildBars();
    void buildPie();
    void placeMarks();
    void fitMonthNames();
    void placeFoot();
    void placeEmptyNote();

    Kind m_kind = Kind::Bars;
    std::array<double, 12> m_values{};
    bool m_hasValues = false;
    QGraphicsSimpleTextItem *m_foot;
    QGraphicsSimpleTextItem *m_legendTitle;
    // Said in the middle of the chart when the year has no pay to show.
    QGraphicsSimpleTextItem *m_emptyNote;
    std::array<QGraphicsSimpleTextItem *, 12> m_marks{};
};
