#pragma once
#include "archive/FindScreen.h"

class CardScreen;

// The daily shift find: the tables of the year open on the daily screen. Its mode "turni"
// loads the picked table there.
namespace DailyShiftFindScreen {
FindDefinition definition();
// Searches the archive of the given screen in the "turni" mode; shown modally, then destroyed.
void open(CardScreen *shifts);
inline QString remembered;
}

// The weekly shift find, the same over the weekly tables; its mode is "settimanale".
namespace WeeklyShiftFindScreen {
FindDefinition definition();
void open(CardScreen *shifts);
inline QString remembered;
}

// Registers the shift find modes.
void installShiftFind();
