#include "checks/CheckDialog.h"

#include "checks/CardCheck.h"
#include "checks/CodFiscCheck.h"
#include "checks/IbanCheck.h"
#include "checks/PartitaIvaCheck.h"
#include "framework/BoxBehaviour.h"
#include "framework/Dialogs.h"
#include "framework/Routines.h"
#include "workers/WorkerCardScreen.h"
#include "worklog/WorkCardScreen.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

CheckDialog::CheckDialog(const Setup &setup, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint),
      m_check(setup.check)
{
    setObjectName(QLatin1String(setup.objectName));
    setWindowTitle(QString::fromUtf8(setup.caption));
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(24, 20, 24, 16);
    outer->setSpacing(12);
    auto *prompt = new QLabel(QString::fromUtf8(setup.prompt), this);
    outer->addWidget(prompt);
    m_box = new QLineEdit(this);
    prompt->setBuddy(m_box);
    m_box->setObjectName(QLatin1String(setup.box));
    m_box->setMaxLength(setup.maxLength);
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::Monospace);
    mono.setPointSize(font().pointSize() + 2);
    m_box->setFont(mono);
    outer->addWidget(m_box);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *check = new QPushButton(QStringLiteral("Controlla"), this);
    check->setObjectName(QStringLiteral("btnControlla"));
    auto *close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setObjectName(QStringLiteral("btnChiudi"));
    buttons->addWidget(check);
    buttons->addWidget(close);
    outer->addLayout(buttons);
    Box::setup(m_box, {.keys = setup.digitsOnly ? Box::Keys::Digits : Box::Keys::Any, .capitals = setup.capitals});
    Box::highlight(m_box);
    Box::enterTo(m_box, check);
    connect(check, &QPushButton::clicked, this, &CheckDialog::runCheck);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(qMax(460, sizeHint().width()), sizeHint().height());
}

void CheckDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_box->setFocus();
}

void CheckDialog::runCheck()
{
    const Answer answer = m_check(m_box->text());
    Dialogs::show(this, answer.message);
    if (answer.refused) {
        m_box->setFocus();
        return;
    }
    accept();
}

const CheckDialog::Setup &CheckDialog::setup(Kind kind)
{
    static const Setup setups[] = {
        {"TfrmCodFisc", " Controllo codice fiscale", "Immettere il codice fiscale e premere il pulsante di controllo.",
         "txtCodFisc", 16, false, true,
         [](const QString &text) {
             const auto outcome = CodFiscCheck::check(text);
             return Answer{CodFiscCheck::message(outcome), outcome == CodFiscCheck::Outcome::WrongLength};
         }},
        {"TfrmPartitaIva", " Controllo partita IVA",
         "Immettere il numero di partita IVA e premere il pulsante di controllo.", "txtPartitaIva", 11, true, false,
         [](const QString &text) {
             const auto result = PartitaIvaCheck::check(text);
             return Answer{PartitaIvaCheck::message(result), result.outcome == PartitaIvaCheck::Outcome::WrongLength};
         }},
        {"TfrmIban", " Controllo IBAN", "Immettere l'IBAN e premere il pulsante di controllo.", "txtIban", 27, false,
         true,
         [](const QString &text) {
             const auto outcome = IbanCheck::check(text);
             return Answer{IbanCheck::message(outcome), outcome == IbanCheck::Outcome::WrongLength};
         }},
        {"TfrmCarta", " Controllo carta di credito",
         "Immettere il numero di carta di credito e premere il pulsante di controllo.", "txtNumero", 30, true, true,
         [](const QString &text) {
             const auto result = CardCheck::check(text);
             return Answer{CardCheck::message(result), result.outcome == CardCheck::Outcome::Empty};
         }},
    };
    return setups[static_cast<int>(kind)];
}

namespace CheckDialogs {

void open(CheckDialog::Kind kind, QWidget *owner, const QString &text)
{
    CheckDialog screen(kind, owner);
    screen.box()->setText(text);
    screen.exec();
}

void openTaxCode(QWidget *owner, const QString &code)
{
    if (!code.isEmpty() && Routines::isDigits(code))
        open(CheckDialog::Kind::PartitaIva, owner, code);
    else
        open(CheckDialog::Kind::CodiceFiscale, owner, code);
}

void install()
{
    WorkerCardScreen::openTaxCodeCheck = &openTaxCode;
    WorkerCardScreen::openVatCheck = [](QWidget *owner, const QString &text) { open(CheckDialog::Kind::PartitaIva, owner, text); };
    WorkerCardScreen::openIbanCheck = [](QWidget *owner, const QString &text) { open(CheckDialog::Kind::Iban, owner, text); };
    WorkerCardScreen::openCardCheck = [](QWidget *owner, const QString &text) { open(CheckDialog::Kind::CardNumber, owner, text); };
    WorkCardScreen::openTaxCodeCheck = &openTaxCode;
}

}
