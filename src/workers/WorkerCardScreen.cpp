#include "workers/WorkerCardScreen.h"

#include "archive/CardForm.h"
#include "framework/BoxBehaviour.h"
#include "framework/Clock.h"
#include "framework/Desktop.h"
#include "framework/Dialogs.h"
#include "framework/Routines.h"
#include "settings/ProgramFolder.h"
#include "workers/WorkerRecord.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

// The form, group by group; short fields share a line so that every value shows whole on
// a 1024-pixel screen in two columns.
using CardForm::Kind;
using CardForm::Row;
const std::vector<CardForm::Section> &sections()
{
    static const std::vector<CardForm::Section> s = {
        {"Dati anagrafici", 0,
         {{"Cognome:", "Cognome"},
          {"Nome:", "Nome"},
          {"Codice fiscale:", "CodFisc", Kind::Text, 18, {"btnCodFisc", "Controlla", "Controlla il codice fiscale."}},
          {"Sesso:", "Sesso", Kind::Text, 1},
          {"Data di nascita:", "DataNasc", Kind::Text, 10, {}, true},
          {"Comune di nascita:", "ComuneNasc"},
          {"Prov.", "ProvNasc", Kind::Choice, 2, {}, true},
          {"Partita IVA:", "Iva", Kind::Text, 11, {"btnIva", "Controlla", "Controlla il numero di partita IVA."}},
          {"Stato civile:", "Stato"}}},
        {"Documento di identità", 0,
         {{"Tipo di documento:", "TipoDoc"},
          {"Numero:", "NumDoc"},
          {"Ente di rilascio:", "EnteRil"},
          {"Data di rilascio:", "DataRil", Kind::Text, 10},
          {"Data di scadenza:", "DataSca", Kind::Text, 10, {}, true}}},
        {"Residenza e recapiti", 0,
         {{"Via e numero civico:", "Indirizzo"},
          {"CAP:", "Cap", Kind::Text, 5, {}, true},
          {"Comune di residenza:", "ComuneRes"},
          {"Prov.", "ProvRes", Kind::Choice, 2, {}, true},
          {"Telefono preferenziale:", "Recapito"},
          {"Tel. casa:", "TelCasa"},
          {"Tel. cellulare:", "TelCel", Kind::Text, 0, {}, true},
          {"Tel. ufficio:", "TelUff"},
          {"Fax:", "Fax", Kind::Text, 0, {}, true},
          {"E-mail:", "Email", Kind::Text, 26, {"btnEmail", "Scrivi", "Invia una e-mail all'indirizzo indicato."}}}},
        {"Banca e pagamento", 1,
         {{"IBAN:", "Iban", Kind::Text, 27, {"btnIban", "Controlla", "Controlla l'IBAN."}},
          {"Intestatario C/C:", "Intestatario"},
          {"Banca:", "Banca"},
          {"Carta di credito n.", "Carta", Kind::Text, 19, {"btnCarta", "Controlla", "Controlla il numero di carta di credito."}},
          {"Scadenza:", "ScadeCarta", Kind::Text, 10},
          {"Modalità di pagamento:", "Pagamento"}}},
        {"Contratto", 1,
         {{"Mansione:", "Codice"},
          {"Categoria:", "Categoria"},
          {"Livello:", "Zona", Kind::Text, 0, {}, true},
          {"Tipo contratto:", "Acquisto"},
          {"Data assunzione:", "Decorrenza", Kind::Text, 10},
          {"Prossima scadenza:", "Scadenza", Kind::Text, 10, {}, true},
          {"Giorni di preavviso:", "Preavviso", Kind::Text, 3},
          {"Frazionamento:", "Frazionamento", Kind::Text, 0, {}, true},
          {"Compenso totale: €", "Totale", Kind::Right, 15},
          {"Importo rata: €", "Rata", Kind::Right, 15}}},
        {"Qualifiche e disponibilità", 1,
         {{"Giorni e orari disponibilità:", "Familiari"},
          {"Qualifica principale:", "Qualifiche"},
          {"Altri titoli:", "Professione"},
          {"Equipaggiamento assegnato:", "Prodotti"},
          {"Note:", "Note"}}},
    };
    return s;
}

// Enter follows the record order.
const char *const EnterChain[] = {
    "Cognome", "Nome", "CodFisc", "Sesso", "DataNasc", "ComuneNasc", "ProvNasc", "Iva",
    "Indirizzo", "Cap", "ComuneRes", "ProvRes", "Stato", "Familiari", "Recapito", "TelCasa",
    "TelCel", "TelUff", "Fax", "Email", "Qualifiche", "Professione", "Iban", "Intestatario",
    "Banca", "Carta", "ScadeCarta", "Prodotti", "Pagamento", "Note", "TipoDoc", "NumDoc",
    "EnteRil", "DataRil", "DataSca", "Codice", "Categoria", "Zona", "Acquisto", "Decorrenza",
    "Scadenza", "Preavviso", "Totale", "Frazionamento", "Rata"};

QString dateNotice(const char *which, const QString &text)
{
    return QStringLiteral("Attenzione: la data di %1 del contratto %2 non esiste.\n\r\n\r"
                          "Per poter salvare la scheda è necessario indicare una data valida nel formato gg/mm/aaaa.")
        .arg(QLatin1String(which), text);
}

}

WorkerCardScreen::WorkerCardScreen(QWidget *parent)
    : CardScreen(QStringLiteral("TfrmIstruttori"), QStringLiteral(" Veltaro - Anagrafica lavoratori"),
                 WorkerRecord::layout(), parent)
{
    createHintLine(QStringLiteral("Pronto per salvare una nuova scheda..."));
}

void WorkerCardScreen::build()
{
    buildCommands();
    buildForm();
    createAttachmentLabels(content());
    bindFields();
    updateCommands();
}

QString WorkerCardScreen::archivePath() const
{
    return ProgramFolder::file(WorkerRecord::fileName());
}

QLineEdit *WorkerCardScreen::box(const char *field) const
{
    return findChild<QLineEdit *>(QStringLiteral("txt") + QLatin1String(field));
}

void WorkerCardScreen::buildCommands()
{
    const QColor blue(0x2f, 0x6f, 0xb5), green(0x3a, 0x8f, 0x4a), grey(0x6b, 0x75, 0x80),
        orange(0xd0, 0x7a, 0x1e), red(0xb0, 0x3a, 0x2e);
    const auto hooked = [this](std::function<void(WorkerCardScreen *)> &hook) {
        return [this, &hook] {
            if (hook)
                hook(this);
        };
    };
    buildCommandBar({
        {"cmdNuovo", "Nuovo", "Prepara la schermata per la registrazione di una nuova scheda.", "+", green, [this] { newCard(); }},
        {"cmdSalva", "Salva", "Salva la scheda corrente in archivio.", "S", green, [this] { save(); }},
        {"cmdTrova", "Trova", "Trova una scheda in archivio.", "?", blue, hooked(openFind)},
        {"cmdPrimo", "Primo", "Visualizza la prima scheda in archivio.", "|<", blue, [this] { first(); }},
        {"cmdIndietro", "Indietro", "Visualizza la scheda precedente in archivio.", "<", blue, [this] { previous(); }},
        {nullptr, nullptr, nullptr, nullptr, {}, {}},
        {"cmdAvanti", "Avanti", "Visualizza la scheda successiva in archivio.", ">", blue, [this] { next(); }},
        {"cmdUltimo", "Ultimo", "Visualizza l'ultima scheda in archivio.", ">|", blue, [this] { last(); }},
        {"cmdFile", "Allegati", "Allega file alla scheda corrente.", "@", grey, {}},
        {"cmdScaduti", "Scadenze", "Visualizza il riepilogo dei contratti in scadenza o scaduti.", "!", orange,
         hooked(openExpiring)},
        {"cmdEsporta", "Esporta", "Esporta le schede in archivio in un file di Microsoft Excel.", "XL", grey, {}},
        {"cmdStampa", "Stampa", "Stampa la scheda corrente.", "P", grey, {}},
        {"cmdAnteprima", "Anteprima", "Visualizza l'anteprima di stampa della scheda corrente.", "A", grey, {}},
        {"cmdGuida", "Guida", "Visualizza la guida in linea.", "i", grey, {}},
        {"cmdEsci", "Esci", "Esci da questa schermata di lavoro.", "X", red, {}},
    });
}

void WorkerCardScreen::buildForm()
{
    CardForm::build(this, WorkerRecord::layout(), sections(), {1, 1});
    for (const char *f : {"ProvNasc", "ProvRes"})
        findChild<QComboBox *>(QStringLiteral("txt") + QLatin1String(f))->addItems(WorkerRecord::provinces());
    box("Rata")->setMaxLength(15);

    // Key handling.
    QList<QWidget *> chain;
    for (const char *f : EnterChain) {
        QWidget *w = findChild<QWidget *>(QStringLiteral("txt") + QLatin1String(f));
        chain << w;
        Box::setup(w);
        Box::highlight(w);
    }
    Box::setup(box("Iva"), {.keys = Box::Keys::Digits});
    Box::setup(box("Carta"), {.keys = Box::Keys::Digits});
    Box::setup(box("Preavviso"), {.keys = Box::Keys::Digits});
    for (const char *f : {"Totale", "Rata"})
        Box::setup(box(f), {.keys = Box::Keys::Amount, .amountDecimals = 4});
    for (const char *f : {"CodFisc", "Sesso", "Iban", "ProvNasc", "ProvRes"})
        Box::setup(findChild<QWidget *>(QStringLiteral("txt") + QLatin1String(f)), {.capitals = true});
    Box::setup(box("Email"), {.trimOnKeyUp = true});
    Box::chain(chain);

    connect(findChild<QPushButton *>("btnCodFisc"), &QPushButton::clicked, this, &WorkerCardScreen::checkTaxCode);
    connect(findChild<QPushButton *>("btnIva"), &QPushButton::clicked, this, [this] {
        if (openVatCheck)
            openVatCheck(this, Routines::trimmed(box("Iva")->text()));
    });
    connect(findChild<QPushButton *>("btnIban"), &QPushButton::clicked, this, [this] {
        if (openIbanCheck)
            openIbanCheck(this, Routines::trimmed(box("Iban")->text()));
    });
    connect(findChild<QPushButton *>("btnCarta"), &QPushButton::clicked, this, [this] {
        if (openCardCheck)
            openCardCheck(this, Routines::trimmed(box("Carta")->text()));
    });
    connect(findChild<QPushButton *>("btnEmail"), &QPushButton::clicked, this, &WorkerCardScreen::sendEmail);
}

void WorkerCardScreen::updateCommands()
{
    const auto enable = [this](const char *name, bool on) {
        if (QWidget *w = findChild<QWidget *>(QLatin1String(name)))
            Pictures::setAvailable(w, on);
    };
    enable("cmdTrova", bool(openFind));
    enable("cmdScaduti", bool(openExpiring));
    enable("btnCodFisc", bool(openTaxCodeCheck));
    enable("btnIva", bool(openVatCheck));
    enable("btnIban", bool(openIbanCheck));
    enable("btnCarta", bool(openCardCheck));
}

void WorkerCardScreen::showEvent(QShowEvent *event)
{
    updateCommands();
    CardScreen::showEvent(event);
}

void WorkerCardScreen::setDefaults()
{
    const QString today = Routines::dateText(Clock::today());
    box("Decorrenza")->setText(today);
    box("Scadenza")->setText(today);
    box("Preavviso")->setText(QStringLiteral("0"));
    box("Totale")->setText(QStringLiteral("0,00"));
    box("Rata")->setText(QStringLiteral("0,00"));
}

QWidget *WorkerCardScreen::firstField() const
{
    return box("Cognome");
}

bool WorkerCardScreen::checkSave()
{
    const auto missing = [this](const char *field, const char *what) {
        if (!Routines::trimmed(box(field)->text()).isEmpty())
            return false;
        Dialogs::warning(this, QStringLiteral("Attenzione: per salvare la scheda è necessario indicare %1.")
                                   .arg(QString::fromUtf8(what)));
        box(field)->setFocus();
        return true;
    };
    if (missing("Cognome", "il cognome del lavoratore") || missing("Nome", "il nome del lavoratore")
        || missing("Decorrenza", "la data di decorrenza del contratto di assunzione")
        || missing("Scadenza", "la data di scadenza del contratto di assunzione"))
        return false;
    const QString start = Routines::trimmed(box("Decorrenza")->text());
    const QString end = Routines::trimmed(box("Scadenza")->text());
    const auto startDate = Routines::parseDate(box("Decorrenza")->text());
    if (!startDate) {
        Dialogs::notice(this, dateNotice("decorrenza", start));
        box("Decorrenza")->setFocus();
        return false;
    }
    const auto endDate = Routines::parseDate(box("Scadenza")->text());
    if (!endDate) {
        Dialogs::notice(this, dateNotice("scadenza", end));
        box("Scadenza")->setFocus();
        return false;
    }
    if (*startDate > *endDate) {
        Dialogs::notice(this, QStringLiteral("Attenzione: la data di scadenza del contratto (%1) non può essere "
                                             "anteriore a quella di decorrenza (%2).\n\r\n\r"
                                             "Per poter salvare la scheda è necessario indicare un intervallo di tempo valido.")
                                  .arg(end, start));
        return false;
    }
    return !missing("Preavviso", "i giorni di preavviso");
}

void WorkerCardScreen::checkTaxCode()
{
    if (openTaxCodeCheck)
        openTaxCodeCheck(this, Routines::trimmed(box("CodFisc")->text()));
}

void WorkerCardScreen::sendEmail()
{
    Desktop::Open(QLatin1Char('"') + QStringLiteral("mailto:") + Routines::trimmed(box("Email")->text())
                + QLatin1Char('"'));
}
