#pragma once
#include "archive/FindScreen.h"

// The worker find screen. Its modes: "istruttori" loads the card into the registry screen;
// "turni_01".."turni_12", "referti", "lavori" and "riep_pagamenti" import the worker into
// the screen that opened it.
namespace WorkerFindScreen {
FindDefinition definition();
// Creates a find screen in this mode, shows it modally and destroys it.
void open(QWidget *parent, const QString &mode);
inline QString remembered;
// The contracts whose notice period has begun, or that have expired.
SummaryDefinition contractsDue();
}

// Wires the registry screen's find and expiry commands and registers the worker find modes.
void installWorkerFind();
