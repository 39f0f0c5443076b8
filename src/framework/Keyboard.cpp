#include "framework/Keyboard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QHash>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>
#include <QTimer>

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

// A dialog gives the focus back when it closes: the window that was active when it opened is
// activated again, with the focus where it was. A dialog that closes right after its own
// message box would otherwise leave the window manager holding the focus, and typed keys
// would go nowhere. A window also shows its focus from the moment it opens, not only after
// the first Tab.
class FocusReturns : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::Show && type != QEvent::Hide)
            return false;
        auto *window = qobject_cast<QWidget *>(watched);
        if (!window || !window->isWindow() || event->spontaneous())
            return false;
        const Qt::WindowType kind = window->windowType();
        if (kind == Qt::Popup || kind == Qt::ToolTip || kind == Qt::SplashScreen)
            return false;
        if (type == QEvent::Show) {
            window->setAttribute(Qt::WA_KeyboardFocusChange);
            if (auto *dialog = qobject_cast<QDialog *>(window))
                remember(dialog);
        } else if (auto *dialog = qobject_cast<QDialog *>(window)) {
            giveBack(dialog);
        }
        return false;
    }

private:
    struct Opener {
        QPointer<QWidget> window;
        QPointer<QWidget> focus;
    };

    void remember(QDialog *dialog)
    {
        QWidget *opener = QApplication::activeWindow();
        if (!opener || opener == dialog)
            opener = dialog->parentWidget() ? dialog->parentWidget()->window() : nullptr;
        if (!opener)
            return;
        if (!m_openers.contains(dialog))
            connect(dialog, &QObject::destroyed, this, [this, dialog] { m_openers.remove(dialog); });
        m_openers.insert(dialog, Opener{opener, opener->focusWidget()});
    }

    void giveBack(QDialog *dialog)
    {
        const Opener opener = m_openers.value(dialog);
        if (!opener.window)
            return;
        // Once the events of the closing have been handled: the code that closed the dialog
        // may still show another window, which then keeps the focus.
        QPointer<QDialog> closed(dialog);
        QTimer::singleShot(0, opener.window, [opener, closed] {
            QWidget *window = opener.window;
            if (!window || !window->isVisible() || (closed && closed->isVisible()))
                return;
            QWidget *active = QApplication::activeWindow();
            if (active && active != closed && active->isVisible())
                return;
            window->activateWindow();
            QWidget *focus = opener.focus;
            if (focus && focus->window() == window && focus->isVisible() && focus->isEnabled())
                focus->setFocus(Qt::ActiveWindowFocusReason);
        });
    }

    QHash<QObject *, Opener> m_openers;
};

// The style's own focus mark on a button is a faint line; a keyboard user must see at a
// glance which button Enter will press, so a focused button gets a clear frame.
class FocusFrameStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        QProxyStyle::drawControl(element, option, painter, widget);
        if (element == CE_PushButtonBevel)
            frame(option, painter);
    }
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget) const override
    {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        if (control == CC_ToolButton)
            frame(option, painter);
    }

private:
    static void frame(const QStyleOption *option, QPainter *painter)
    {
        if (!(option->state & State_HasFocus) || !(option->state & State_KeyboardFocusChange))
            return;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(QColor(0x1E, 0x6F, 0xD9), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(QRectF(option->rect).adjusted(1.5, 1.5, -1.5, -1.5), 3, 3);
        painter->restore();
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
    qApp->installEventFilter(new FocusReturns(qApp));
    QApplication::setStyle(new FocusFrameStyle(QApplication::style()->name()));
}

void focusByKeyboard(QWidget *target)
{
    if (target && target->window())
        target->window()->setAttribute(Qt::WA_KeyboardFocusChange);
}

}
