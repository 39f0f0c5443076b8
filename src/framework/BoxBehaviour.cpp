#include "framework/BoxBehaviour.h"

#include "app/Routines.h"
#include "framework/Keyboard.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>

namespace Box {

namespace {

QLineEdit *editOf(QWidget *box)
{
    if (auto *e = qobject_cast<QLineEdit *>(box))
        return e;
    if (auto *c = qobject_cast<QComboBox *>(box))
        return c->lineEdit();
    return nullptr;
}

class Behaviour : public QObject
{
public:
    Behaviour(QWidget *box, Options options) : QObject(box), m_box(box), m_options(std::move(options))
    {
        setObjectName(QStringLiteral("boxBehaviour"));
    }

    QPointer<QWidget> next;
    QPointer<QWidget> highlight;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            return keyPress(static_cast<QKeyEvent *>(event));
        case QEvent::KeyRelease:
            keyRelease(static_cast<QKeyEvent *>(event));
            break;
        case QEvent::FocusIn:
            if (highlight)
                highlight->show();
            break;
        case QEvent::FocusOut:
            if (highlight)
                highlight->hide();
            if (m_options.amountDecimals >= 0)
                if (QLineEdit *e = editOf(m_box))
                    applyAmountRule(e);
            break;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            placeHighlight();
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

    void placeHighlight()
    {
        if (!highlight)
            return;
        highlight->setGeometry(m_box->geometry().adjusted(-4, -4, 4, 4));
        highlight->stackUnder(m_box);
        if (!m_box->isVisible() || !m_box->hasFocus())
            highlight->hide();
    }

private:
    bool keyPress(QKeyEvent *e)
    {
        if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && next) {
            Keyboard::focusByKeyboard(next);
            next->setFocus(Qt::TabFocusReason);
            return true;
        }
        const bool erase = e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete;
        const bool passes = erase || e->key() == Qt::Key_Left || e->key() == Qt::Key_Right;
        if (m_options.picker) {
            if (erase) {
                if (QLineEdit *le = editOf(m_box))
                    le->clear();
            } else if (e->key() != Qt::Key_Tab && e->key() != Qt::Key_Backtab) {
                m_options.picker();
            }
            return true;
        }
        if (m_options.keys == Keys::None) {
            // A list whose values come from the list only still opens and moves by keyboard,
            // or a user without a mouse could never choose; typed characters stay out.
            if (qobject_cast<QComboBox *>(m_box)) {
                switch (e->key()) {
                case Qt::Key_Up: case Qt::Key_Down: case Qt::Key_PageUp: case Qt::Key_PageDown:
                case Qt::Key_Home: case Qt::Key_End: case Qt::Key_F4: case Qt::Key_Space:
                    return false;
                default:
                    break;
                }
            }
            return e->key() != Qt::Key_Tab && e->key() != Qt::Key_Backtab;
        }
        if (m_options.keys == Keys::Any || passes)
            return false;
        // Keys without a printable character (Tab, Home, shortcuts) are left to the toolkit.
        const QString text = e->text();
        if (text.isEmpty() || text.at(0).unicode() < 32 || (e->modifiers() & Qt::ControlModifier))
            return false;
        const QChar c = text.at(0);
        // A point typed in an amount is meant as the decimal comma (the keypad gives one).
        if (m_options.keys == Keys::Amount && c == QLatin1Char('.')) {
            if (QLineEdit *le = editOf(m_box))
                le->insert(QStringLiteral(","));
            return true;
        }
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const bool comma = m_options.keys == Keys::Amount && c == QLatin1Char(',');
        return !(digit || comma);
    }

    // Pasted text is let in and judged here, as the amount rule says: what is not a number
    // becomes 0,00. A lone point with no comma, as in "12.50" copied from elsewhere, is the
    // decimal comma. The normalised text is never cut by the box's typing limit.
    void applyAmountRule(QLineEdit *e)
    {
        QString text = e->text();
        if (!text.contains(QLatin1Char(',')) && text.count(QLatin1Char('.')) == 1)
            text.replace(QLatin1Char('.'), QLatin1Char(','));
        const QString normal = Routines::amountRule(text, m_options.amountDecimals);
        if (normal.size() > e->maxLength())
            e->setMaxLength(int(normal.size()));
        if (normal != e->text())
            e->setText(normal);
    }

    void keyRelease(QKeyEvent *)
    {
        if (!m_options.capitals && !m_options.trimOnKeyUp)
            return;
        QLineEdit *e = editOf(m_box);
        if (!e)
            return;
        QString t = Routines::trimmed(e->text());
        if (m_options.capitals)
            t = Routines::upperAZ(t);
        if (t != e->text()) {
            const int pos = qMin(e->cursorPosition(), int(t.size()));
            e->setText(t);
            e->setCursorPosition(pos);
        }
    }

    QWidget *m_box;
    Options m_options;
};

Behaviour *existingBehaviour(QWidget *box)
{
    return static_cast<Behaviour *>(box->findChild<QObject *>(QStringLiteral("boxBehaviour"), Qt::FindDirectChildrenOnly));
}

Behaviour *behaviourOf(QWidget *box)
{
    auto *b = existingBehaviour(box);
    if (!b) {
        b = new Behaviour(box, {});
        box->installEventFilter(b);
    }
    return b;
}

}

void setup(QWidget *box, const Options &options)
{
    Behaviour *existing = existingBehaviour(box);
    QPointer<QWidget> next = existing ? existing->next : nullptr;
    QPointer<QWidget> frame = existing ? existing->highlight : nullptr;
    delete existing;
    auto *b = new Behaviour(box, options);
    b->next = next;
    b->highlight = frame;
    box->installEventFilter(b);
    if (QLineEdit *e = editOf(box)) {
        if (options.picker)
            e->setReadOnly(true);
        // The key filters stop typed keys only: pasted text comes in whole and is judged by
        // the rules that follow (the amount rule, the checks, Save).
    }
}

void chain(const QList<QWidget *> &boxes)
{
    for (int i = 0; i < boxes.size(); ++i)
        enterTo(boxes.at(i), boxes.at((i + 1) % boxes.size()));
}

void enterTo(QWidget *box, QWidget *target)
{
    behaviourOf(box)->next = target;
}

QWidget *highlight(QWidget *box)
{
    Behaviour *b = behaviourOf(box);
    if (b->highlight)
        return b->highlight;
    QString name = box->objectName();
    if (name.startsWith(QLatin1String("txt")))
        name = name.mid(3);
    auto *frame = new QFrame(box->parentWidget());
    frame->setObjectName(QStringLiteral("eff") + name);
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    frame->setStyleSheet(QStringLiteral(
        "QFrame { background: #FFFF00; border: 2px solid qlineargradient(x1:0, y1:0, x2:1, y2:1,"
        " stop:0 #FFFF00, stop:1 #FFFFFF); border-radius: 3px; }"));
    frame->hide();
    b->highlight = frame;
    b->placeHighlight();
    return frame;
}

}
