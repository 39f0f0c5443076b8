#include "worklog/WorkCardScreen.h"

#include "archive/CardForm.h"
#include "framework/BoxBehaviour.h"
#include "framework/CalendarDialog.h"
#include "framework/Clock.h"
#include "framework/Dialogs.h"
#include "framework/Routines.h"
#include "worklog/WorkComputations.h"
#include "worklog/WorkInstructionsDialog.h"
#include "worklog/WorkRecord.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {
const QColor Blue(0x2f, 0x6f, 0xb5), Green(0x3a, 0x8f, 0x4a), Grey(0x6b, 0x75, 0x80), Orange(0xd0, 0x7a, 0x1e),
    Red(0xb0, 0x3a, 0x2e);
}

WorkCardScreen::WorkCardScreen(QWidget *parent)
    : CardScreen(QStringLiteral("TfrmLavori"), QStringLiteral(" Veltaro - Registrazione lavori"), WorkRecord::layout(),
                 parent)
{
    createHintLine(QStringLiteral("Pronto per archiviare una nuova scheda..."));
    // The year menu names the archive before the screen is first shown.
    auto *file = new QLabel(content());
    file->setObjectName(QStringLiteral("lblFile"));
    file->hide();
}

void WorkCardScreen::build()
{
    // The boxes of this card show the focus through their own background. Only the card's:
    // the find screens and pickers opened from here keep the look they have everywhere.
    setStyleSheet(QStringLiteral(
        "#panScheda QLineEdit, #panScheda QComboBox { background: #F0F8FF; border: 1px solid #87CEEB;"
        " border-radius: 2px; padding: 2px; }"
        "#panScheda QLineEdit:focus, #panScheda QComboBox:focus { background: #FFFF00; }"));
    buildCommands();
    buildForm();
    createAttachmentLabels(content());
    bindFields();
    CalendarDialog::registerTarget(QStringLiteral("lavori_data"), box("Data"));
    updateCommands();
}

QString WorkCardScreen::archivePath() const
{
    return findChild<QLabel *>(QStringLiteral("lblFile"))->text().trimmed();
}

QLineEdit *WorkCardScreen::box(const char *field) const
{
    return findChild<QLineEdit *>(QStringLiteral("txt") + QLatin1String(field));
}

QComboBox *WorkCardScreen::timeBox(const char *field) const
{
    return findChild<QComboBox *>(QStringLiteral("txt") + QLatin1String(field));
}

void WorkCardScreen::buildCommands()
{
    buildCommandBar({
        {"cmdNuovo", "Nuovo", "Prepara la schermata per la registrazione di una nuova scheda.", "+", Green, [this] { newCard(); }},
        {"cmdDuplica", "Duplica", "Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti.",
         "2", Green, [this] { duplicate(); }},
        {"cmdSalva", "Salva", "Salva la scheda corrente in archivio.", "S", Green, [this] { save(); }},
        {"cmdTrova", "Trova", "Trova una scheda in archivio.", "?", Blue, [this] {
             if (openFind)
                 openFind(this);
         }},
        {"cmdPrimo", "Primo", "Visualizza la prima scheda in archivio.", "|<", Blue, [this] { first(); }},
        {"cmdIndietro", "Indietro", "Visualizza la scheda precedente in archivio.", "<", Blue, [this] { previous(); }},
        {nullptr, nullptr, nullptr, nullptr, {}, {}},
        {"cmdAvanti", "Avanti", "Visualizza la scheda successiva in archivio.", ">", Blue, [this] { next(); }},
        {"cmdUltimo", "Ultimo", "Visualizza l'ultima scheda in archivio.", ">|", Blue, [this] { last(); }},
        {"cmdFile", "Allegati", "Allega file alla scheda corrente.", "@", Grey, {}},
        {"cmdIncompleti", "Incompleti", "Visualizza il riepilogo dei lavori non completati.", "!", Orange, [this] {
             if (openIncomplete)
                 openIncomplete(this);
         }},
        {"cmdEsporta", "Esporta", "Esporta le schede in archivio in un file di Microsoft Excel.", "XL", Grey, {}},
        {"cmdStampa", "Stampa", "Stampa la scheda corrente.", "P", Grey, {}},
        {"cmdGuida", "Guida", "Visualizza la guida in linea.", "i", Grey, {}},
        {"cmdEsci", "Esci", "Esci da questa schermata di lavoro.", "X", Red, {}},
    });
}

namespace {
using CardForm::Kind;
const std::vector<CardForm::Section> &sections()
{
    static const std::vector<CardForm::Section> s = {
        {"Lavoratore", 0,
         {{"Cognome:", "Cognome"},
          {"Nome:", "Nome"},
          {"Codice fiscale:", "CodFisc", Kind::Text, 18, {"btnCodFisc", "Controlla", "Controlla il codice fiscale."}},
          {"Telefono preferenziale:", "Recapito"},
          {"Mansione:", "Mansione"},
          {"Categoria:", "Categoria"},
          {nullptr, nullptr, Kind::Text, 0,
           {"impLavoratore", "Importa dall'anagrafica lavoratori...", "Importa i dati dall'archivio anagrafico dei lavoratori."}}}},
        {"Prestazione", 0,
         {{"Data prestazione:", "Data", Kind::Centred, 10, {"impData", "Oggi", "Inserisci la data corrente."}, false,
           "Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal calendario."},
          {"Sede operativa:", "Luogo"},
          {"Attività svolta :", "Attivita"}}},
        {"Orario e compenso", 0,
         {{"Dalle ore :", "DaOre", Kind::Choice, 2},
          {":", "DaMin", Kind::Choice, 2, {}, true},
          {"Alle ore :", "AOre", Kind::Choice, 2},
          {":", "AMin", Kind::Choice, 2, {}, true},
          {"Totale ore :", "TotOre", Kind::Right, 12, {"btnCalcolaOre", "Calcola >>", " Calcola il totale delle ore lavorate."}},
          {"Compenso orario : €", "CompensoOra", Kind::Right, 12},
          {"Totale dovuto : €", "TotDovuto", Kind::Right, 12,
           {"btnCalcolaDovuto", "Calcola >>", " Calcola il compenso totale dovuto."}}}},
        {"Progetto", 1,
         {{"Nome progetto:", "NomeProg"},
          {"Codice identificativo:", "CodiceProg"},
          {"Ambito:", "AmbitoProg"},
          {nullptr, nullptr, Kind::Text, 0,
           {"impProgetto", "Importa da un archivio progetti...", "Importa i dati da un archivio annuale dei progetti."}}}},
        {"Dettagli", 1,
         {{"Postazione di lavoro:", "Postazione"},
          {"Materiali e strumenti utilizzati:", "Materiali"},
          {"Note:", "Note"},
          {"Lavoro incompleto", "Incompleto", Kind::Check, 0, {}, false,
           "Spunta questa casella per indicare che l'attività non è stata completata."},
          {nullptr, nullptr, Kind::Text, 0,
           {"btnIstruzioni", "Istruzioni", "Visualizza le istruzioni su come registrare le prestazioni lavorative."}}}},
    };
    return s;
}
}

void WorkCardScreen::buildForm()
{
    QWidget *form = CardForm::build(this, WorkRecord::layout(), sections(), {1, 1});
    QStringList hours, minutes;
    for (int i = 0; i < 60; ++i)
        (i < 24 ? hours : minutes) << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    minutes = hours + minutes;
    for (const auto &[name, items] : {std::pair{"DaOre", hours}, std::pair{"DaMin", minutes}, std::pair{"AOre", hours},
                                      std::pair{"AMin", minutes}}) {
        QComboBox *c = timeBox(name);
        c->lineEdit()->setReadOnly(true);
        c->addItems(items);
        c->setMaxVisibleItems(12);
        Box::setup(c, {.keys = Box::Keys::None});
    }
    m_incomplete = findChild<QCheckBox *>(QStringLiteral("chkIncompleto"));
    auto *today = findChild<QPushButton *>(QStringLiteral("impData"));
    auto *importWorker = findChild<QPushButton *>(QStringLiteral("impLavoratore"));
    for (const char *name : {"lblOraInizio", "lblOraFine"}) {
        auto *l = new QLabel(form);
        l->setObjectName(QLatin1String(name));
        l->hide();
    }
    for (const char *name : {"btnCalcolaOre", "btnCalcolaDovuto", "btnIstruzioni"})
        findChild<QPushButton *>(QLatin1String(name))->setFocusPolicy(Qt::StrongFocus);

    // A card dated outside the archive's year is kept, but never counts in that year's summaries.
    m_otherYear = new QLabel(box("Data")->parentWidget());
    m_otherYear->setObjectName(QStringLiteral("lblAltroAnno"));
    m_otherYear->setStyleSheet(QStringLiteral("color: #b03a2e;"));
    m_otherYear->setWordWrap(true);
    m_otherYear->hide();
    CardForm::addBeside(box("Data"), m_otherYear);
    connect(box("Data"), &QLineEdit::textChanged, this, &WorkCardScreen::noteOtherYear);

    // Key handling.
    box("Data")->setReadOnly(true);
    box("TotOre")->setReadOnly(true);
    box("TotDovuto")->setReadOnly(true);
    for (QLineEdit *e : findChildren<QLineEdit *>())
        if (e->objectName().startsWith(QLatin1String("txt")) && e->objectName() != QLatin1String("txtData"))
            Box::setup(e);
    Box::setup(box("CodFisc"), {.capitals = true});
    Box::setup(box("CompensoOra"), {.keys = Box::Keys::Amount, .amountDecimals = 2});
    Box::setup(box("Data"), {.picker = [this] { CalendarDialog::pick(this, QStringLiteral("lavori_data")); }});
    const std::pair<const char *, const char *> enter[] = {
        {"Cognome", "txtNome"}, {"Nome", "txtCodFisc"}, {"CodFisc", "txtRecapito"}, {"Recapito", "txtMansione"},
        {"Mansione", "txtCategoria"}, {"Categoria", "txtData"}, {"Luogo", "txtAttivita"}, {"Attivita", "btnCalcolaOre"},
        {"TotOre", "btnCalcolaDovuto"}, {"CompensoOra", "btnCalcolaDovuto"}, {"TotDovuto", "txtNomeProg"},
        {"NomeProg", "txtCodiceProg"}, {"CodiceProg", "txtAmbitoProg"}, {"AmbitoProg", "txtPostazione"},
        {"Postazione", "txtMateriali"}, {"Materiali", "txtNote"}, {"Note", "txtCognome"}};
    for (const auto &[from, to] : enter)
        Box::enterTo(box(from), findChild<QWidget *>(QLatin1String(to)));

    connect(findChild<QPushButton *>(QStringLiteral("btnCalcolaOre")), &QPushButton::clicked, this,
            &WorkCardScreen::computeHours);
    connect(findChild<QPushButton *>(QStringLiteral("btnCalcolaDovuto")), &QPushButton::clicked, this,
            &WorkCardScreen::computeTotalDue);
    connect(today, &QPushButton::clicked, this, [this] { box("Data")->setText(Routines::dateText(Clock::today())); });
    connect(importWorker, &QPushButton::clicked, this, [this] {
        if (openWorkerFind)
            openWorkerFind(this);
    });
    connect(findChild<QPushButton *>(QStringLiteral("impProgetto")), &QPushButton::clicked, this, [this] {
        if (openProjectImport)
            openProjectImport(this);
    });
    connect(findChild<QPushButton *>(QStringLiteral("btnIstruzioni")), &QPushButton::clicked, this,
            [this] { WorkInstructionsDialog::open(this); });
    connect(findChild<QPushButton *>(QStringLiteral("btnCodFisc")), &QPushButton::clicked, this, [this] {
        if (openTaxCodeCheck)
            openTaxCodeCheck(this, Routines::trimmed(box("CodFisc")->text()));
    });
}

void WorkCardScreen::noteOtherYear()
{
    m_otherYear->setText(WorkComputations::otherYearNote(box("Data")->text(), archivePath()));
    m_otherYear->setVisible(!m_otherYear->text().isEmpty());
}

void WorkCardScreen::updateCommands()
{
    const auto enable = [this](const char *name, bool on) {
        if (QWidget *w = findChild<QWidget *>(QLatin1String(name)))
            Pictures::setAvailable(w, on);
    };
    enable("impLavoratore", bool(openWorkerFind));
    enable("btnCodFisc", bool(openTaxCodeCheck));
    enable("cmdTrova", bool(openFind));
    enable("cmdIncompleti", bool(openIncomplete));
    enable("impProgetto", bool(openProjectImport));
}

void WorkCardScreen::showEvent(QShowEvent *event)
{
    updateCommands();
    CardScreen::showEvent(event);
}

WorkComputations::Times WorkCardScreen::times() const
{
    return {timeBox("DaOre")->currentText(), timeBox("DaMin")->currentText(), timeBox("AOre")->currentText(),
            timeBox("AMin")->currentText()};
}

void WorkCardScreen::computeHours()
{
    const auto h = WorkComputations::computeHours(times(), box("TotOre")->text());
    if (h.outcome == WorkComputations::Hours::StartAfterEnd) {
        Dialogs::warning(this, WorkComputations::startAfterEndWarning());
        timeBox("DaOre")->setFocus();
        return;
    }
    box("TotOre")->setText(h.totOre);
}

void WorkCardScreen::computeTotalDue()
{
    const auto t = WorkComputations::computeTotalDue(times(), box("TotOre")->text(), box("CompensoOra")->text());
    if (!t.warning.isEmpty())
        Dialogs::warning(this, t.warning);
    box("TotOre")->setText(t.totOre);
    box("CompensoOra")->setText(t.compensoOra);
    box("TotDovuto")->setText(t.totDovuto);
    if (!t.focus.isEmpty())
        if (QWidget *w = findChild<QWidget *>(t.focus))
            w->setFocus();
}

void WorkCardScreen::setDefaults()
{
    box("Data")->setText(Routines::dateText(Clock::today()));
    for (const char *t : {"DaOre", "DaMin", "AOre", "AMin"}) {
        timeBox(t)->setCurrentIndex(0);
        timeBox(t)->setEditText(QStringLiteral("00"));
    }
    findChild<QLabel *>(QStringLiteral("lblOraInizio"))->setText(QStringLiteral("00:00"));
    findChild<QLabel *>(QStringLiteral("lblOraFine"))->setText(QStringLiteral("00:00"));
    box("TotOre")->setText(QStringLiteral("0"));
    box("CompensoOra")->setText(QStringLiteral("0,00"));
    box("TotDovuto")->setText(QStringLiteral("0,00"));
    m_incomplete->setChecked(false);
}

QWidget *WorkCardScreen::firstField() const
{
    return box("Cognome");
}

bool WorkCardScreen::checkSave()
{
    const WorkComputations::Card card{box("Data")->text(), box("Cognome")->text(), box("Nome")->text(),
                                      box("CodFisc")->text(), box("Attivita")->text(), times()};
    if (const auto refusal = WorkComputations::checkSave(card)) {
        Dialogs::warning(this, refusal->warning);
        if (QWidget *w = findChild<QWidget *>(refusal->focus))
            w->setFocus();
        return false;
    }
    // What is stored is always freshly computed.
    computeTotalDue();
    return true;
}

void WorkCardScreen::duplicateAlso()
{
    box("Data")->clear();
}

QWidget *WorkCardScreen::duplicateFocus() const
{
    return box("Data");
}

void WorkCardScreen::loadSpecial(const Record &record)
{
    if (const auto ticked = WorkRecord::incompletoFromText(record.get(QStringLiteral("Incompleto"))))
        m_incomplete->setChecked(*ticked);
}

void WorkCardScreen::storeSpecial(Record &record)
{
    record.set(QStringLiteral("OraInizio"), WorkRecord::timeText(timeBox("DaOre")->currentText(), timeBox("DaMin")->currentText()));
    record.set(QStringLiteral("OraFine"), WorkRecord::timeText(timeBox("AOre")->currentText(), timeBox("AMin")->currentText()));
    record.set(QStringLiteral("Incompleto"), WorkRecord::incompletoText(m_incomplete->isChecked()));
}
