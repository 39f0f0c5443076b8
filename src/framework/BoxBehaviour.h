#pragma once
#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>

class QLineEdit;

// The conventions every text box follows: Enter moves along a chain, key filters, rewriting
// on key release, the focus highlight and the amount rule when the box is left.
namespace Box {

enum class Keys { Any, Digits, Amount, None };   // None: every key is swallowed

struct Options {
    Keys keys = Keys::Any;
    bool capitals = false;         // on key release: trimmed, a-z to A-Z
    bool trimOnKeyUp = false;      // on key release: trimmed
    int amountDecimals = -1;       // >= 0: amount rule with these decimals when left
    std::function<void()> picker = {};  // set: picker-only date box, any key but Backspace/Delete opens it
};

// Applies the options to a line edit or an editable combo box.
void setup(QWidget *box, const Options &options = {});
// Enter in each box moves the focus to the next; the last leads back to the first.
void chain(const QList<QWidget *> &boxes);
// Enter moves the focus to target (and does not press it).
void enterTo(QWidget *box, QWidget *target);
// A highlight rectangle "eff" + name (without "txt") behind the box, shown while it has focus.
QWidget *highlight(QWidget *box);
// Puts extra on the box's line, after the box (and the button beside it, if any).
void addBeside(QWidget *box, QWidget *extra);

}
