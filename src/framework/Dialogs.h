#pragma once
#include "framework/Message.h"

#include <QString>
#include <QStringList>
#include <QVector>

class QWidget;

// Every message box, input box and file chooser of the program goes through here, so tests
// can answer them and see what was shown.
namespace Dialogs {

enum class Kind { Warning, Error, Information, Question, Notice };

struct Shown {
    Kind kind;
    QString text;
    QString title;
    bool waitCursor = false;   // the pointer still said "wait" while the box was up
};

// Warning, error and information boxes: OK and Cancel, the answer ignored.
void warning(QWidget *parent, const QString &text);
void error(QWidget *parent, const QString &text);
void information(QWidget *parent, const QString &text);
// Yes and No; returns true for Yes. Enter answers Yes unless noByDefault: a question whose
// Yes would throw away someone's work leaves Enter on No.
bool question(QWidget *parent, const QString &text, bool noByDefault = false);
// A question with buttons of its own, in order; returns the index of the one pressed. Enter
// presses defaultIndex; Esc and the window's close button count as the last button.
int choice(QWidget *parent, const QString &text, const QStringList &buttons, int defaultIndex);
// A plain message with OK only, no icon.
void notice(QWidget *parent, const QString &text);

// Shows a core result in the box of its kind (nothing for MessageKind::None).
void show(QWidget *parent, const Message &message);

// A text input box; returns false when cancelled.
bool inputBox(QWidget *parent, const QString &title, const QString &prompt, QString &value);

// The text of the archive-access message.
QString archiveAccessText();

// Test hooks: while test mode is on nothing is displayed; every box is recorded, questions
// take the queued answers (No when none is queued) and input boxes the queued texts
// (cancelled when none is queued).
namespace Test {
void setEnabled(bool on);
bool enabled();
QVector<Shown> &shown();
Shown last();
void clear();
void queueAnswer(bool yes);
void queueInput(const QString &text);   // a null QString means "cancelled"
void queueChoice(int index);             // for choice(); its default when none is queued
}

}
