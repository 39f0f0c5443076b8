#pragma once
#include <QDialog>

#include <functional>

class QLabel;

// Writes the project card on view into Scheda_Progetto.rtf and offers to open it.
class ProjectRtfDialog : public QDialog
{
    Q_OBJECT
public:
    // The text each field shows on the card, unsaved edits included.
    using CardText = std::function<QString(const QString &field)>;

    ProjectRtfDialog(CardText shownText, QWidget *parent = nullptr);
    static void open(QWidget *parent, const QString &mode, CardText shownText);
    void setMode(const QString &tag);

public slots:
    void exportCard();

private:
    CardText m_shownText;
    QLabel *m_memory;
};
