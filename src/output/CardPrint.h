#pragma once
#include "framework/Report.h"

#include <QDate>
#include <QDialog>
#include <QTime>

#include <functional>

// The printed card of a card screen: a fixed page whose named slots take the texts the
// screen's controls hold at the moment of printing, unsaved edits included.
namespace CardPrint {

enum class Kind { Worker, Schedule, Daily, Weekly, Work };

// The print and preview dialogs, each opened by one command of one screen.
struct Dialog {
    const char *name;     // the dialog's objectName
    const char *screen;   // the opener's objectName
    const char *command;  // the opener's command
    Kind kind;
    bool preview;         // shows the page in the preview window instead of printing it
};
const QVector<Dialog> &dialogs();
const Dialog *dialogFor(const QString &screen, const QString &command);
// The page a screen prints, or null for a screen without one.
const Kind *kindOf(const QString &screen);

// A slot and what fills it: each {txtName} of the pattern is that control's text, trimmed;
// the rest is written as it stands.
struct Fill {
    QString slot;
    QString pattern;
};
QVector<Fill> fills(Kind kind);
QString compose(const QString &pattern, const std::function<QString(const QString &control)> &text);

// The name a print to a file proposes: what the card is and whose, or its number when the
// boxes that name it are empty.
QString documentName(Kind kind, const std::function<QString(const QString &control)> &text);

// The page as designed, every slot holding its design text.
Report::Template page(Kind kind);
// "Stampa eseguita in data dd/mm/yyyy alle ore " and the time in the system's long format.
QString footer(const QDate &date, const QTime &time);
// The page filled from the controls' texts, with the given moment in the footer.
Report::Template filled(Kind kind, const std::function<QString(const QString &control)> &text, const QDate &date,
                        const QTime &time);
// The page filled from a screen's controls now.
Report::Template fromScreen(Kind kind, const QWidget *screen);

}

// The small dialog between a card screen's print or preview command and the output: it says
// what will happen, and "Stampa" (or "Mostra anteprima") prints or shows the card. One class
// for every dialog, named after its entry in CardPrint::dialogs().
class CardPrintDialog : public QDialog
{
    Q_OBJECT
public:
    CardPrintDialog(const CardPrint::Dialog &dialog, QWidget *screen);

    // Creates the dialog for the screen's command, shows it modally and destroys it.
    static void open(QWidget *screen, const CardPrint::Dialog &dialog);
    // Fills the page from the screen, prints it or shows it, and closes the dialog.
    void output();

private:
    const CardPrint::Dialog &m_dialog;
    QWidget *m_screen;
};
