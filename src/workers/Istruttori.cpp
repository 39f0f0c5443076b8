#include "workers/Istruttori.h"

#include "app/ProgramFolder.h"
#include "app/Routines.h"
#include "framework/BoxBehaviour.h"
#include "framework/Clock.h"
#include "framework/Desktop.h"
#include "framework/Dialogs.h"
#include "workers/WorkerRecord.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

// The form, group by group; the fields follow the card's record order within each group.
struct FormRow {
    const char *field;
    const char *label;
    const char *button = nullptr;       // a check button beside the box
    const char *buttonText = nullptr;
    const char *buttonHint = nullptr;
};
struct FormGroup {
    const char *title;
    int column;
    std::initializer_list<FormRow> rows;
};

const FormGroup Groups[] = {
    {"Dati anagrafici", 0,
     {{"Cognome", "Cognome:"},
      {"Nome", "Nome:"},
      {"CodFisc", "Codice fiscale:", "btnCodFisc", "Controlla", "Controlla il codice fiscale."},
      {"Sesso", "Sesso:"},
      {"DataNasc", "Data di nascita:"},
      {"ComuneNasc", "Comune di nascita:"},
      {"ProvNasc", "Prov."},
      {"Iva", "Partita IVA:", "btnIva", "Controlla", "Controlla il numero di partita IVA."},
      {"Stato", "Stato civile:"}}},
    {"Documento di identità", 0,
     {{"TipoDoc", "Tipo di documento:"},
      {"NumDoc", "Numero:"},
      {"EnteRil", "Ente di rilascio:"},
      {"DataRil", "Data di rilascio:"},
      {"DataSca", "Data di scadenza:"}}},
    {"Residenza e recapiti", 1,
     {{"Indirizzo", "Via e numero civico:"},
      {"Cap", "CAP:"},
      {"ComuneRes", "Comune di residenza:"},
      {"ProvRes", "Prov."},
      {"Recapito", "Telefono preferenziale:"},
      {"TelCasa", "Tel. casa:"},
      {"TelCel", "Tel. cellulare:"},
      {"TelUff", "Tel. ufficio:"},
      {"Fax", "Fax:"},
      {"Email", "E-mail:", "btnEmail", "Scrivi", "Invia una e-mail all'indirizzo indicato."}}},
    {"Banca e pagamento", 1,
     {{"Iban", "IBAN:", "btnIban", "Controlla", "Controlla l'IBAN."},
      {"Intestatario", "Intestatario C/C:"},
      {"Banca", "Banca:"},
      {"Carta", "Carta di credito n.", "btnCarta", "Controlla", "Controlla il numero di carta di credito."},
      {"ScadeCarta", "Scadenza:"},
      {"Pagamento", "Modalità di pagamento:"}}},
    {"Contratto", 2,
     {{"Codice", "Mansione:"},
      {"Categoria", "Categoria:"},
      {"Zona", "Livello:"},
      {"Acquisto", "Tipo contratto:"},
      {"Decorrenza", "Data assunzione:"},
      {"Scadenza", "Prossima scadenza:"},
      {"Preavviso", "Giorni di preavviso:"},
      {"Totale", "Compenso totale: €"},
      {"Frazionamento", "Frazionamento:"},
      {"Rata", "Importo rata: €"}}},
    {"Qualifiche e disponibilità", 2,
     {{"Familiari", "Giorni e orari disponibilità:"},
      {"Qualifiche", "Qualifica principale:"},
      {"Professione", "Altri titoli:"},
      {"Prodotti", "Equipaggiamento assegnato:"},
      {"Note", "Note:"}}},
};

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

TfrmIstruttori::TfrmIstruttori(QWidget *parent)
    : CardScreen(QStringLiteral("TfrmIstruttori"), QStringLiteral(" Veltaro - Anagrafica lavoratori"),
                 WorkerRecord::layout(), parent)
{
    createHintLine(QStringLiteral("Pronto per salvare una nuova scheda..."));
}

void TfrmIstruttori::build()
{
    buildCommands();
    buildForm();
    createAttachmentLabels(content());
    bindFields();
    updateCommands();
}

QString TfrmIstruttori::archivePath() const
{
    return ProgramFolder::file(WorkerRecord::fileName());
}

QLineEdit *TfrmIstruttori::box(const char *field) const
{
    return findChild<QLineEdit *>(QStringLiteral("txt") + QLatin1String(field));
}

void TfrmIstruttori::buildCommands()
{
    const QColor blue(0x2f, 0x6f, 0xb5), green(0x3a, 0x8f, 0x4a), grey(0x6b, 0x75, 0x80),
        orange(0xd0, 0x7a, 0x1e), red(0xb0, 0x3a, 0x2e);
    const auto hooked = [this](std::function<void(TfrmIstruttori *)> &hook) {
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

void TfrmIstruttori::buildForm()
{
    auto *outer = static_cast<QVBoxLayout *>(content()->layout());
    auto *form = new QWidget(content());
    form->setObjectName(QStringLiteral("panScheda"));
    auto *columns = new QHBoxLayout(form);
    columns->setContentsMargins(0, 4, 0, 0);
    columns->setSpacing(12);
    // The middle column is a little wider: its IBAN, the longest code with a check button,
    // then shows whole on a common screen, while the card still fits a 1024-pixel one.
    QVBoxLayout *col[3];
    const int share[3] = {4, 5, 4};
    for (int i = 0; i < 3; ++i) {
        col[i] = new QVBoxLayout;
        col[i]->setSpacing(8);
        columns->addLayout(col[i], share[i]);
    }
    const RecordLayout &layout = WorkerRecord::layout();
    for (const FormGroup &g : Groups) {
        auto *group = new QGroupBox(QString::fromUtf8(g.title), form);
        auto *grid = new QGridLayout(group);
        grid->setHorizontalSpacing(10);
        grid->setVerticalSpacing(7);
        grid->setColumnStretch(1, 1);
        int r = 0;
        for (const FormRow &row : g.rows) {
            const QString field = QLatin1String(row.field);
            const int width = layout.field(layout.indexOf(field)).width;
            QWidget *w;
            if (field.startsWith(QLatin1String("Prov"))) {
                auto *combo = new QComboBox(group);
                combo->setEditable(true);
                combo->addItems(WorkerRecord::provinces());
                combo->lineEdit()->setMaxLength(2);
                combo->setInsertPolicy(QComboBox::NoInsert);
                combo->setCompleter(nullptr);   // inline completion fights the rewriting to capitals
                combo->setMaximumWidth(80);
                w = combo;
            } else {
                auto *e = new QLineEdit(group);
                e->setMaxLength(field == QLatin1String("Rata") ? 15 : width);
                w = e;
            }
            w->setObjectName(QStringLiteral("txt") + field);
            auto *label = new QLabel(QString::fromUtf8(row.label), group);
            label->setBuddy(w);
            grid->addWidget(label, r, 0);
            if (row.button) {
                auto *pair = new QHBoxLayout;
                pair->setSpacing(6);
                pair->addWidget(w, 1);
                auto *b = new QPushButton(QString::fromUtf8(row.buttonText), group);
                b->setObjectName(QLatin1String(row.button));
                b->setFocusPolicy(Qt::NoFocus);
                b->setCursor(Qt::PointingHandCursor);
                setHint(b, QString::fromUtf8(row.buttonHint));
                pair->addWidget(b);
                grid->addLayout(pair, r, 1);
            } else {
                grid->addWidget(w, r, 1);
            }
            ++r;
        }
        col[g.column]->addWidget(group);
    }
    for (auto &c : col)
        c->addStretch();
    outer->addWidget(form, 1);

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
    for (const char *f : {"Totale", "Rata"}) {
        Box::setup(box(f), {.keys = Box::Keys::Amount, .amountDecimals = 4});
        box(f)->setAlignment(Qt::AlignRight);
    }
    for (const char *f : {"CodFisc", "Sesso", "Iban", "ProvNasc", "ProvRes"})
        Box::setup(findChild<QWidget *>(QStringLiteral("txt") + QLatin1String(f)), {.capitals = true});
    Box::setup(box("Email"), {.trimOnKeyUp = true});
    Box::chain(chain);

    connect(findChild<QPushButton *>("btnCodFisc"), &QPushButton::clicked, this, &TfrmIstruttori::checkTaxCode);
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
    connect(findChild<QPushButton *>("btnEmail"), &QPushButton::clicked, this, &TfrmIstruttori::sendEmail);
}

void TfrmIstruttori::updateCommands()
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
    for (const char *later : {"cmdFile", "cmdEsporta", "cmdStampa", "cmdAnteprima", "cmdGuida"})
        enable(later, false);
}

void TfrmIstruttori::showEvent(QShowEvent *event)
{
    updateCommands();
    CardScreen::showEvent(event);
}

void TfrmIstruttori::setDefaults()
{
    const QString today = Routines::dateText(Clock::today());
    box("Decorrenza")->setText(today);
    box("Scadenza")->setText(today);
    box("Preavviso")->setText(QStringLiteral("0"));
    box("Totale")->setText(QStringLiteral("0,00"));
    box("Rata")->setText(QStringLiteral("0,00"));
}

QWidget *TfrmIstruttori::firstField() const
{
    return box("Cognome");
}

bool TfrmIstruttori::checkSave()
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

void TfrmIstruttori::checkTaxCode()
{
    if (openTaxCodeCheck)
        openTaxCodeCheck(this, Routines::trimmed(box("CodFisc")->text()));
}

void TfrmIstruttori::sendEmail()
{
    TMisc::Open(QLatin1Char('"') + QStringLiteral("mailto:") + Routines::trimmed(box("Email")->text())
                + QLatin1Char('"'));
}
