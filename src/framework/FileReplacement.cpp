#include "framework/FileReplacement.h"

#include "framework/FileOps.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileReplacement::FileReplacement(QString target)
    : m_target(std::move(target))
{
}

FileReplacement::~FileReplacement()
{
    if (!m_done)
        discard();
}

bool FileReplacement::fail()
{
    m_error = errno ? errno : EIO;
    discard();
    return false;
}

bool FileReplacement::open(mode_t mode, bool exact)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate = m_target + QLatin1Char('.')
            + QString::number(QRandomGenerator::global()->generate() % 0x1000000u, 36);
        m_fd = FileOps::open(candidate, O_WRONLY | O_CREAT | O_EXCL, exact ? 0600 : mode);
        if (m_fd >= 0) {
            m_temp = candidate;
            // A file made with O_CREAT has the umask's bits taken away; some callers need exactly theirs.
            if (exact && FileOps::fchmod(m_fd, mode) != 0)
                return fail();
            return true;
        }
        if (errno != EEXIST)
            return fail();
    }
    return fail();
}

bool FileReplacement::write(QByteArrayView bytes)
{
    if (m_fd < 0) {
        errno = EBADF;
        return fail();
    }
    if (bytes.isEmpty())
        return true;
    return FileOps::write(m_fd, bytes.data(), size_t(bytes.size())) == bytes.size() || fail();
}

bool FileReplacement::closeForOthers()
{
    if (m_fd < 0)
        return true;
    const int fd = m_fd;
    m_fd = -1;
    return FileOps::close(fd) == 0 || fail();
}

bool FileReplacement::commit(bool keepExisting)
{
    if (m_temp.isEmpty()) {
        errno = EBADF;
        return fail();
    }
    // Filled by another writer: opened again to bring it to the disk.
    if (m_fd < 0 && (m_fd = FileOps::open(m_temp, O_RDONLY)) < 0)
        return fail();
    if (FileOps::fsync(m_fd) != 0)
        return fail();
    const int fd = m_fd;
    m_fd = -1;
    if (FileOps::close(fd) != 0)
        return fail();
    if (keepExisting) {
        if (FileOps::renameNoReplace(m_temp, m_target) != 0) {
            if (errno != EEXIST || !QFileInfo::exists(m_target))
                return fail();
            discard();
            m_done = true;
            return true;
        }
    } else if (FileOps::rename(m_temp, m_target) != 0) {
        return fail();
    }
    m_done = true;
    FileOps::syncFolder(QFileInfo(m_target).absolutePath());
    return true;
}

void FileReplacement::discard()
{
    if (m_fd >= 0) {
        // A failure here changes nothing: the file goes anyway.
        const int e = errno;
        ::close(m_fd);
        errno = e;
        m_fd = -1;
    }
    if (!m_temp.isEmpty()) {
        FileOps::unlink(m_temp);
        m_temp.clear();
    }
}

QString FileReplacement::errorString() const
{
    return FileOps::errorText(m_error);
}
