#pragma once
#include <QLabel>

#include <functional>

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
