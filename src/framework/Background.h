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

    // Until its result has been handed over.
    bool busy() const { return m_busy; }

    // Does nothing while an earlier piece of work is busy: its result is on its way.
    template <class Work, class Done>
    bool start(QObject *receiver, Work work, Done done)
    {
        if (m_busy)
            return false;
        wait();
        m_busy = true;
        m_thread.reset(QThread::create([this, receiver, work = std::move(work), done = std::move(done)]() mutable {
            auto result = work();
            QMetaObject::invokeMethod(
                receiver,
                [this, done = std::move(done), result = std::move(result)]() mutable {
                    m_busy = false;
                    done(result);
                },
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
    bool m_busy = false;   // read and written on the receiver's thread only
};
