#pragma once
#include "framework/Background.h"
#include "settings/Backup.h"

#include <QObject>

// The backup made at each start, run beside the screens so the login window is not kept
// waiting; a failure is said once, in a warning box, and the program goes on.
class StartBackup : public QObject
{
    Q_OBJECT
public:
    explicit StartBackup(QObject *parent = nullptr);
    void start(const QString &dataFolder);
    // Waits for the copy in progress (the program is ending).
    void wait() { m_job.wait(); }

signals:
    void finished(const Backup::Outcome &outcome);

private:
    BackgroundJob m_job;
};
