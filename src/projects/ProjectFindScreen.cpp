#include "projects/ProjectFindScreen.h"

#include "archive/ArchiveFile.h"
#include "archive/CardScreen.h"
#include "archive/ResultList.h"
#include "framework/BusyCursor.h"
#include "framework/Clock.h"
#include "projects/ProjectFind.h"
#include "projects/ProjectRecord.h"

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

CardScreen *projectScreen()
{
    return qobject_cast<CardScreen *>(PickModes::screen(QStringLiteral("TfrmReferti")));
}

void loadIntoProjects(const Record &record, qint64 n)
{
    if (CardScreen *card = projectScreen())
        card->loadCard(n, record);
}

}

QString openProjectArchive()
{
    CardScreen *card = projectScreen();
    return card ? card->archivePath() : QString();
}

FindDefinition ProjectFindScreen::definition()
{
    return {FindName, QStringLiteral(" Trova progetti in archivio"), &ProjectRecord::layout(), openProjectArchive,
           ProjectFind::filters(), ProjectFind::line(), ProjectFind::listTitle(), &remembered};
}

void ProjectFindScreen::open(QWidget *parent, const QString &mode)
{
    createIfMissing(openProjectArchive(), ProjectRecord::layout().size());
    FindScreen::openModal(parent, definition(), mode);
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
    const ProjectFind::Expired due =
        BusyCursor::during([] { return ProjectFind::expired(openProjectArchive(), Clock::today()); });
    resultPanel()->setLines(due.listing.lines, true);
    // The lines listed stay; a card that could not be judged is said once the list is on view.
    if (due.unreadable > 0)
        noticeAfterShow(ProjectFind::unreadableNotice(due.unreadable));
}

void ExpiredProjectsScreen::pickLine(const QString &line)
{
    PickModes::handOver(openProjectArchive(), ProjectRecord::layout(), ProjectFind::line(), line, loadIntoProjects);
}

void installProjectFind()
{
    PickModes::add(FindName, QStringLiteral("referti"), loadIntoProjects);
}
