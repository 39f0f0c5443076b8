#pragma once
#include <QDialog>

class QLabel;
class QLineEdit;

// Up to three files referred to by the current card, each with a description. The dialog
// edits copies; "Applica e chiudi" writes them back into the hidden labels of the screen
// named by the tag in lblMemory, and the card's Save stores them.
class AttachFolderDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AttachFolderDialog(QWidget *parent = nullptr);

    // Opens the dialog on the card that screen shows, for the given module tag.
    static void open(QWidget *screen, const QString &tag);
    // The module tag of a card screen, by its objectName; empty for any other screen.
    static QString tagFor(const QString &screenName);

private:
    void browse(int slot);
    void openFile(int slot);
    void apply();
    QLineEdit *path(int slot) const;
    QLineEdit *description(int slot) const;

    QLabel *m_memory;
};
