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
        this,
        [this, dataFolder] {
            // Told from the copying thread; the menu hears it queued, once per percent.
            int told = -1;
            return Backup::run(dataFolder, QDateTime::currentDateTime(), [this, &told](qint64 done, qint64 total) {
                const int percent = total > 0 ? int(done * 100 / total) : 100;
                if (percent != told) {
                    told = percent;
                    emit progress(done, total);
                }
            });
        },
        [this, dataFolder](const Backup::Outcome &outcome) {
            if (outcome.status == Backup::Outcome::Failed)
                Dialogs::warning(QApplication::activeWindow(), Backup::failureText(dataFolder, outcome));
            else if (!outcome.notCopied.isEmpty())
                Dialogs::warning(QApplication::activeWindow(), Backup::notCopiedText(dataFolder, outcome));
            emit finished(outcome);
        });
}
