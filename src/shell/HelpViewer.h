#pragma once
#include <QDialog>

class QLabel;
class QPlainTextEdit;

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
