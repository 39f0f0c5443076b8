#pragma once
#include <QString>
#include <QStringList>
#include <QVector>

// The help texts: one topic per screen family, shown by the help viewer and gathered, in
// this order, into the user guide.
namespace HelpTopics {

struct Topic {
    QString title;
    QStringList paragraphs;
    // The paragraphs as the viewer shows them, separated by a blank line.
    QString text() const;
};

const QVector<Topic> &all();
// The topic with this title; an empty topic for an unknown title.
Topic find(const QString &title);
// The topic a screen's help command opens, by the screen's objectName; empty if none.
QString forScreen(const QString &screenName);

QString generalTitle();

}
