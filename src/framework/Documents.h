#pragma once
#include <QString>

class QWidget;

// Files the user picks and documents handed to the desktop.
namespace Documents {

// The file chooser, showing all files. Returns false when the user cancels; path keeps
// its value then.
bool chooseFile(QWidget *parent, const QString &title, QString &path);
// Where a file chooser (or a file to write) starts: beside current when given, else where the
// user last picked or wrote a file, else the account's documents folder; always an existing
// folder ending with '/'.
QString startFolder(const QString &current = QString());
// The folder of a file the user has just written (a PDF print, say), for the next chooser.
void remember(const QString &folder);

// Opens a file with the program the desktop associates with it. A file that is not there
// any more, or that the desktop refuses, is said in a warning box instead of the desktop's
// silence. Returns true when the desktop took it.
bool open(QWidget *parent, const QString &path);

namespace Test {
// While Dialogs' test mode is on, the chooser takes the queued paths (a null QString
// means "cancelled"; none queued means cancelled too).
void queueFile(const QString &path);
void clear();
}

}
