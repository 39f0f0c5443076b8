#pragma once
#include <QDate>

// "Today" for the whole program. Tests set a fixed date; the program uses the system date.
namespace Clock {
QDate today();
void setToday(const QDate &date);   // an invalid date returns to the system date
}
