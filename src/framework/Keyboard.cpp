#include "framework/Keyboard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>

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
    QApplication::setStyle(new FocusFrameStyle(QApplication::style()->name()));
}

void focusByKeyboard(QWidget *target)
{
    if (target && target->window())
        target->window()->setAttribute(Qt::WA_KeyboardFocusChange);
}

}
