#include "projects/TrovaProgetti.h"

#include "app/ProgramFolder.h"
#include "app/Routines.h"
#include "archive/Archivio.h"
#include "archive/ResultList.h"
#include "framework/Clock.h"
#include "framework/Desktop.h"
#include "framework/Dialogs.h"
#include "projects/ProjectFind.h"
#include "projects/ProjectRecord.h"
#include "projects/ProjectRtf.h"
#include "projects/Referti.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The screens read an archive the card screen may not have written yet: it starts empty.
void createIfMissing(const QString &path, int recordSize)
{
    TArchivio archive(path, recordSize);
    if (archive.openOrCreate())
        archive.close();
}

const QString FindName = QStringLiteral("TfrmTrovaProgetti");

TfrmReferti *projectScreen()
{
    return qobject_cast<TfrmReferti *>(PickModes::screen(QStringLiteral("TfrmReferti")));
}

void loadIntoProjects(const Record &record, qint64 n)
{
    if (TfrmReferti *card = projectScreen())
        card->loadCard(n, record);
}

}

QString openProjectArchive()
{
    TfrmReferti *card = projectScreen();
    return card ? card->archivePath() : QString();
}

TfrmTrovaProgetti::TfrmTrovaProgetti(QWidget *parent)
    : FindScreen({FindName, QStringLiteral(" Trova progetti in archivio"), &ProjectRecord::layout(), openProjectArchive,
                  ProjectFind::filters(), ProjectFind::line(), ProjectFind::listTitle(), &remembered},
                 parent)
{
}

void TfrmTrovaProgetti::open(QWidget *parent, const QString &mode)
{
    createIfMissing(openProjectArchive(), ProjectRecord::layout().size());
    TfrmTrovaProgetti screen(parent);
    screen.setMode(mode);
    screen.exec();
}

TfrmProgettiScaduti::TfrmProgettiScaduti(QWidget *parent)
    : SummaryScreen(QStringLiteral("TfrmProgettiScaduti"), QStringLiteral(" Riepilogo progetti scaduti non ultimati"),
                    ProjectFind::expiredTitle(), &remembered, parent)
{
    // The due date is why a project is listed: it stays in view on a common screen.
    resultPanel()->list()->keepInView(ProjectFind::DueDateColumnEnd);
}

void TfrmProgettiScaduti::open(QWidget *parent)
{
    TfrmProgettiScaduti screen(parent);
    screen.exec();
}

void TfrmProgettiScaduti::build()
{
    createIfMissing(openProjectArchive(), ProjectRecord::layout().size());
    const ProjectFind::Expired due = ProjectFind::expired(openProjectArchive(), Clock::today());
    resultPanel()->setLines(due.listing.lines, true);
    // The lines listed stay; a card that could not be judged is said once the list is on view.
    if (due.unreadable > 0)
        noticeAfterShow(ProjectFind::unreadableNotice(due.unreadable));
}

void TfrmProgettiScaduti::pickLine(const QString &line)
{
    PickModes::handOver(openProjectArchive(), ProjectRecord::layout(), ProjectFind::line(), line, loadIntoProjects);
}

TfrmCreaRTF::TfrmCreaRTF(QWidget *parent)
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
    connect(print, &QPushButton::clicked, this, &TfrmCreaRTF::exportCard);
}

void TfrmCreaRTF::open(QWidget *parent, const QString &mode)
{
    TfrmCreaRTF screen(parent);
    screen.setMode(mode);
    screen.exec();
}

void TfrmCreaRTF::setMode(const QString &tag)
{
    m_memory->setText(tag);
}

void TfrmCreaRTF::exportCard()
{
    if (Routines::trimmed(m_memory->text()) != QLatin1String("referti"))
        return;
    TfrmReferti *card = projectScreen();
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
        TMisc::Open(QLatin1Char('"') + path + QLatin1Char('"'));
    accept();
}

void installProjectFind()
{
    PickModes::add(FindName, QStringLiteral("referti"), loadIntoProjects);
}
