#include "projects/ProjectFindScreen.h"

#include "archive/ArchiveFile.h"
#include "archive/CardScreen.h"
#include "archive/ResultList.h"
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

SummaryDefinition ProjectFindScreen::expired()
{
    static QString remembered;
    // The due date is why a project is listed: it stays in view on a common screen, with the
    // person in charge after it; the name and the code give up room for them.
    return {QStringLiteral("TfrmProgettiScaduti"), QStringLiteral(" Riepilogo progetti scaduti non ultimati"),
            ProjectFind::expiredTitle(), &remembered, ProjectFind::DueDateColumnEnd + 2 + 24,
            [] {
                createIfMissing(openProjectArchive(), ProjectRecord::layout().size());
                return ProjectFind::expired(openProjectArchive(), Clock::today()).listing;
            },
            ProjectFind::unreadableNotice,
            [](const QString &line) {
                PickModes::handOver(openProjectArchive(), ProjectRecord::layout(), ProjectFind::line(), line,
                                    loadIntoProjects);
            },
            {{0, 40, 16}, {40 + 7, 26, 12}}};
}

void installProjectFind()
{
    PickModes::add(FindName, QStringLiteral("referti"), loadIntoProjects);
}
