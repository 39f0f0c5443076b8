#include "worklog/WorkFindScreen.h"

#include "archive/ArchiveFile.h"
#include "archive/ResultList.h"
#include "framework/BoxBehaviour.h"
#include "framework/BusyCursor.h"
#include "framework/Clock.h"
#include "framework/Dialogs.h"
#include "framework/Routines.h"
#include "projects/ProjectFind.h"
#include "projects/ProjectRecord.h"
#include "settings/ProgramFolder.h"
#include "worklog/WorkCardScreen.h"
#include "worklog/WorkFind.h"
#include "worklog/WorkRecord.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace {

// The screens read an archive the card screen may not have written yet: it starts empty.
void createIfMissing(const QString &path, int recordSize)
{
    ArchiveFile archive(path, recordSize);
    if (archive.openOrCreate())
        archive.close();
}

const QString FindName = QStringLiteral("TfrmTrovaLavori");

WorkCardScreen *workScreen()
{
    return qobject_cast<WorkCardScreen *>(PickModes::screen(QStringLiteral("TfrmLavori")));
}

QString openWorkLog()
{
    WorkCardScreen *card = workScreen();
    return card ? card->archivePath() : QString();
}

void loadIntoWorks(const Record &record, qint64 n)
{
    if (WorkCardScreen *card = workScreen())
        card->loadCard(n, record);
}

}

FindDefinition WorkFindScreen::definition()
{
    return {FindName, QStringLiteral(" Trova prestazioni lavorative in archivio"), &WorkRecord::layout(), openWorkLog,
           WorkFind::filters(), WorkFind::line(), WorkFind::listTitle(), &remembered};
}

void WorkFindScreen::open(QWidget *parent, const QString &mode)
{
    createIfMissing(openWorkLog(), WorkRecord::layout().size());
    FindScreen::openModal(parent, definition(), mode);
}

SummaryDefinition WorkFindScreen::incomplete()
{
    static QString remembered;
    return {QStringLiteral("TfrmLavIncompleti"), QStringLiteral(" Riepilogo lavori incompleti"),
            WorkFind::incompleteTitle(), &remembered, 0,
            [] {
                createIfMissing(openWorkLog(), WorkRecord::layout().size());
                return WorkFind::incomplete(openWorkLog());
            },
            nullptr,
            [](const QString &line) {
                PickModes::handOver(openWorkLog(), WorkRecord::layout(), WorkFind::line(), line, loadIntoWorks);
            },
            {}};
}

ProjectImportScreen::ProjectImportScreen(QWidget *parent)
    : QDialog(parent)
{
    DialogFrame::setup(this, QStringLiteral("TfrmImportaProgetti"), QStringLiteral(" Importazione dati progetto"),
                       QSize(862, 560));
    m_stack = new QStackedLayout(this);

    m_yearPanel = new QWidget(this);
    m_yearPanel->setObjectName(QStringLiteral("panAnno"));
    auto *v = new QVBoxLayout(m_yearPanel);
    v->setContentsMargins(40, 30, 40, 24);
    v->setSpacing(8);
    QLabel *title = new QLabel(QStringLiteral("Importa dati da archivio annuale progetti."), m_yearPanel);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 3);
    title->setFont(bold);
    v->addWidget(title);
    v->addSpacing(10);
    v->addWidget(new QLabel(QStringLiteral("Indicare l'anno solare e premere Apri."), m_yearPanel));
    auto *row = new QHBoxLayout;
    m_year = new QLineEdit(m_yearPanel);
    m_year->setObjectName(QStringLiteral("txtAnno"));
    m_year->setAccessibleName(QStringLiteral("Anno solare"));
    m_year->setMaxLength(4);
    m_year->setFixedWidth(m_year->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 20);
    m_year->setAlignment(Qt::AlignCenter);
    auto *openButton = new QPushButton(QStringLiteral("Apri"), m_yearPanel);
    openButton->setObjectName(QStringLiteral("btnApri"));
    auto *find = new QPushButton(QStringLiteral("Cerca"), m_yearPanel);
    find->setEnabled(false);
    auto *close = new QPushButton(QStringLiteral("Chiudi"), m_yearPanel);
    close->setObjectName(QStringLiteral("btnClose"));
    row->addWidget(m_year);
    for (QPushButton *b : {openButton, find, close}) {
        b->setMinimumWidth(90);
        row->addWidget(b);
    }
    row->addStretch();
    v->addLayout(row);
    v->addSpacing(14);
    for (const char *text : {"Utilizzare questo ambiente per importare i dati di un progetto da un archivio annuale.",
                             "N.B. E' possibile importare i dati relativi al nome del progetto, al codice identificativo "
                             "e all'ambito di appartenenza."}) {
        auto *l = new QLabel(QString::fromUtf8(text), m_yearPanel);
        l->setWordWrap(true);
        v->addWidget(l);
    }
    v->addStretch();
    m_file = new QLabel(m_yearPanel);
    m_file->setObjectName(QStringLiteral("lblFile"));
    m_file->hide();
    Box::setup(m_year, {.keys = Box::Keys::Digits});
    Box::enterTo(m_year, openButton);
    connect(openButton, &QPushButton::clicked, this, &ProjectImportScreen::openYear);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    m_stack->addWidget(m_yearPanel);

    m_results = new ResultPanel(QStringLiteral("Riepilogo progetti dell'anno"),
                                &remembered, false, this);
    m_stack->addWidget(m_results);
    m_stack->setCurrentWidget(m_yearPanel);
    connect(m_results, &ResultPanel::picked, this, &ProjectImportScreen::pick);
    connect(m_results, &ResultPanel::closeRequested, this, &QDialog::reject);
}

void ProjectImportScreen::open(QWidget *parent)
{
    ProjectImportScreen screen(parent);
    screen.exec();
}

void ProjectImportScreen::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    DialogFrame::centre(this);
    m_year->setText(QString::number(Clock::today().year()));
    m_results->reset();
    m_year->setFocus(Qt::OtherFocusReason);
}

void ProjectImportScreen::openYear()
{
    const QString text = m_year->text();
    // The year becomes part of a file name: four digits and nothing else.
    if (text.size() != 4 || !Routines::isDigits(text)) {
        Dialogs::warning(this, QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
        m_year->setFocus();
        return;
    }
    m_results->list()->selectRow(0);
    m_results->searchBox()->clear();
    m_file->setText(ProgramFolder::file(ProjectFind::fileName(text)));
    createIfMissing(m_file->text(), ProjectRecord::layout().size());
    const Find::Listing found = BusyCursor::during([&] {
        return Find::list(m_file->text(), ProjectRecord::layout(), [](qint64, const char *) { return true; },
                          ProjectFind::line());
    });
    // An archive that cannot be read leaves the user on the year, told why, rather than on an
    // empty list that looks like a year without projects.
    if (!found.ok) {
        Dialogs::notice(this, Dialogs::archiveAccessText());
        m_year->setFocus();
        return;
    }
    m_results->setLines(found.lines, true);
    m_stack->setCurrentWidget(m_results);
    m_results->focusResults();
}

void ProjectImportScreen::pick(const QString &line)
{
    if (!line.isNull())
        PickModes::handOver(m_file->text(), ProjectRecord::layout(), ProjectFind::line(), line, [](const Record &r, qint64) {
            WorkCardScreen *card = workScreen();
            if (!card)
                return;
            for (const auto &[control, field] : {std::pair{"txtNomeProg", "Nome"}, std::pair{"txtCodiceProg", "Codice"},
                                                 std::pair{"txtAmbitoProg", "Ambito"}})
                if (QWidget *w = card->findChild<QWidget *>(QLatin1String(control)))
                    WidgetText::set(w, r.get(QLatin1String(field)));
        });
    accept();
}

void ProjectImportScreen::done(int result)
{
    m_results->list()->clearLines();
    QDialog::done(result);
}

void installWorkFind()
{
    PickModes::add(FindName, QStringLiteral("lavori"), loadIntoWorks);
    WorkCardScreen::openFind = [](WorkCardScreen *screen) { WorkFindScreen::open(screen, QStringLiteral("lavori")); };
    WorkCardScreen::openIncomplete = [](WorkCardScreen *screen) {
        SummaryScreen::openModal(screen, WorkFindScreen::incomplete());
    };
    WorkCardScreen::openProjectImport = [](WorkCardScreen *screen) { ProjectImportScreen::open(screen); };
    if (auto *card = workScreen())
        card->updateCommands();
}
