#include "framework/WorkWindow.h"

#include "framework/HelpHook.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QGraphicsView>
#include <QHash>
#include <QIconEngine>
#include <QPixmapCache>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

WorkWindow::WorkWindow(const QString &objectName, const QString &caption, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    resize(1016, 713);
    m_outer = new QVBoxLayout(this);
    m_outer->setContentsMargins(0, 0, 0, 0);
    m_outer->setSpacing(0);
    // A window never grows past the screen: what does not fit scrolls inside it, and the
    // status line stays in sight at the bottom.
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("panScorrimento"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setFocusPolicy(Qt::NoFocus);
    m_content = new QWidget;
    m_content->setObjectName(QStringLiteral("panContenuto"));
    scroll->setWidget(m_content);
    m_outer->addWidget(scroll, 1);
    clearsHint(this);
    clearsHint(m_content);
}

void WorkWindow::open()
{
    ensureBuilt();
    WorkWindow *previous = Navigation::current();
    // Fill the screen even where no window manager honours "maximised".
    if (QScreen *s = screen())
        setGeometry(s->availableGeometry());
    showMaximized();
    raise();
    activateWindow();
    Navigation::setCurrent(this);
    if (previous && previous != this)
        previous->hide();
}

QLabel *WorkWindow::createHintLine(const QString &readyText)
{
    m_panInfo = new QLabel(readyText, this);
    m_panInfo->setObjectName(QStringLiteral("panInfo"));
    m_panInfo->setProperty("readyText", readyText);
    m_panInfo->setFrameShape(QFrame::StyledPanel);
    m_panInfo->setFrameShadow(QFrame::Sunken);
    m_panInfo->setContentsMargins(8, 3, 8, 3);
    m_outer->addWidget(m_panInfo);
    return m_panInfo;
}

QToolButton *WorkWindow::addCommand(QWidget *parent, const QString &name, const QString &text,
                                    const QString &hint, const QString &glyph, const QColor &colour)
{
    QToolButton *b = Pictures::command(parent, name, text, glyph, colour, 32);
    b->setMinimumWidth(56);
    setHint(b, hint);
    return b;
}

void WorkWindow::setHint(QWidget *control, const QString &hint)
{
    control->setProperty("hint", hint);
    // What the status line shows under the mouse, a screen reader says after the name.
    control->setAccessibleDescription(hint.trimmed());
    control->setMouseTracking(true);
    control->installEventFilter(this);
}

void WorkWindow::clearsHint(QWidget *background)
{
    background->setProperty("hint", QString());
    background->setMouseTracking(true);
    background->installEventFilter(this);
}

bool WorkWindow::eventFilter(QObject *watched, QEvent *event)
{
    const bool enter = event->type() == QEvent::Enter;
    const bool firstMove = event->type() == QEvent::MouseMove && m_mouseStill;
    if ((enter || firstMove) && m_panInfo) {
        if (firstMove)
            m_mouseStill = false;
        const QVariant hint = watched->property("hint");
        if (hint.isValid() && !m_mouseStill)
            m_panInfo->setText(hint.toString());
    }
    return QWidget::eventFilter(watched, event);
}

void WorkWindow::ensureBuilt()
{
    if (m_built)
        return;
    m_built = true;
    build();
    HelpHook::wire(this);
    clearsHintOnBackground();
}

// Panels, frames, labels and other shapes that take no focus are background: the mouse over
// them empties the hint line. Commands keep their hints; text boxes leave the line alone.
void WorkWindow::clearsHintOnBackground()
{
    for (QWidget *w : findChildren<QWidget *>()) {
        if (w == m_panInfo || w->property("hint").isValid() || qobject_cast<QAbstractButton *>(w))
            continue;
        if (w->focusPolicy() == Qt::NoFocus || qobject_cast<QGraphicsView *>(w))
            clearsHint(w);
    }
}

void WorkWindow::showEvent(QShowEvent *event)
{
    ensureBuilt();
    QWidget::showEvent(event);
    if (m_panInfo && !event->spontaneous()) {
        m_panInfo->setText(m_panInfo->property("readyText").toString());
        m_mouseStill = true;
    }
}

void WorkWindow::whenClosed()
{
    if (WorkWindow *menu = Navigation::mainMenu(); menu && menu != this)
        menu->open();
}

void WorkWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    whenClosed();
    if (Navigation::current() == this)
        Navigation::setCurrent(nullptr);
    emit closed();
}

namespace Pictures {
namespace {
// Paints a tile only when it is first shown: start-up creates every screen, and painting
// dozens of pictures there would be work no one sees yet.
class TileEngine : public QIconEngine
{
public:
    TileEngine(const QString &glyph, const QColor &colour) : m_glyph(glyph), m_colour(colour) {}

    void paint(QPainter *p, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        p->save();
        p->setRenderHint(QPainter::Antialiasing);
        const QColor colour = mode == QIcon::Disabled ? QColor(0x9a, 0x9e, 0xa4) : m_colour;
        QLinearGradient g(rect.topLeft(), rect.bottomLeft());
        g.setColorAt(0, colour.lighter(135));
        g.setColorAt(1, colour.darker(115));
        p->setBrush(g);
        p->setPen(QPen(colour.darker(140), qMax(1.0, rect.width() / 48.0)));
        const QRectF r = QRectF(rect).adjusted(1, 1, -1, -1);
        p->drawRoundedRect(r, r.width() / 6.0, r.width() / 6.0);
        QFont f = p->font();
        f.setBold(true);
        f.setPixelSize(qMax(1, int(rect.height() * (m_glyph.size() > 1 ? 0.42 : 0.6))));
        p->setFont(f);
        p->setPen(Qt::white);
        p->drawText(rect, Qt::AlignCenter, m_glyph);
        p->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        const QString key = QStringLiteral("tile:%1:%2:%3x%4:%5")
                                .arg(m_glyph, m_colour.name())
                                .arg(size.width())
                                .arg(size.height())
                                .arg(int(mode));
        QPixmap pm;
        if (QPixmapCache::find(key, &pm))
            return pm;
        pm = QPixmap(size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        paint(&p, QRect(QPoint(), size), mode, state);
        p.end();
        QPixmapCache::insert(key, pm);
        return pm;
    }

    QIconEngine *clone() const override { return new TileEngine(m_glyph, m_colour); }

private:
    QString m_glyph;
    QColor m_colour;
};
}

QIcon tile(const QString &glyph, const QColor &colour, int)
{
    return QIcon(new TileEngine(glyph, colour));
}

QLabel *title(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    QFont f = l->font();
    f.setPointSize(f.pointSize() + 10);
    f.setBold(true);
    l->setFont(f);
    l->setStyleSheet(QStringLiteral("color: #2f4f6f;"));
    return l;
}

QToolButton *command(QWidget *parent, const QString &name, const QString &text, const QString &glyph,
                     const QColor &colour, int iconSize)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(text);
    b->setIcon(tile(glyph, colour, 32));
    b->setIconSize(QSize(iconSize, iconSize));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setAutoRaise(true);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

void setAvailable(QWidget *command, bool available)
{
    command->setEnabled(available);
    command->setToolTip(available ? QString() : QStringLiteral("Funzione non disponibile in questa versione."));
}
}

namespace Navigation {
namespace {
QPointer<WorkWindow> menu;
QPointer<WorkWindow> showing;
QHash<QString, QPointer<WorkWindow>> screens;
}
void setMainMenu(WorkWindow *m) { menu = m; }
WorkWindow *mainMenu() { return menu; }
void registerScreen(const QString &tag, WorkWindow *s) { screens.insert(tag, s); }
WorkWindow *screen(const QString &tag) { return screens.value(tag); }
WorkWindow *current() { return showing; }
void setCurrent(WorkWindow *w) { showing = w; }
}
