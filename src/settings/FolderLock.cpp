#include "settings/FolderLock.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

FolderLock::~FolderLock()
{
    release();
}

bool FolderLock::acquire(const QString &dataFolder, Kind kind)
{
    release();
    m_busy = false;
    m_error.clear();
    QString dir = dataFolder;
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    const QByteArray path = QFile::encodeName(dir + QLatin1String(FileName));
    int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    // A folder the user may only read can still be marked as in use.
    if (fd < 0 && kind == Kind::Shared)
        fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        m_error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(dir + QLatin1String(FileName)),
                                              QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    // An open-file-description lock: per open file, not per process, and gone with the last
    // descriptor, so nothing the program does elsewhere with the file can drop it by mistake.
    struct flock fl;
    std::memset(&fl, 0, sizeof fl);
    fl.l_type = kind == Kind::Shared ? F_RDLCK : F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 1;
    int r;
    do {
        r = ::fcntl(fd, F_OFD_SETLK, &fl);
    } while (r != 0 && errno == EINTR);
    if (r != 0) {
        const int e = errno;
        ::close(fd);
        m_busy = e == EAGAIN || e == EACCES;
        m_error = QString::fromLocal8Bit(std::strerror(e));
        return false;
    }
    m_fd = fd;
    return true;
}

void FolderLock::release()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}
