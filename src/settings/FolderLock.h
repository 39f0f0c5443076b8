#pragma once
#include <QString>

// The mark a program leaves on the data folder it works in: a lock on a small file there,
// which every computer sharing the folder sees and the system drops when the program ends,
// however it ends. Programs hold it shared; a restore wants it alone.
class FolderLock
{
public:
    enum class Kind { Shared, Exclusive };
    static constexpr char FileName[] = "in-uso.lck";

    FolderLock() = default;
    ~FolderLock();
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    // Takes the lock without waiting; false when another holder stands in the way (busy())
    // or the file cannot be made (errorText()).
    bool acquire(const QString &dataFolder, Kind kind);
    void release();
    bool held() const { return m_fd >= 0; }
    bool busy() const { return m_busy; }
    const QString &errorText() const { return m_error; }

private:
    int m_fd = -1;
    bool m_busy = false;
    QString m_error;
};
