#pragma once
#include <QWidget>

class QLabel;
class QToolButton;
class QVBoxLayout;

// A large top-level screen: shown maximised, one at a time, kept alive while hidden.
// The content sits on a panel centred in the window; an optional hint line (panInfo) runs
// along the bottom.
class WorkWindow : public QWidget
{
    Q_OBJECT
public:
    WorkWindow(const QString &objectName, const QString &caption, QWidget *parent = nullptr);

    // Shows this window maximised and hides the one that was showing.
    void open();
    QLabel *panInfo() const { return m_panInfo; }

    // A command picture: a flat button with an icon above its text, carrying a hint.
    QToolButton *addCommand(QWidget *parent, const QString &name, const QString &text,
                            const QString &hint, const QString &glyph, const QColor &colour);
    // Writes hint into panInfo while the mouse is over control.
    void setHint(QWidget *control, const QString &hint);
    // Moving over this widget empties panInfo.
    void clearsHint(QWidget *background);

    // Builds the screen's controls now if it has not been shown yet (done before the first
    // show; others may need its controls earlier, to read a box's caption).
    void ensureBuilt();

signals:
    void closed();

protected:
    // Builds the screen's controls; called once, just before the screen is first shown, so
    // that creating every screen at start stays cheap.
    virtual void build() {}
    // The panel that holds the screen's content.
    QWidget *content() const { return m_content; }
    // Creates panInfo with its ready message.
    QLabel *createHintLine(const QString &readyText);
    // What closing does; module screens go back to the main menu.
    virtual void whenClosed();
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void clearsHintOnBackground();
    QWidget *m_content;
    QVBoxLayout *m_outer;
    QLabel *m_panInfo = nullptr;
    bool m_built = false;
    // Until the mouse really moves, the ready message stays: a window that appears under a
    // resting mouse gets an Enter event that nobody caused.
    bool m_mouseStill = true;
};

namespace Pictures {
// A square picture painted with a glyph, used for commands and menus.
QIcon tile(const QString &glyph, const QColor &colour, int size = 48);
// A screen's title: large, bold, slate blue.
QLabel *title(const QString &text, QWidget *parent);
// A picture command: a flat button with its picture above its text.
QToolButton *command(QWidget *parent, const QString &name, const QString &text, const QString &glyph,
                     const QColor &colour, int iconSize = 28);
// Enables a command, or disables it saying that its function is still to come.
void setAvailable(QWidget *command, bool available);
}

namespace Navigation {
// The main menu, shown when a module screen is closed.
void setMainMenu(WorkWindow *menu);
WorkWindow *mainMenu();
// Screens reachable by module tag.
void registerScreen(const QString &tag, WorkWindow *screen);
WorkWindow *screen(const QString &tag);
// The work window currently showing, if any.
WorkWindow *current();
void setCurrent(WorkWindow *w);
}
