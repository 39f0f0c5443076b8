#pragma once
#include "framework/Background.h"
#include "settings/Backup.h"

#include <QObject>

// The backup made at each start, run beside the screens so the login window is not kept
// waiting; a failure, or an archive left out, is said once in a warning box, and the
// program goes on.
class StartBackup : public QObject
{
    Q_OBJECT
public:
    explicit StartBackup(QObject *parent = nullptr);
    void start(const QString &dataFolder);
    // Waits for the copy in progress (the program is ending).
    void wait() { m_job.wait(); }

signals:
    // Bytes copied and read back so far and in all, at each whole percent.
    void progress(qint64 done, qint64 total);
    void finished(const Backup::Outcome &outcome);

private:
    BackgroundJob m_job;
};
