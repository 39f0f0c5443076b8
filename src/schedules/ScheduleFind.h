#pragma once
#include "archive/FindEngine.h"

// What the schedule find screen knows of Orari.pro.
namespace ScheduleFind {

QString fileName();   // "Orari.pro"
// The ten filters, in their Enter order.
const QVector<Find::FilterBox> &filters();
// Name, period, site and notes.
const Find::LineBuilder &line();
QString listTitle();

}
