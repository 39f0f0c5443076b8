#pragma once
#include "archive/FindEngine.h"

// What the work find and the incomplete-works summary know of <year>.lav.
namespace WorkFind {

// The ten filters, in their Enter order.
const QVector<Find::FilterBox> &filters();
// Activity, date, worker, tax code, telephone and total due.
const Find::LineBuilder &line();
QString listTitle();
QString incompleteTitle();

// The works of the log at path marked incomplete, sorted.
Find::Listing incomplete(const QString &path);

}
