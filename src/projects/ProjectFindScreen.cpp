#include "projects/ProjectFindScreen.h"

#include "settings/ProgramFolder.h"
#include "framework/Routines.h"
#include "archive/ArchiveFile.h"
#include "archive/ResultList.h"
#include "framework/Clock.h"
#include "framework/Desktop.h"
#include "framework/Dialogs.h"
#include "projects/ProjectFind.h"
#include "projects/ProjectRecord.h"
#include "projects/ProjectRtf.h"
#include "projects/ProjectCardScreen.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The screens read an archive the card screen may not have written yet: it starts empty.
void createIfMissing(const QString &path, int recordSize)
{
    ArchiveFile archive(path, recordSize);
    if (archive.openOrCreate())
        archive.close();
}

const QString FindName = QStringLiteral("TfrmTrovaProgetti");

ProjectCardScreen *projectScreen()
{
    return qobject_cast<ProjectCardScreen *>(PickModes::screen(QStringLiteral("TfrmReferti")));
}

void loadIntoProjects(const Record &record, qint64 n)
{
    if (ProjectCardScreen *card = projectScreen())
        card->loadCard(n, record);
}

}

QString openProjectArchive()
{
    ProjectCardScreen *card = projectScreen();
    return card ? card->archivePath() : QString();
}

ProjectFindScreen::ProjectFindScreen(QWidget *parent)
    : FindScreen({FindName, QStringLiteral(" Trova progetti in archivio"), &ProjectRecord::layout(), openProjectArchive,
                  ProjectFind::filters(), ProjectFind::line(), ProjectFind::listTitle(), &remembered},
                 parent)
{
}

void ProjectFindScreen::open(QWidget *parent, const QString &mode)
{
    createIfMissing(openProjectArchive(), ProjectRecord::layout().size());
    ProjectFindScreen screen(parent);
    screen.setMode(mode);
    screen.exec();
}

ExpiredProjectsScreen::ExpiredProjectsScreen(QWidget *parent)
    : SummaryScreen(QStringLiteral("TfrmProgettiScaduti"), QStringLiteral(" Riepilogo progetti scaduti non ultimati"),
                    ProjectFind::expiredTitle(), &remembered, parent)
{
    // The due date is why a project is listed: it stays in view on a common screen.
    resultPanel()->list()->keepInView(ProjectFind::DueDateColumnEnd);
}

void ExpiredProjectsScreen::open(QWidget *parent)
{
    ExpiredProjectsScreen screen(parent);
    screen.exec();
}

void ExpiredProjectsScreen::build()
{
    createIfMissing(openProjectArchive(), ProjectRecord::layout().size());
    const ProjectFind::Expired due = ProjectFind::expired(openProjectArchive(), Clock::today());
    resultPanel()->setLines(due.listing.lines, true);
    // The lines listed stay; a card that could not be judged is said once the list is on view.
    if (due.unreadable > 0)
        noticeAfterShow(ProjectFind::unreadableNotice(due.unreadable));
}

void ExpiredProjectsScreen::pickLine(const QString &line)
{
    PickModes::handOver(openProjectArchive(), ProjectRecord::layout(), ProjectFind::line(), line, loadIntoProjects);
}

ProjectRtfDialog::ProjectRtfDialog(QWidget *parent)
    : QDialog(parent)
{
    DialogFrame::setup(this, QStringLiteral("TfrmCreaRTF"), QStringLiteral(" Esporta scheda in RTF"), QSize(340, 250));
    QPushButton *print = DialogFrame::confirmation(
        this, QString(),
        {QStringLiteral("Fare clic sul pulsante in calce"), QStringLiteral("per esportare la scheda"),
         QStringLiteral("in un documento RTF."), QStringLiteral("Il testo del documento potrà quindi"),
         QStringLiteral("essere personalizzato prima di"), QStringLiteral("procedere alla stampa su carta.")},
        QStringLiteral("Esporta e stampa"));
    m_memory = new QLabel(this);
    m_memory->setObjectName(QStringLiteral("lblMemory"));
    m_memory->hide();
    connect(print, &QPushButton::clicked, this, &ProjectRtfDialog::exportCard);
}

void ProjectRtfDialog::open(QWidget *parent, const QString &mode)
{
    ProjectRtfDialog screen(parent);
    screen.setMode(mode);
    screen.exec();
}

void ProjectRtfDialog::setMode(const QString &tag)
{
    m_memory->setText(tag);
}

void ProjectRtfDialog::exportCard()
{
    if (Routines::trimmed(m_memory->text()) != QLatin1String("referti"))
        return;
    ProjectCardScreen *card = projectScreen();
    if (!card)
        return accept();
    if (!Dialogs::question(this, ProjectRtf::confirmQuestion()))
        return accept();
    const QString path = ProgramFolder::file(ProjectRtf::fileName());
    const QByteArray bytes = ProjectRtf::document([card](const QString &field) { return card->shownText(field); });
    if (!ProjectRtf::write(path, bytes)) {
        Dialogs::notice(this, ProjectRtf::failedNotice());
        return accept();
    }
    if (Dialogs::question(this, ProjectRtf::doneQuestion()))
        Desktop::Open(QLatin1Char('"') + path + QLatin1Char('"'));
    accept();
}

void installProjectFind()
{
    PickModes::add(FindName, QStringLiteral("referti"), loadIntoProjects);
}
