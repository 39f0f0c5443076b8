#pragma once
#include "framework/Message.h"

#include <QDialog>
#include <functional>

class QLineEdit;

// The frame all identifier checks share: one box, "Controlla" and "Chiudi". The check
// answers with its message and whether the entry was refused (the screen then stays open).
class CheckDialog : public QDialog
{
    Q_OBJECT
public:
    struct Answer {
        Message message;
        bool refused = false;
    };
    struct Setup {
        const char *objectName;
        const char *caption;
        const char *prompt;
        const char *box;
        int maxLength;
        bool digitsOnly;
        bool capitals;
        std::function<Answer(const QString &)> check;
    };
    // The four checks differ only by their set-up.
    enum class Kind { CodiceFiscale, PartitaIva, Iban, CardNumber };
    static const Setup &setup(Kind kind);

    CheckDialog(const Setup &setup, QWidget *parent);
    explicit CheckDialog(Kind kind, QWidget *parent = nullptr) : CheckDialog(setup(kind), parent) {}
    QLineEdit *box() const { return m_box; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void runCheck();
    QLineEdit *m_box;
    std::function<Answer(const QString &)> m_check;
};

namespace CheckDialogs {
// Creates the check screen, fills its box, shows it modally and destroys it.
void open(CheckDialog::Kind kind, QWidget *owner, const QString &text);
// The codice fiscale command of the cards: a code made only of digits is a partita IVA.
void openTaxCode(QWidget *owner, const QString &trimmedCode);
// Connects the worker card's check buttons.
void install();
}
