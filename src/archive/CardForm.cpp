#include "archive/CardForm.h"

#include "framework/BoxBehaviour.h"
#include "framework/WorkWindow.h"
#include "framework/WrappedLineEdit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace CardForm {

int boxWidth(const QWidget *box, int chars)
{
    const QFontMetrics fm(box->font());
    const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
    // Capitals are the widest of what codes and dates hold; a combo box adds its arrow.
    int extra = 2 * frame + 10;
    if (qobject_cast<const QComboBox *>(box))
        extra += box->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, box) + 8;
    return fm.horizontalAdvance(QString(chars, QLatin1Char('X'))) + extra;
}

QString bandName(const char *kind, const char *prefix, int band)
{
    return QLatin1String(kind) + QLatin1String(prefix) + QStringLiteral("%1").arg(band, 2, 10, QLatin1Char('0'));
}

void addBeside(QWidget *box, QWidget *extra)
{
    Box::addBeside(box, extra);
}

namespace {

// Ctrl+Tab leaves a table of bands for the control after it, Ctrl+Shift+Tab for the one
// before it, instead of a Tab for every cell.
class GridExit : public QObject
{
public:
    static void install(const QVector<QWidget *> &cells)
    {
        if (cells.isEmpty())
            return;
        auto *exit = new GridExit(cells.first()->parentWidget());
        exit->m_first = cells.first();
        exit->m_last = cells.last();
        for (QWidget *w : cells)
            w->installEventFilter(exit);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *e = static_cast<QKeyEvent *>(event);
        if (!(e->modifiers() & Qt::ControlModifier) || (e->key() != Qt::Key_Tab && e->key() != Qt::Key_Backtab))
            return false;
        const bool back = e->key() == Qt::Key_Backtab || (e->modifiers() & Qt::ShiftModifier);
        for (QWidget *w = back ? m_first->previousInFocusChain() : m_last->nextInFocusChain(); w && w != m_first && w != m_last;
             w = back ? w->previousInFocusChain() : w->nextInFocusChain()) {
            if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled()
                && w->window() == m_first->window() && !w->focusProxy()) {
                w->setFocus(back ? Qt::BacktabFocusReason : Qt::TabFocusReason);
                return true;
            }
        }
        return true;
    }

private:
    using QObject::QObject;
    QWidget *m_first = nullptr;
    QWidget *m_last = nullptr;
};

struct Builder {
    WorkWindow *screen;
    const RecordLayout &layout;

    int fieldWidth(const QString &field) const
    {
        const int i = layout.indexOf(field);
        return i >= 0 ? layout.field(i).width : 0;
    }

    QWidget *button(QWidget *parent, const Button &b, const QString &name) const
    {
        QAbstractButton *w;
        if (b.glyph) {
            auto *t = new QToolButton(parent);
            t->setIcon(Pictures::tile(QString::fromUtf8(b.glyph), QColor(0x2f, 0x6f, 0xb5)));
            t->setIconSize(QSize(20, 20));
            t->setAutoRaise(true);
            w = t;
        } else {
            w = new QPushButton(QString::fromUtf8(b.text), parent);
        }
        w->setObjectName(name);
        // A picture says what it does to a screen reader, as its hint does to the eye.
        if (b.glyph && b.hint) {
            QString name = QString::fromUtf8(b.hint).remove(QStringLiteral("...")).trimmed();
            if (name.endsWith(QLatin1Char('.')))
                name.chop(1);
            w->setAccessibleName(name);
        }
        // Tab reaches it right after its box (a click leaves the focus where it was); Enter
        // on it presses it.
        w->setFocusPolicy(Qt::TabFocus);
        w->setCursor(Qt::PointingHandCursor);
        if (b.hint)
            screen->setHint(w, QString::fromUtf8(b.hint));
        return w;
    }

    // The control of a row; null when the row has no field.
    QWidget *control(QWidget *parent, const Row &row, const QString &field) const
    {
        if (field.isEmpty())
            return nullptr;
        const int stored = fieldWidth(field);
        QWidget *w;
        QLineEdit *edit = nullptr;
        switch (row.kind) {
        case Kind::Check: {
            auto *c = new QCheckBox(QString::fromUtf8(row.caption), parent);
            c->setObjectName(QStringLiteral("chk") + field);
            if (row.hint)
                screen->setHint(c, QString::fromUtf8(row.hint));
            return c;
        }
        case Kind::Lines: {
            // No typing limit: Save cuts the text to its field.
            auto *p = new QPlainTextEdit(parent);
            p->setObjectName(QStringLiteral("txt") + field);
            p->setTabChangesFocus(true);
            const int lines = row.width > 0 ? row.width : 3;
            p->setFixedHeight(p->fontMetrics().lineSpacing() * lines + 2 * p->frameWidth() + 8);
            // Its height is fixed: a box that claims to grow would make its section take the
            // spare room of the column and leave a blank band inside it.
            p->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
            if (row.hint)
                screen->setHint(p, QString::fromUtf8(row.hint));
            return p;
        }
        case Kind::Choice: {
            auto *c = new QComboBox(parent);
            c->setEditable(true);
            c->setInsertPolicy(QComboBox::NoInsert);
            c->setCompleter(nullptr);
            edit = c->lineEdit();
            w = c;
            break;
        }
        default:
            edit = row.kind == Kind::Wrapped ? new WrappedLineEdit(parent) : new QLineEdit(parent);
            w = edit;
            if (row.kind == Kind::Centred)
                edit->setAlignment(Qt::AlignCenter);
            else if (row.kind == Kind::Right)
                edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            break;
        }
        w->setObjectName(QStringLiteral("txt") + field);
        if (stored > 0)
            edit->setMaxLength(stored);
        if (row.width > 0) {
            const int px = boxWidth(w, row.width);
            // A box that can show all its field may hold keeps that size, and so do times,
            // dates and amounts; others may grow.
            if ((stored > 0 && row.width >= stored) || row.kind == Kind::Centred || row.kind == Kind::Right)
                w->setFixedWidth(px);
            else
                w->setMinimumWidth(px);
        }
        if (row.hint)
            screen->setHint(w, QString::fromUtf8(row.hint));
        return w;
    }

    QWidget *captionLabel(QWidget *parent, const Row &row, QWidget *buddy) const
    {
        auto *l = new QLabel(QString::fromUtf8(row.caption), parent);
        l->setBuddy(buddy);
        return l;
    }

    void rows(QWidget *box, QGridLayout *grid, const Section &s) const
    {
        grid->setColumnStretch(1, 1);
        int r = -1;
        QHBoxLayout *line = nullptr;
        bool lineGrows = false;
        const auto endLine = [&] {
            if (line && !lineGrows)
                line->addStretch();
        };
        for (const Row &row : s.rows) {
            const QString field = row.field ? QLatin1String(row.field) : QString();
            QWidget *w = control(box, row, field);
            if (!row.sameLine || !line) {
                endLine();
                ++r;
                line = new QHBoxLayout;
                line->setSpacing(6);
                lineGrows = false;
                grid->addLayout(line, r, 1);
                if (row.caption && row.kind != Kind::Check)
                    grid->addWidget(captionLabel(box, row, w), r, 0,
                                    row.kind == Kind::Lines ? Qt::AlignTop | Qt::AlignLeft : Qt::Alignment());
            } else if (row.caption) {
                line->addSpacing(8);
                line->addWidget(captionLabel(box, row, w));
            }
            if (w) {
                const bool grows = row.kind != Kind::Check && w->maximumWidth() == QWIDGETSIZE_MAX;
                line->addWidget(w, grows ? 1 : 0);
                lineGrows = lineGrows || grows;
            }
            if (row.button.name)
                line->addWidget(button(box, row.button, QLatin1String(row.button.name)));
        }
        endLine();
    }

    void bands(QWidget *box, QGridLayout *grid, const Section &s) const
    {
        grid->setHorizontalSpacing(4);
        grid->setVerticalSpacing(4);
        QVector<QVector<QWidget *>> byBand(s.bands);
        int column = 0;
        for (const Row &row : s.rows) {
            auto *heading = new QLabel(QString::fromUtf8(row.caption), box);
            heading->setAlignment(Qt::AlignCenter);
            QFont f = heading->font();
            f.setBold(true);
            heading->setFont(f);
            const int span = row.button.name ? 2 : 1;
            grid->addWidget(heading, 0, column, 1, span);
            if (row.width == 0)
                grid->setColumnStretch(column, 1);
            for (int band = 1; band <= s.bands; ++band) {
                QWidget *w = control(box, row, bandName("", row.field, band));
                // Column and line, as the table reads: "LUNEDI', riga 3".
                const QString columnName = QString::fromUtf8(row.caption).remove(QLatin1Char(':')).trimmed();
                w->setAccessibleName(QStringLiteral("%1, riga %2").arg(columnName).arg(band));
                // Short boxes stand in the middle of their heading.
                grid->addWidget(w, band, column, row.width > 0 ? Qt::AlignHCenter : Qt::Alignment());
                byBand[band - 1].append(w);
                if (row.button.name) {
                    QWidget *b = button(box, row.button, bandName("", row.button.name, band));
                    b->setAccessibleName(QStringLiteral("%1, riga %2").arg(b->accessibleName()).arg(band));
                    grid->addWidget(b, band, column + 1);
                    byBand[band - 1].append(b);
                }
            }
            column += span;
        }
        // Tab goes along each band, band after band, as the table is read.
        QVector<QWidget *> order;
        for (const QVector<QWidget *> &line : byBand)
            order += line;
        for (qsizetype i = 1; i < order.size(); ++i)
            QWidget::setTabOrder(order.at(i - 1), order.at(i));
        GridExit::install(order);
    }

    QWidget *section(QWidget *form, const Section &s) const
    {
        QWidget *box = s.title ? new QGroupBox(QString::fromUtf8(s.title), form) : new QWidget(form);
        auto *grid = new QGridLayout(box);
        // Without a frame, just the room a focus highlight takes around a box.
        if (!s.title)
            grid->setContentsMargins(4, 2, 4, 2);
        grid->setHorizontalSpacing(8);
        grid->setVerticalSpacing(5);
        if (s.shape == Shape::Bands)
            bands(box, grid, s);
        else
            rows(box, grid, s);
        return box;
    }
};

}

QWidget *build(WorkWindow *screen, const RecordLayout &layout, const std::vector<Section> &sections,
               const QVector<int> &shares)
{
    QWidget *content = screen->findChild<QWidget *>(QStringLiteral("panContenuto"));
    auto *form = new QWidget(content);
    form->setObjectName(QStringLiteral("panScheda"));
    auto *columns = new QHBoxLayout(form);
    columns->setContentsMargins(0, 4, 0, 0);
    columns->setSpacing(8);
    QVector<QVBoxLayout *> col;
    for (int share : shares) {
        auto *c = new QVBoxLayout;
        c->setSpacing(8);
        columns->addLayout(c, share);
        col.append(c);
    }
    const Builder builder{screen, layout};
    // Sections without a frame line up their captions, as one form broken by tables.
    const QFontMetrics fm(form->font());
    int captions = 0;
    for (const Section &s : sections)
        if (!s.title && s.shape == Shape::Rows)
            for (const Row &row : s.rows)
                if (row.caption && !row.sameLine)
                    captions = qMax(captions, fm.horizontalAdvance(QString::fromUtf8(row.caption)));
    for (const Section &s : sections) {
        QWidget *section = builder.section(form, s);
        if (!s.title && s.shape == Shape::Rows)
            static_cast<QGridLayout *>(section->layout())->setColumnMinimumWidth(0, captions);
        col.at(qBound(0, s.column, int(col.size()) - 1))->addWidget(section);
    }
    for (QVBoxLayout *c : col)
        c->addStretch();
    if (auto *outer = qobject_cast<QBoxLayout *>(content->layout()))
        outer->addWidget(form, 1);
    return form;
}

}
