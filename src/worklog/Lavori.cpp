#include "worklog/Lavori.h"

#include "app/Calendario.h"
#include "app/Routines.h"
#include "framework/BoxBehaviour.h"
#include "framework/Clock.h"
#include "framework/Dialogs.h"
#include "worklog/WorkComputations.h"
#include "worklog/WorkRecord.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QColor Blue(0x2f, 0x6f, 0xb5), Green(0x3a, 0x8f, 0x4a), Grey(0x6b, 0x75, 0x80), Orange(0xd0, 0x7a, 0x1e),
    Red(0xb0, 0x3a, 0x2e);
}

TfrmLavori::TfrmLavori(QWidget *parent)
    : CardScreen(QStringLiteral("TfrmLavori"), QStringLiteral(" Veltaro - Registrazione lavori"), WorkRecord::layout(),
                 parent)
{
    createHintLine(QStringLiteral("Pronto per archiviare una nuova scheda..."));
    // The year menu names the archive before the screen is first shown.
    auto *file = new QLabel(content());
    file->setObjectName(QStringLiteral("lblFile"));
    file->hide();
}

void TfrmLavori::build()
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
    TfrmCalendario::registerTarget(QStringLiteral("lavori_data"), box("Data"));
    updateCommands();
}

QString TfrmLavori::archivePath() const
{
    return findChild<QLabel *>(QStringLiteral("lblFile"))->text().trimmed();
}

QLineEdit *TfrmLavori::box(const char *field) const
{
    return findChild<QLineEdit *>(QStringLiteral("txt") + QLatin1String(field));
}

QComboBox *TfrmLavori::timeBox(const char *field) const
{
    return findChild<QComboBox *>(QStringLiteral("txt") + QLatin1String(field));
}

void TfrmLavori::buildCommands()
{
    buildCommandBar({
        {"cmdNuovo", "Nuovo", "Prepara la schermata per la registrazione di una nuova scheda.", "+", Green, [this] { newCard(); }},
        {"cmdDuplica", "Duplica", "Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti.",
         "2", Green, [this] { duplicate(); }},
        {"cmdSalva", "Salva", "Salva la scheda corrente in archivio.", "S", Green, [this] { save(); }},
        {"cmdTrova", "Trova", "Trova una scheda in archivio.", "?", Blue, {}},
        {"cmdPrimo", "Primo", "Visualizza la prima scheda in archivio.", "|<", Blue, [this] { first(); }},
        {"cmdIndietro", "Indietro", "Visualizza la scheda precedente in archivio.", "<", Blue, [this] { previous(); }},
        {nullptr, nullptr, nullptr, nullptr, {}, {}},
        {"cmdAvanti", "Avanti", "Visualizza la scheda successiva in archivio.", ">", Blue, [this] { next(); }},
        {"cmdUltimo", "Ultimo", "Visualizza l'ultima scheda in archivio.", ">|", Blue, [this] { last(); }},
        {"cmdFile", "Allegati", "Allega file alla scheda corrente.", "@", Grey, {}},
        {"cmdIncompleti", "Incompleti", "Visualizza il riepilogo dei lavori non completati.", "!", Orange, {}},
        {"cmdEsporta", "Esporta", "Esporta le schede in archivio in un file di Microsoft Excel.", "XL", Grey, {}},
        {"cmdStampa", "Stampa", "Stampa la scheda corrente.", "P", Grey, {}},
        {"cmdGuida", "Guida", "Visualizza la guida in linea.", "i", Grey, {}},
        {"cmdEsci", "Esci", "Esci da questa schermata di lavoro.", "X", Red, {}},
    });
}

void TfrmLavori::buildForm()
{
    auto *outer = static_cast<QVBoxLayout *>(content()->layout());
    auto *form = new QWidget(content());
    form->setObjectName(QStringLiteral("panScheda"));
    auto *columns = new QHBoxLayout(form);
    columns->setContentsMargins(0, 4, 0, 0);
    columns->setSpacing(12);
    const RecordLayout &layout = WorkRecord::layout();
    const auto makeBox = [&](QWidget *parent, const char *field) {
        auto *e = new QLineEdit(parent);
        e->setObjectName(QStringLiteral("txt") + QLatin1String(field));
        e->setMaxLength(layout.field(layout.indexOf(QLatin1String(field))).width);
        return e;
    };
    const auto group = [&](const char *title, QBoxLayout *into) {
        auto *g = new QGroupBox(QString::fromUtf8(title), form);
        auto *grid = new QGridLayout(g);
        grid->setHorizontalSpacing(10);
        grid->setVerticalSpacing(8);
        grid->setColumnStretch(1, 1);
        into->addWidget(g);
        return std::pair{g, grid};
    };
    auto *left = new QVBoxLayout;
    auto *right = new QVBoxLayout;
    left->setSpacing(10);
    right->setSpacing(10);
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);

    // The worker.
    auto [gw, worker] = group("Lavoratore", left);
    int r = 0;
    for (const auto &[field, label] : std::initializer_list<std::pair<const char *, const char *>>{
             {"Cognome", "Cognome:"}, {"Nome", "Nome:"}, {"CodFisc", "Codice fiscale:"},
             {"Recapito", "Telefono preferenziale:"}, {"Mansione", "Mansione:"}, {"Categoria", "Categoria:"}}) {
        worker->addWidget(new QLabel(QString::fromUtf8(label), gw), r, 0);
        QLineEdit *e = makeBox(gw, field);
        if (QLatin1String(field) == QLatin1String("CodFisc")) {
            auto *pair = new QHBoxLayout;
            pair->setSpacing(8);
            pair->addWidget(e, 1);
            auto *check = new QPushButton(QStringLiteral("Controlla"), gw);
            check->setObjectName(QStringLiteral("btnCodFisc"));
            check->setFocusPolicy(Qt::NoFocus);
            setHint(check, QStringLiteral("Controlla il codice fiscale."));
            pair->addWidget(check);
            worker->addLayout(pair, r, 1);
        } else {
            worker->addWidget(e, r, 1);
        }
        ++r;
    }
    auto *importWorker = new QPushButton(QStringLiteral("Importa dall'anagrafica lavoratori..."), gw);
    importWorker->setObjectName(QStringLiteral("impLavoratore"));
    importWorker->setFocusPolicy(Qt::NoFocus);
    setHint(importWorker, QStringLiteral("Importa i dati dall'archivio anagrafico dei lavoratori."));
    worker->addWidget(importWorker, r, 1, Qt::AlignLeft);

    // When and where.
    auto [gt, when] = group("Prestazione", left);
    r = 0;
    when->addWidget(new QLabel(QStringLiteral("Data prestazione:"), gt), r, 0);
    auto *datePair = new QHBoxLayout;
    datePair->setSpacing(8);
    QLineEdit *date = makeBox(gt, "Data");
    date->setMaximumWidth(120);
    setHint(date, QStringLiteral("Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal calendario."));
    datePair->addWidget(date);
    auto *today = new QPushButton(QStringLiteral("Oggi"), gt);
    today->setObjectName(QStringLiteral("impData"));
    today->setFocusPolicy(Qt::NoFocus);
    setHint(today, QStringLiteral("Inserisci la data corrente."));
    datePair->addWidget(today);
    datePair->addStretch();
    when->addLayout(datePair, r++, 1);
    when->addWidget(new QLabel(QStringLiteral("Sede operativa:"), gt), r, 0);
    when->addWidget(makeBox(gt, "Luogo"), r++, 1);
    when->addWidget(new QLabel(QString::fromUtf8("Attività svolta :"), gt), r, 0);
    when->addWidget(makeBox(gt, "Attivita"), r++, 1);

    // Hours and pay.
    auto [gp, pay] = group("Orario e compenso", left);
    QStringList hours, minutes;
    for (int i = 0; i < 60; ++i)
        (i < 24 ? hours : minutes) << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    minutes = hours + minutes;
    const auto times = [&](const char *h, const char *m, const char *label, int row) {
        pay->addWidget(new QLabel(QString::fromUtf8(label), gp), row, 0);
        auto *pair = new QHBoxLayout;
        pair->setSpacing(8);
        for (const auto &[name, items] : {std::pair{h, hours}, std::pair{m, minutes}}) {
            auto *c = new QComboBox(gp);
            c->setObjectName(QStringLiteral("txt") + QLatin1String(name));
            c->setEditable(true);
            c->lineEdit()->setReadOnly(true);
            c->lineEdit()->setMaxLength(2);
            c->setCompleter(nullptr);
            c->addItems(items);
            c->setMaxVisibleItems(12);
            c->setMinimumWidth(64);
            Box::setup(c, {.keys = Box::Keys::None});
            pair->addWidget(c);
            if (name == h)
                pair->addWidget(new QLabel(QStringLiteral(":"), gp));
        }
        pair->addStretch();
        pay->addLayout(pair, row, 1);
    };
    times("DaOre", "DaMin", "Dalle ore :", 0);
    times("AOre", "AMin", "Alle ore :", 1);
    const auto calcRow = [&](const char *field, const char *label, const char *button, const char *hint, int row) {
        pay->addWidget(new QLabel(QString::fromUtf8(label), gp), row, 0);
        auto *pair = new QHBoxLayout;
        pair->setSpacing(8);
        QLineEdit *e = makeBox(gp, field);
        e->setMaximumWidth(140);
        e->setAlignment(Qt::AlignRight);
        pair->addWidget(e);
        if (button) {
            auto *b = new QPushButton(QStringLiteral("Calcola >>"), gp);
            b->setObjectName(QLatin1String(button));
            setHint(b, QString::fromUtf8(hint));
            pair->addWidget(b);
        }
        pair->addStretch();
        pay->addLayout(pair, row, 1);
    };
    calcRow("TotOre", "Totale ore :", "btnCalcolaOre", " Calcola il totale delle ore lavorate.", 2);
    calcRow("CompensoOra", "Compenso orario : €", nullptr, nullptr, 3);
    calcRow("TotDovuto", "Totale dovuto : €", "btnCalcolaDovuto", " Calcola il compenso totale dovuto.", 4);

    // The project and the rest.
    auto [gj, project] = group("Progetto", right);
    r = 0;
    for (const auto &[field, label] : std::initializer_list<std::pair<const char *, const char *>>{
             {"NomeProg", "Nome progetto:"}, {"CodiceProg", "Codice identificativo:"}, {"AmbitoProg", "Ambito:"}}) {
        project->addWidget(new QLabel(QString::fromUtf8(label), gj), r, 0);
        project->addWidget(makeBox(gj, field), r++, 1);
    }
    auto *importProject = new QPushButton(QStringLiteral("Importa da un archivio progetti..."), gj);
    importProject->setObjectName(QStringLiteral("impProgetto"));
    importProject->setFocusPolicy(Qt::NoFocus);
    setHint(importProject, QStringLiteral("Importa i dati da un archivio annuale dei progetti."));
    project->addWidget(importProject, r, 1, Qt::AlignLeft);

    auto [go, other] = group("Dettagli", right);
    r = 0;
    for (const auto &[field, label] : std::initializer_list<std::pair<const char *, const char *>>{
             {"Postazione", "Postazione di lavoro:"}, {"Materiali", "Materiali e strumenti utilizzati:"}, {"Note", "Note:"}}) {
        other->addWidget(new QLabel(QString::fromUtf8(label), go), r, 0);
        other->addWidget(makeBox(go, field), r++, 1);
    }
    m_incomplete = new QCheckBox(QStringLiteral("Lavoro incompleto"), go);
    m_incomplete->setObjectName(QStringLiteral("chkIncompleto"));
    setHint(m_incomplete, QString::fromUtf8("Spunta questa casella per indicare che l'attività non è stata completata."));
    other->addWidget(m_incomplete, r, 1);
    auto *help = new QPushButton(QStringLiteral("Istruzioni"), go);
    help->setObjectName(QStringLiteral("btnIstruzioni"));
    setHint(help, QStringLiteral("Visualizza le istruzioni su come registrare le prestazioni lavorative."));
    right->addWidget(help, 0, Qt::AlignRight);
    for (const char *name : {"lblOraInizio", "lblOraFine"}) {
        auto *l = new QLabel(form);
        l->setObjectName(QLatin1String(name));
        l->hide();
    }
    left->addStretch();
    right->addStretch();
    outer->addWidget(form, 1);

    // Key handling.
    box("Data")->setReadOnly(true);
    box("TotOre")->setReadOnly(true);
    box("TotDovuto")->setReadOnly(true);
    for (QLineEdit *e : findChildren<QLineEdit *>())
        if (e->objectName().startsWith(QLatin1String("txt")) && e->objectName() != QLatin1String("txtData"))
            Box::setup(e);
    Box::setup(box("CodFisc"), {.capitals = true});
    Box::setup(box("CompensoOra"), {.keys = Box::Keys::Amount, .amountDecimals = 2});
    Box::setup(box("Data"), {.picker = [this] { TfrmCalendario::pick(this, QStringLiteral("lavori_data")); }});
    const std::pair<const char *, const char *> enter[] = {
        {"Cognome", "txtNome"}, {"Nome", "txtCodFisc"}, {"CodFisc", "txtRecapito"}, {"Recapito", "txtMansione"},
        {"Mansione", "txtCategoria"}, {"Categoria", "txtData"}, {"Luogo", "txtAttivita"}, {"Attivita", "btnCalcolaOre"},
        {"TotOre", "btnCalcolaDovuto"}, {"CompensoOra", "btnCalcolaDovuto"}, {"TotDovuto", "txtNomeProg"},
        {"NomeProg", "txtCodiceProg"}, {"CodiceProg", "txtAmbitoProg"}, {"AmbitoProg", "txtPostazione"},
        {"Postazione", "txtMateriali"}, {"Materiali", "txtNote"}, {"Note", "txtCognome"}};
    for (const auto &[from, to] : enter)
        Box::enterTo(box(from), findChild<QWidget *>(QLatin1String(to)));

    connect(findChild<QPushButton *>(QStringLiteral("btnCalcolaOre")), &QPushButton::clicked, this,
            &TfrmLavori::computeHours);
    connect(findChild<QPushButton *>(QStringLiteral("btnCalcolaDovuto")), &QPushButton::clicked, this,
            &TfrmLavori::computeTotalDue);
    connect(today, &QPushButton::clicked, this, [this] { box("Data")->setText(Routines::dateText(Clock::today())); });
    connect(importWorker, &QPushButton::clicked, this, [this] {
        if (openWorkerFind)
            openWorkerFind(this);
    });
    connect(findChild<QPushButton *>(QStringLiteral("btnCodFisc")), &QPushButton::clicked, this, [this] {
        if (openTaxCodeCheck)
            openTaxCodeCheck(this, Routines::trimmed(box("CodFisc")->text()));
    });
}

void TfrmLavori::updateCommands()
{
    const auto enable = [this](const char *name, bool on) {
        if (QWidget *w = findChild<QWidget *>(QLatin1String(name)))
            Pictures::setAvailable(w, on);
    };
    enable("impLavoratore", bool(openWorkerFind));
    enable("btnCodFisc", bool(openTaxCodeCheck));
    for (const char *later : {"cmdTrova", "cmdFile", "cmdIncompleti", "cmdEsporta", "cmdStampa", "cmdGuida",
                              "impProgetto", "btnIstruzioni"})
        enable(later, false);
}

void TfrmLavori::showEvent(QShowEvent *event)
{
    updateCommands();
    CardScreen::showEvent(event);
}

WorkComputations::Times TfrmLavori::times() const
{
    return {timeBox("DaOre")->currentText(), timeBox("DaMin")->currentText(), timeBox("AOre")->currentText(),
            timeBox("AMin")->currentText()};
}

void TfrmLavori::computeHours()
{
    const auto h = WorkComputations::computeHours(times(), box("TotOre")->text());
    if (h.outcome == WorkComputations::Hours::StartAfterEnd) {
        Dialogs::warning(this, WorkComputations::startAfterEndWarning());
        timeBox("DaOre")->setFocus();
        return;
    }
    box("TotOre")->setText(h.totOre);
}

void TfrmLavori::computeTotalDue()
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

void TfrmLavori::setDefaults()
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

QWidget *TfrmLavori::firstField() const
{
    return box("Cognome");
}

bool TfrmLavori::checkSave()
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

void TfrmLavori::duplicateAlso()
{
    box("Data")->clear();
}

QWidget *TfrmLavori::duplicateFocus() const
{
    return box("Data");
}

void TfrmLavori::loadSpecial(const Record &record)
{
    if (const auto ticked = WorkRecord::incompletoFromText(record.get(QStringLiteral("Incompleto"))))
        m_incomplete->setChecked(*ticked);
}

void TfrmLavori::storeSpecial(Record &record)
{
    record.set(QStringLiteral("OraInizio"), WorkRecord::timeText(timeBox("DaOre")->currentText(), timeBox("DaMin")->currentText()));
    record.set(QStringLiteral("OraFine"), WorkRecord::timeText(timeBox("AOre")->currentText(), timeBox("AMin")->currentText()));
    record.set(QStringLiteral("Incompleto"), WorkRecord::incompletoText(m_incomplete->isChecked()));
}
