#pragma once
#include "archive/FindScreen.h"

class CardScreen;

// The daily shift find: the tables of the year open on the daily screen. Its mode "turni"
// loads the picked table there.
class DailyShiftFindScreen : public FindScreen
{
    Q_OBJECT
public:
    explicit DailyShiftFindScreen(QWidget *parent = nullptr);
    // Searches the archive of the given screen in the "turni" mode; shown modally, then destroyed.
    static void open(CardScreen *shifts);

    static inline QString remembered;
};

// The weekly shift find, the same over the weekly tables; its mode is "settimanale".
class WeeklyShiftFindScreen : public FindScreen
{
    Q_OBJECT
public:
    explicit WeeklyShiftFindScreen(QWidget *parent = nullptr);
    static void open(CardScreen *shifts);

    static inline QString remembered;
};

// Registers the shift find modes.
void installShiftFind();
