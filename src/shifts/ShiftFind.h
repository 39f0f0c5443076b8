#pragma once
#include "archive/FindEngine.h"

// What the shift find screens know of the daily (<year>.ore) and weekly (<year>.set) tables.
namespace ShiftFind {

// The filters of each screen, in their Enter order.
const QVector<Find::FilterBox> &dailyFilters();
const QVector<Find::FilterBox> &weeklyFilters();
// Name, date (or dates), site and notes.
const Find::LineBuilder &dailyLine();
const Find::LineBuilder &weeklyLine();
QString listTitle();

}
