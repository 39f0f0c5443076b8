#include "shell/StartBackup.h"

#include "framework/Dialogs.h"

#include <QApplication>
#include <QDateTime>

StartBackup::StartBackup(QObject *parent)
    : QObject(parent)
{
}

void StartBackup::start(const QString &dataFolder)
{
    m_job.start(
        this, [dataFolder] { return Backup::run(dataFolder, QDateTime::currentDateTime()); },
        [this, dataFolder](const Backup::Outcome &outcome) {
            if (outcome.status == Backup::Outcome::Failed)
                Dialogs::warning(QApplication::activeWindow(), Backup::failureText(dataFolder, outcome));
            emit finished(outcome);
        });
}
