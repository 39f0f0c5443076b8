#include "framework/Clock.h"

namespace {
QDate fixedToday;
}

QDate Clock::today()
{
    return fixedToday.isValid() ? fixedToday : QDate::currentDate();
}

void Clock::setToday(const QDate &date)
{
    fixedToday = date;
}
