#include "framework/Keyboard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>

namespace Keyboard {

namespace {

class EnterPresses : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        auto *button = qobject_cast<QAbstractButton *>(watched);
        if (!button || !button->hasFocus() || !button->isEnabled() || !button->isVisible())
            return false;
        if (key->isAutoRepeat())
            return true;
        button->click();
        return true;
    }
};

}

void install()
{
    static EnterPresses *filter = nullptr;
    if (filter || !qApp)
        return;
    filter = new EnterPresses(qApp);
    qApp->installEventFilter(filter);
}

void focusByKeyboard(QWidget *target)
{
    if (target && target->window())
        target->window()->setAttribute(Qt::WA_KeyboardFocusChange);
}

}
