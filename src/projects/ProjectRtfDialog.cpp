#include "projects/ProjectRtfDialog.h"

#include "archive/FindScreen.h"
#include "framework/Desktop.h"
#include "framework/Dialogs.h"
#include "framework/Routines.h"
#include "projects/ProjectRtf.h"
#include "settings/ProgramFolder.h"

#include <QLabel>
#include <QPushButton>

ProjectRtfDialog::ProjectRtfDialog(CardText shownText, QWidget *parent)
    : QDialog(parent), m_shownText(std::move(shownText))
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

void ProjectRtfDialog::open(QWidget *parent, const QString &mode, CardText shownText)
{
    ProjectRtfDialog screen(std::move(shownText), parent);
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
    if (!Dialogs::question(this, ProjectRtf::confirmQuestion()))
        return accept();
    const QString path = ProgramFolder::file(ProjectRtf::fileName());
    const QByteArray bytes = ProjectRtf::document(m_shownText);
    if (!ProjectRtf::write(path, bytes)) {
        Dialogs::notice(this, ProjectRtf::failedNotice());
        return accept();
    }
    if (Dialogs::question(this, ProjectRtf::doneQuestion()))
        Desktop::Open(QLatin1Char('"') + path + QLatin1Char('"'));
    accept();
}
