#pragma once
#include "archive/FindScreen.h"

// The schedule find screen. Its modes: "orari" loads the preset into the preset screen;
// "turni" and "settimanale" import it into the daily or weekly shift table on view.
namespace ScheduleFindScreen {
FindDefinition definition();
// Creates a find screen in this mode, shows it modally and destroys it.
void open(QWidget *parent, const QString &mode);
inline QString remembered;
}

// Writes the named fields of a record into the same-named boxes of a screen created at start.
void writeFields(const QString &screen, const Record &record, const QStringList &fields);

// Registers the schedule find modes.
void installScheduleFind();
