#pragma once

class QWidget;

// Keyboard rules that hold on every screen, installed once for the whole program:
// Enter on a focused button presses it, a focus moved by Enter is shown as a focus moved by
// Tab is, every window shows its focus from the moment it opens, and a dialog that closes
// gives the focus back to the window that opened it.
namespace Keyboard {

void install();
// Marks the focus change about to happen as made by the keyboard, so that the style draws
// the focus frame on the control that receives it.
void focusByKeyboard(QWidget *target);

}
