#pragma once
#include "framework/Keyboard.h"
#include "framework/WorkWindow.h"

#include <QColor>
#include <QToolButton>

// What the menus share: their colours, their small pictures and how they put the focus.
namespace MenuStyle {

inline const QColor Slate(0x46, 0x5a, 0x6e);
inline const QColor ExitRed(0xb0, 0x3a, 0x2e);

// A small picture with its caption under it; disabled ones belong to screens still to come.
inline QToolButton *smallPicture(QWidget *parent, const char *name, const char *text, const char *glyph,
                                 const QColor &colour, bool enabled = true)
{
    QToolButton *b = Pictures::command(parent, QLatin1String(name), QString::fromUtf8(text), QString::fromUtf8(glyph), colour);
    Pictures::setAvailable(b, enabled);
    return b;
}

// Gives w the focus as the keyboard would, so that it shows.
inline void focusInSight(QWidget *w)
{
    if (!w)
        return;
    Keyboard::focusByKeyboard(w);
    w->setFocus(Qt::TabFocusReason);
}

}
