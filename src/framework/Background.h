#pragma once
#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <memory>

// One piece of work on a thread of its own, its result handed to a receiver on the
// receiver's thread. Keep the job as a member of the receiver: destroying it waits for the
// work, and a result still on its way to a receiver being destroyed is dropped.
class BackgroundJob
{
public:
    BackgroundJob() = default;
    BackgroundJob(const BackgroundJob &) = delete;
    BackgroundJob &operator=(const BackgroundJob &) = delete;
    ~BackgroundJob() { wait(); }

    bool running() const { return m_thread && m_thread->isRunning(); }

    // Does nothing while an earlier piece of work still runs: its result is on its way.
    template <class Work, class Done>
    bool start(QObject *receiver, Work work, Done done)
    {
        if (running())
            return false;
        wait();
        m_thread.reset(QThread::create([receiver, work = std::move(work), done = std::move(done)]() mutable {
            auto result = work();
            QMetaObject::invokeMethod(
                receiver, [done = std::move(done), result = std::move(result)]() mutable { done(result); },
                Qt::QueuedConnection);
        }));
        m_thread->start();
        return true;
    }

    void wait()
    {
        if (m_thread) {
            m_thread->wait();
            m_thread.reset();
        }
    }

private:
    std::unique_ptr<QThread> m_thread;
};
