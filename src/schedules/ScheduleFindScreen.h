#pragma once
#include "archive/FindScreen.h"

// The schedule find screen. Its modes: "orari" loads the preset into the preset screen;
// "turni" and "settimanale" import it into the daily or weekly shift table on view.
class ScheduleFindScreen : public FindScreen
{
    Q_OBJECT
public:
    explicit ScheduleFindScreen(QWidget *parent = nullptr);
    // Creates a find screen in this mode, shows it modally and destroys it.
    static void open(QWidget *parent, const QString &mode);

    static inline QString remembered;
};

// Writes the named fields of a record into the same-named boxes of a screen created at start.
void writeFields(const QString &screen, const Record &record, const QStringList &fields);

// Registers the schedule find modes.
void installScheduleFind();
