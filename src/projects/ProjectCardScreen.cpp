#include "projects/ProjectCardScreen.h"

#include "archive/CardForm.h"
#include "framework/BoxBehaviour.h"
#include "framework/CalendarDialog.h"
#include "framework/Dialogs.h"
#include "framework/Routines.h"
#include "projects/ProjectFind.h"
#include "projects/ProjectFindScreen.h"
#include "projects/ProjectRecord.h"
#include "projects/ProjectReportScreen.h"
#include "projects/ProjectRtfDialog.h"
#include "workers/WorkerFindScreen.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QColor Blue(0x2f, 0x6f, 0xb5), Green(0x3a, 0x8f, 0x4a), Grey(0x6b, 0x75, 0x80), Orange(0xd0, 0x7a, 0x1e),
    Red(0xb0, 0x3a, 0x2e);

const char *const DateHint = "Premi un tasto qualsiasi per importare una data dal calendario.";

// The multi-line fields: stored with CR LF, shown with the box's own line breaks.
const QStringList &multiLine()
{
    static const QStringList fields = {"Fasi", "Membri", "Materiali", "Tecniche", "Espletate", "Svolgere",
                                       "Costi", "Effettuati", "Effettuare", "Annotazioni"};
    return fields;
}

using CardForm::Kind;
const std::vector<CardForm::Section> &sections()
{
    static const std::vector<CardForm::Section> s = {
        {nullptr, 0,
         {{"Nome progetto:", "Nome"},
          {"Codice identificativo:", "Codice", Kind::Text, 30},
          {"Ambito:", "Ambito", Kind::Text, 0, {}, true}}},
        {nullptr, 0,
         {{"Descrizione sintetica:", "Descrizione"},
          {"Data inizio:", "DataInizio", Kind::Centred, 10, {}, false, DateHint},
          {"Data scadenza:", "DataScade", Kind::Centred, 10, {}, true, DateHint},
          {"Costo preventivato:", "CostoPrev", Kind::Right, 12, {}, true},
          {"Stato avanzamento:", "Stato"},
          {"Responsabile:", "Responsabile", Kind::Text, 0,
           {"impResponsabile", nullptr, "Importa i dati dall'archivio anagrafico dei lavoratori.", "L"}},
          {"Telefono preferenziale:", "Recapito", Kind::Text, 0, {}, true},
          {"Obiettivi finali:", "Obiettivi"},
          {"Questioni in sospeso:", "Questioni"},
          {"Fasi previste:", "Fasi", Kind::Lines, 6},
          {"Progetto terminato", "Terminato", Kind::Check}}},
        {nullptr, 0,
         {{"Membri del team e compiti assegnati:", "Membri", Kind::Lines, 14},
          {"Totale partecipanti:", "TotMembri", Kind::Right, 4}}},
        {nullptr, 0,
         {{"Materiali e strumenti:", "Materiali", Kind::Lines, 8},
          {"Tecniche di lavoro:", "Tecniche", Kind::Lines, 8}}},
        {nullptr, 0,
         {{"Attività espletate:", "Espletate", Kind::Lines, 8},
          {"Attività da svolgere:", "Svolgere", Kind::Lines, 8}}},
        {nullptr, 0,
         {{"Elenco costi preventivati:", "Costi", Kind::Lines, 6},
          {"Pagamenti effettuati:", "Effettuati", Kind::Lines, 4},
          {"Pagamenti da effettuare:", "Effettuare", Kind::Lines, 4},
          {"TOTALE IMPORTI VERSATI ALLA DATA ATTUALE:", "TotCosti", Kind::Right, 12},
          {nullptr, nullptr, Kind::Text, 0,
           {"btnRendiconto", "Rendiconto...",
            "Mostra le ore e i compensi registrati per questo progetto nel registro dei lavori."}}}},
        {nullptr, 0, {{"Annotazioni:", "Annotazioni", Kind::Lines, 3}}},
    };
    return s;
}

// Tab captions and the control each panel focuses when chosen.
struct Tab {
    const char *name;
    const char *caption;
    const char *focus;
};
const Tab Tabs[] = {
    {"Descrizione", "Descrizione", "Descrizione"}, {"Partecipanti", "Partecipanti", "Membri"},
    {"Materiali", "Materiali", "Materiali"},       {"Registro", "Registro attività", "Espletate"},
    {"Costi", "Costi", "Costi"},
};

}

ProjectCardScreen::ProjectCardScreen(QWidget *parent)
    : CardScreen(QStringLiteral("TfrmReferti"), QStringLiteral(" Veltaro - Archivio progetti"), ProjectRecord::layout(),
                 parent)
{
    createHintLine(QStringLiteral("Pronto per archiviare una nuova scheda..."));
    // The year menu names the archive before the screen is first shown.
    auto *file = new QLabel(content());
    file->setObjectName(QStringLiteral("lblFile"));
    file->hide();
}

const QStringList &ProjectCardScreen::sectionNames()
{
    static const QStringList names = {"Descrizione", "Partecipanti", "Materiali", "Registro", "Costi"};
    return names;
}

QString ProjectCardScreen::archivePath() const
{
    return findChild<QLabel *>(QStringLiteral("lblFile"))->text().trimmed();
}

QLineEdit *ProjectCardScreen::box(const char *field) const
{
    return findChild<QLineEdit *>(QStringLiteral("txt") + QLatin1String(field));
}

void ProjectCardScreen::build()
{
    buildCommandBar({
        {"cmdNuovo", "Nuovo", "Prepara la schermata per l'inserimento di una nuova scheda.", "+", Green, [this] { newCard(); }},
        {"cmdDuplica", "Duplica", "Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti.",
         "2", Green, [this] { duplicate(); }},
        {"cmdSalva", "Salva", "Salva la scheda corrente in archivio.", "S", Green, [this] { save(); }},
        {"cmdTrova", "Trova", "Trova una scheda in archivio.", "?", Blue,
         [this] { ProjectFindScreen::open(this, QStringLiteral("referti")); }},
        {"cmdPrimo", "Primo", "Visualizza la prima scheda in archivio.", "|<", Blue, [this] { first(); }},
        {"cmdIndietro", "Indietro", "Visualizza la scheda precedente in archivio.", "<", Blue, [this] { previous(); }},
        {nullptr, nullptr, nullptr, nullptr, {}, {}},
        {"cmdAvanti", "Avanti", "Visualizza la scheda successiva in archivio.", ">", Blue, [this] { next(); }},
        {"cmdUltimo", "Ultimo", "Visualizza l'ultima scheda in archivio.", ">|", Blue, [this] { last(); }},
        {"cmdStampa", "Stampa", "Stampa la scheda riepilogativa del progetto corrente.", "P", Grey,
         [this] { ProjectRtfDialog::open(this, QStringLiteral("referti"), [this](const QString &field) { return shownText(field); }); }},
        {"cmdScaduti", "Scaduti", "Visualizza il riepilogo dei progetti non ultimati alla data di scadenza.", "!", Orange,
         [this] { SummaryScreen::openModal(this, ProjectFindScreen::expired()); }},
        {"cmdEsporta", "Esporta", "Esporta le schede in archivio in un file di Microsoft Excel.", "XL", Grey, {}},
        {"cmdFile", "Allegati", "Allega file alla scheda corrente.", "@", Grey, {}},
        {"cmdGuida", "Guida", "Visualizza la guida in linea.", "i", Grey, {}},
        {"cmdEsci", "Esci", "Esci da questa schermata di lavoro.", "X", Red, {}},
    });
    findChild<QWidget *>(QStringLiteral("cmdGuida"))->setProperty("helpTopic", QStringLiteral("Applicazione Archivio progetti."));

    CardForm::build(this, ProjectRecord::layout(), sections());
    createAttachmentLabels(content());
    bindFields();
    connect(findChild<QAbstractButton *>(QStringLiteral("btnRendiconto")), &QAbstractButton::clicked, this, [this] {
        if (Routines::trimmed(box("Codice")->text()).isEmpty()) {
            Dialogs::warning(this, QStringLiteral("Attenzione: per il rendiconto è necessario indicare il codice "
                                                  "identificativo del progetto."));
            box("Codice")->setFocus();
            return;
        }
        ProjectReportScreen::open(this, {box("Nome")->text(), box("Codice")->text(), box("CostoPrev")->text(),
                                         box("TotCosti")->text(), archivePath(), box("DataScade")->text()});
    });
    buildTabs();

    m_finished = findChild<QCheckBox *>(QStringLiteral("chkTerminato"));
    box("TotCosti")->setMaxLength(10);
    for (QLineEdit *e : findChildren<QLineEdit *>())
        if (e->objectName().startsWith(QLatin1String("txt"))) {
            Box::setup(e);
            Box::highlight(e);
        }
    for (const QString &f : multiLine())
        Box::highlight(findChild<QWidget *>(QStringLiteral("txt") + f));
    Box::setup(box("CostoPrev"), {.keys = Box::Keys::Amount, .amountDecimals = 4});
    Box::setup(box("TotCosti"), {.keys = Box::Keys::Amount, .amountDecimals = 4});
    Box::setup(box("TotMembri"), {.keys = Box::Keys::Digits});
    box("TotMembri")->installEventFilter(this);
    for (const auto &[field, tag] : {std::pair{"DataInizio", "referti_datainizio"}, std::pair{"DataScade", "referti_datascade"}}) {
        const QString t = QLatin1String(tag);
        Box::setup(box(field), {.picker = [this, t] { CalendarDialog::pick(this, t); }});
        CalendarDialog::registerTarget(t, box(field));
    }
    connect(findChild<QToolButton *>(QStringLiteral("impResponsabile")), &QToolButton::clicked, this,
            [this] { WorkerFindScreen::open(this, QStringLiteral("referti")); });
}

void ProjectCardScreen::buildTabs()
{
    auto *bar = new QWidget(findChild<QWidget *>(QStringLiteral("panScheda")));
    bar->setObjectName(QStringLiteral("panSchede"));
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 4, 0, 0);
    row->setSpacing(2);
    const QString normal = QStringLiteral("QToolButton { padding: 4px 14px; border: 1px solid #8a9ab0; border-bottom: none;"
                                          " border-top-left-radius: 4px; border-top-right-radius: 4px; background: #dde4ee; }"
                                          "QToolButton:focus { border: 2px solid #2f6fb5; border-bottom: none; }");
    const QString chosen = QStringLiteral("QToolButton { padding: 4px 14px; border: 1px solid #2f6fb5; border-bottom: none;"
                                          " border-top-left-radius: 4px; border-top-right-radius: 4px; background: white;"
                                          " font-weight: bold; color: #1f3f75; }");
    for (int i = 0; i < 5; ++i) {
        const Tab &t = Tabs[i];
        QWidget *first = findChild<QWidget *>(QStringLiteral("txt") + QLatin1String(t.focus));
        QWidget *panel = first->parentWidget();
        panel->setObjectName(QStringLiteral("pan") + QLatin1String(t.name));
        m_panels << panel;
        m_firstOfPanel << first;
        for (const char *suffix : {"_A", "_B"}) {
            auto *b = new QToolButton(bar);
            b->setObjectName(QStringLiteral("btn") + QLatin1String(t.name) + QLatin1String(suffix));
            b->setText(QString::fromUtf8(t.caption));
            b->setCursor(Qt::PointingHandCursor);
            const bool a = suffix[1] == 'A';
            b->setStyleSheet(a ? normal : chosen);
            b->setFocusPolicy(a ? Qt::StrongFocus : Qt::NoFocus);
            if (a)
                connect(b, &QToolButton::clicked, this, [this, i] { selectSection(i); });
            row->addWidget(b);
        }
    }
    row->addStretch();
    // Under the name, code and scope, above the panels.
    auto *columns = findChild<QWidget *>(QStringLiteral("panScheda"))->layout();
    if (auto *column = qobject_cast<QBoxLayout *>(columns->itemAt(0)->layout()))
        column->insertWidget(1, bar);
    for (QWidget *panel : m_panels) {
        panel->setAutoFillBackground(false);
        panel->setStyleSheet(QString());
    }
    selectSection(0);
}

void ProjectCardScreen::selectSection(int index)
{
    ensureBuilt();
    for (int i = 0; i < 5; ++i) {
        const QString name = QStringLiteral("btn") + QLatin1String(Tabs[i].name);
        findChild<QWidget *>(name + QStringLiteral("_A"))->setVisible(i != index);
        findChild<QWidget *>(name + QStringLiteral("_B"))->setVisible(i == index);
        m_panels.at(i)->setVisible(i == index);
    }
    m_firstOfPanel.at(index)->setFocus(Qt::OtherFocusReason);
}

int ProjectCardScreen::selectedSection() const
{
    for (int i = 0; i < m_panels.size(); ++i)
        if (!m_panels.at(i)->isHidden())
            return i;
    return -1;
}

int ProjectCardScreen::sectionOf(QWidget *control) const
{
    for (int i = 0; i < m_panels.size(); ++i)
        if (m_panels.at(i)->isAncestorOf(control))
            return i;
    return -1;
}

QString ProjectCardScreen::shownText(const QString &field) const
{
    if (QWidget *w = findChild<QWidget *>(QStringLiteral("txt") + field))
        return WidgetText::get(w);
    return QString();
}

bool ProjectCardScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && watched == box("TotMembri")
        && Routines::trimmed(box("TotMembri")->text()).isEmpty())
        box("TotMembri")->setText(QStringLiteral("0"));
    return CardScreen::eventFilter(watched, event);
}

void ProjectCardScreen::setDefaults()
{
    box("CostoPrev")->setText(QStringLiteral("0,00"));
    box("TotCosti")->setText(QStringLiteral("0,00"));
    box("TotMembri")->setText(QStringLiteral("0"));
    m_finished->setChecked(false);
    selectSection(0);
}

QWidget *ProjectCardScreen::firstField() const
{
    return box("Nome");
}

bool ProjectCardScreen::checkSave()
{
    struct Required {
        const char *field;
        const char *what;
    };
    static const Required required[] = {
        {"Nome", "il nome del progetto"},
        {"Codice", "il codice identificativo del progetto"},
        {"DataInizio", "la data di inizio del progetto"},
        {"DataScade", "la data di scadenza del progetto"},
        {"CostoPrev", "il costo totale preventivato del progetto"},
        {"Responsabile", "il nome del responsabile del progetto"},
    };
    for (const Required &r : required) {
        QLineEdit *e = box(r.field);
        if (!Routines::trimmed(e->text()).isEmpty())
            continue;
        Dialogs::warning(this, QStringLiteral("Attenzione: per salvare la scheda è necessario indicare ")
                                   + QString::fromUtf8(r.what) + QLatin1Char('.'));
        // A box on a hidden panel could not take the focus: its tab comes forward first.
        const int section = sectionOf(e);
        if (section >= 0)
            selectSection(section);
        e->setFocus();
        return false;
    }
    return true;
}

void ProjectCardScreen::duplicateAlso()
{
    selectSection(0);
}

void ProjectCardScreen::loadSpecial(const Record &record)
{
    for (const QString &f : multiLine()) {
        QString text = record.get(f);
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        WidgetText::set(findChild<QWidget *>(QStringLiteral("txt") + f), text);
    }
    const QString mark = Routines::trimmed(record.get(QStringLiteral("Terminato")));
    if (mark == ProjectFind::TerminatoSi)
        m_finished->setChecked(true);
    else if (mark == ProjectFind::TerminatoNo)
        m_finished->setChecked(false);
    // Attachments are shown trimmed.
    for (const char *kind : {"File", "Desc"})
        for (int i = 1; i <= 3; ++i) {
            const QString name = QStringLiteral("%1%2").arg(QLatin1String(kind)).arg(i, 2, 10, QLatin1Char('0'));
            findChild<QLabel *>(QStringLiteral("lbl") + name)->setText(Routines::trimmed(record.get(name)));
        }
}

void ProjectCardScreen::storeSpecial(Record &record)
{
    for (const QString &f : multiLine()) {
        QString text = WidgetText::get(findChild<QWidget *>(QStringLiteral("txt") + f));
        text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
        record.set(f, text);
    }
    record.set(QStringLiteral("Terminato"), m_finished->isChecked() ? ProjectFind::TerminatoSi : ProjectFind::TerminatoNo);
}
