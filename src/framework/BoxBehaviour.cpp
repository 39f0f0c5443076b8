#include "framework/BoxBehaviour.h"

#include "framework/Keyboard.h"
#include "framework/Routines.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>

namespace Box {

namespace {

// The layout of kind L, at any depth under layout, that holds w directly.
template <class L>
L *holding(QLayout *layout, QWidget *w)
{
    if (!layout)
        return nullptr;
    if (auto *found = qobject_cast<L *>(layout); found && found->indexOf(w) >= 0)
        return found;
    for (int i = 0; i < layout->count(); ++i)
        if (L *found = holding<L>(layout->itemAt(i)->layout(), w))
            return found;
    return nullptr;
}

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
            // A text longer than its box shows its beginning once left, not its end.
            if (QLineEdit *e = editOf(m_box); e && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
                e->setCursorPosition(0);
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
            // Tab and Shift+Tab leave the box as everywhere; a modifier pressed alone (the start
            // of Shift+Tab) does nothing; any other key opens the picker.
            if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab)
                return false;
            switch (e->key()) {
            case Qt::Key_Shift: case Qt::Key_Control: case Qt::Key_Alt: case Qt::Key_AltGr: case Qt::Key_Meta:
            case Qt::Key_Super_L: case Qt::Key_Super_R: case Qt::Key_CapsLock: case Qt::Key_NumLock:
            case Qt::Key_ScrollLock:
                return true;
            default:
                break;
            }
            if (erase) {
                if (QLineEdit *le = editOf(m_box))
                    le->clear();
            } else {
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
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const bool comma = m_options.keys == Keys::Amount && c == QLatin1Char(',');
        return !(digit || comma);
    }

    // Pasted text is let in and judged here (typed points never get in: the amount keys
    // drop them), read with the points an Italian figure may hold ("12.500,50", "1.234",
    // "12.50"). What is still not an amount becomes 0,00 as the rule says, but never silently.
    void applyAmountRule(QLineEdit *e)
    {
        const QString typed = e->text();
        const QString normal = Routines::amountRule(Routines::amountReading(typed), m_options.amountDecimals);
        if (normal.size() > e->maxLength())
            e->setMaxLength(int(normal.size()));
        const bool refused = normal == QLatin1String("0,00") && !Routines::trimmed(typed).isEmpty()
                             && !Routines::parseNumber(Routines::amountReading(typed));
        if (normal != typed) {
            m_rewriting = true;
            e->setText(normal);
            m_rewriting = false;
        }
        // A long paste is shown by its beginning: the note must fit beside the box.
        QString shown = Routines::trimmed(typed);
        if (shown.size() > 24)
            shown = shown.left(23) + QChar(0x2026);
        showAmountNote(refused ? QStringLiteral("\"%1\" non è un importo: vale 0,00").arg(shown) : QString());
    }

    void showAmountNote(const QString &text)
    {
        if (text.isEmpty() && !m_note)
            return;
        if (!m_note) {
            m_note = new QLabel(m_box->parentWidget());
            m_note->setObjectName(QStringLiteral("nota") + m_box->objectName());
            m_note->setStyleSheet(QStringLiteral("color: #b03a2e;"));
            m_note->setTextFormat(Qt::PlainText);
            // It takes the room its line leaves and wraps there, so it never widens the form
            // past its window.
            m_note->setWordWrap(true);
            m_note->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
            m_note->setMinimumWidth(m_note->fontMetrics().averageCharWidth() * 12);
            addBeside(m_box, m_note);
            QLayout *top = m_box->parentWidget() ? m_box->parentWidget()->layout() : nullptr;
            if (QBoxLayout *line = holding<QBoxLayout>(top, m_note))
                line->setStretchFactor(m_note, 1);
            if (QLineEdit *e = editOf(m_box))
                QObject::connect(e, &QLineEdit::textChanged, m_note, [this] {
                    if (!m_rewriting)
                        m_note->hide();
                });
        }
        m_note->setText(text);
        m_note->setVisible(!text.isEmpty());
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
    QPointer<QLabel> m_note;
    bool m_rewriting = false;
};

}

void addBeside(QWidget *box, QWidget *extra)
{
    QLayout *top = box->parentWidget() ? box->parentWidget()->layout() : nullptr;
    if (QBoxLayout *line = holding<QBoxLayout>(top, box)) {
        // After the box and the button put beside it.
        int at = line->indexOf(box) + 1;
        if (at < line->count() && qobject_cast<QAbstractButton *>(line->itemAt(at)->widget()))
            ++at;
        line->insertWidget(at, extra);
        return;
    }
    if (QGridLayout *grid = holding<QGridLayout>(top, box)) {
        // A box alone in its cell shares the cell with what goes beside it.
        int row, column, rows, columns;
        grid->getItemPosition(grid->indexOf(box), &row, &column, &rows, &columns);
        const Qt::Alignment align = grid->itemAt(grid->indexOf(box))->alignment();
        grid->removeWidget(box);
        auto *line = new QHBoxLayout;
        line->setContentsMargins(0, 0, 0, 0);
        line->addWidget(box);
        line->addWidget(extra);
        line->addStretch(1);
        grid->addLayout(line, row, column, rows, columns, align);
        return;
    }
}

namespace {

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
