#pragma once
#include "compensation/Compensation.h"

#include <QString>
#include <QtGlobal>

// The pay recorded in one year's work log, month by month, rounded to the euro.
namespace MonthlyStats {

using Compensation::Refusal;
using Compensation::SkippedCard;

// The points of the chart, January first: label and colour (alpha, red, green, blue).
struct Point {
    std::string_view label;
    quint32 argb;
};
inline constexpr std::array<Point, 12> Points{{
    {Compensation::MonthNames[0], 0xFFFF0000},  {Compensation::MonthNames[1], 0xFF0000FF},
    {Compensation::MonthNames[2], 0xFFFFE4C4},  {Compensation::MonthNames[3], 0xFFFF00FF},
    {Compensation::MonthNames[4], 0xFFC0DCC0},  {Compensation::MonthNames[5], 0xFFFFFF00},
    {Compensation::MonthNames[6], 0xFF00FF00},  {Compensation::MonthNames[7], 0xFFC0C0C0},
    {Compensation::MonthNames[8], 0xFFF0FBFF},  {Compensation::MonthNames[9], 0xFF87CEEB},
    {Compensation::MonthNames[10], 0xFF800000}, {Compensation::MonthNames[11], 0xFF008000},
}};

// "Apri": the year box must hold four characters.
std::optional<Refusal> checkYear(const QString &anno);
// lblTitolo.
QString title(const QString &anno);

struct Stats {
    bool readOk = true;   // false: the archive could not be read to the end
    QString errorText;
    std::array<double, 12> totals{};     // the monthly sums as added up
    std::array<double, 12> rounded{};    // the chart values, whole euros
    std::array<QString, 12> labels;      // memGennaio .. memDicembre after rounding
    // Cards of the year whose total does not convert: left out, the chart still opens.
    QVector<SkippedCard> skipped;
};
// Cards are counted by the month and year cut from their date text; dates of other years
// or without a two-digit month are passed over. A missing archive is created empty.
Stats compute(const QString &path, const QString &anno);

QString skippedNotice(const Stats &stats);

}
