#pragma once
#include <QDialog>
#include <QLabel>

#include <functional>

class QPlainTextEdit;
class QToolButton;

// A link text: orange while the mouse button is down on it, dark blue once released, when
// it runs its action. Its picture beside it does the same.
class LinkText : public QLabel
{
    Q_OBJECT
public:
    LinkText(const QString &name, const QString &text, QWidget *parent);
    void setAction(std::function<void()> action) { m_action = std::move(action); }
    // Colours the link dark blue and runs the action, as a click does.
    void activate();
    // A picture that activates the link.
    void attachPicture(QToolButton *picture);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void colour(const char *name);
    std::function<void()> m_action;
};

// The help viewer: a topic's title and text, and the way to the whole guide in PDF.
class HelpViewer : public QDialog
{
    Q_OBJECT
public:
    explicit HelpViewer(QWidget *parent = nullptr);
    void setTopic(const QString &title, const QString &text);

    // Shows the topic with this title, modally, over parent.
    static void openTopic(QWidget *parent, const QString &title);
    // Every button under root that carries a "helpTopic" property, or is a help command of a
    // screen that has a topic, opens its topic from now on.
    static void wire(QWidget *root);

private:
    QLabel *m_title;
    QPlainTextEdit *m_text;
};
