#pragma once
#include <QByteArrayView>
#include <QString>

#include <sys/types.h>

// A file written whole or not at all: the new content goes to a temporary file beside the
// target (same folder, so the rename stays on one file system), reaches the disk, and only
// then takes the target's name. Until commit() succeeds the target is untouched; a
// replacement dropped or failed removes its temporary file. Every step goes through FileOps.
class FileReplacement
{
public:
    explicit FileReplacement(QString target);
    ~FileReplacement();
    FileReplacement(const FileReplacement &) = delete;
    FileReplacement &operator=(const FileReplacement &) = delete;

    // Creates the temporary file; `mode` before the umask, or exactly `mode` when exact.
    bool open(mode_t mode = 0666, bool exact = false);
    bool write(QByteArrayView bytes);
    // Closes the temporary file for another writer that fills it by its path.
    bool closeForOthers();
    // Syncs and closes the temporary file, then renames it over the target. With
    // keepExisting a target that appeared meanwhile is kept and counts as success.
    bool commit(bool keepExisting = false);
    void discard();

    int handle() const { return m_fd; }
    const QString &temporaryPath() const { return m_temp; }
    const QString &target() const { return m_target; }
    int error() const { return m_error; }
    QString errorString() const;

private:
    bool fail();

    QString m_target;
    QString m_temp;
    int m_fd = -1;
    int m_error = 0;
    bool m_done = false;
};
