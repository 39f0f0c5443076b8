#include "shell/LinkText.h"

#include <QMouseEvent>
#include <QToolButton>

LinkText::LinkText(const QString &name, const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    setObjectName(name);
    setCursor(Qt::PointingHandCursor);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    colour("darkblue");
}

void LinkText::colour(const char *name)
{
    setStyleSheet(QStringLiteral("color: %1;").arg(QLatin1String(name)));
}

void LinkText::activate()
{
    colour("darkblue");
    if (m_action)
        m_action();
}

void LinkText::attachPicture(QToolButton *picture)
{
    picture->setCursor(Qt::PointingHandCursor);
    connect(picture, &QToolButton::pressed, this, [this] { colour("orange"); });
    connect(picture, &QToolButton::clicked, this, &LinkText::activate);
}

void LinkText::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        colour("orange");
    QLabel::mousePressEvent(event);
}

void LinkText::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        activate();
}
