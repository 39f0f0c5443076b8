#pragma once
#include "archive/FindScreen.h"

class QLabel;

// The project find screen. Its mode "referti" loads the chosen project into the project screen.
namespace ProjectFindScreen {
FindDefinition definition();
// shows it modally and destroys it.
void open(QWidget *parent, const QString &mode);
inline QString remembered;
// The open projects of the archive whose due date has passed.
SummaryDefinition expired();
}

// The archive the project screen has open.
QString openProjectArchive();

// Registers the project find modes.
void installProjectFind();
