#pragma once
#include <QString>
#include <QStringList>
#include <QUrl>

// The desktop's "open": a document with its program, a web address in the browser, a new
// e-mail from a "mailto:" address.
namespace Desktop {

// Takes the command as the screens build it (possibly wrapped in double quotes) and opens it.
// When the desktop cannot (no program set for that kind of file or address), says so once,
// naming the file and its folder, and returns false.
bool Open(const QString &command);
// The address Open would hand to the desktop.
QUrl urlFor(const QString &command);

namespace Test {
void setEnabled(bool on);     // record instead of opening
void setFailing(bool on);     // while recording, answer as a desktop that cannot open
QList<QUrl> &opened();
}

}
