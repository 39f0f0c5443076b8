#include "archive/ArchiveFile.h"

#include "framework/FileOps.h"
#include "framework/FileReplacement.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace {
// The lock byte: far past any data, so locking never touches what readers read.
constexpr off_t LockOffset = off_t(1) << 30;
// Opens a card journal: the card's number (8 bytes, least significant first), then the card.
constexpr char JournalMagic[8] = {'V', 'L', 'T', 'S', 'C', 'H', 'D', '1'};
}

ArchiveFile::ArchiveFile(QString path, int recordSize)
    : m_path(std::move(path)), m_recordSize(recordSize)
{
}

ArchiveFile::~ArchiveFile()
{
    close();
}

bool ArchiveFile::fail(const char *what, int error)
{
    m_error = QStringLiteral("%1: %2 (%3)")
                  .arg(m_path, QString::fromLatin1(what), QString::fromLocal8Bit(std::strerror(error)));
    return false;
}

bool ArchiveFile::open(bool writable)
{
    close();
    m_error.clear();
    const int mode = writable ? O_RDWR : O_RDONLY;
    m_fd = FileOps::open(m_path, mode);
    if (m_fd < 0 && errno == ENOENT) {
        // Missing: create it empty. O_EXCL so a file made meanwhile by someone else is kept.
        m_fd = FileOps::open(m_path, O_RDWR | O_CREAT | O_EXCL, 0666);
        if (m_fd < 0 && errno == EEXIST)
            m_fd = FileOps::open(m_path, mode);
    }
    if (m_fd < 0)
        return fail("open");
    struct stat st;
    if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int e = errno;
        ::close(m_fd);
        m_fd = -1;
        return fail("not a regular file", S_ISREG(st.st_mode) ? e : EISDIR);
    }
    if (writable)
        finishInterruptedWrite();
    m_error.clear();
    return true;
}

bool ArchiveFile::openOrCreate()
{
    return open(true);
}

bool ArchiveFile::openForReading()
{
    return open(false);
}

qint64 ArchiveFile::recordCount()
{
    if (m_fd < 0) {
        fail("not open", EBADF);
        return -1;
    }
    struct stat st;
    if (::fstat(m_fd, &st) != 0) {
        fail("stat");
        return -1;
    }
    return qint64(st.st_size) / m_recordSize;
}

bool ArchiveFile::readRecord(qint64 n, QByteArray &buffer)
{
    const qint64 count = recordCount();
    if (count < 0)
        return false;
    if (n < 1 || n > count)
        return fail("record out of range", ERANGE);
    return readAll(n, buffer);
}

bool ArchiveFile::readAll(qint64 n, QByteArray &buffer)
{
    buffer.resize(m_recordSize);
    qint64 got = 0;
    while (got < m_recordSize) {
        const ssize_t r = ::pread(m_fd, buffer.data() + got, size_t(m_recordSize - got),
                                  off_t((n - 1) * m_recordSize + got));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return fail("read", r < 0 ? errno : EIO);
        got += r;
    }
    return true;
}

namespace {
// The writers' lock: one byte at LockOffset, taken or given back with type.
struct flock lockByte(short type)
{
    struct flock fl;
    std::memset(&fl, 0, sizeof fl);
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = LockOffset;
    fl.l_len = 1;
    return fl;
}
}

bool ArchiveFile::lock()
{
    struct flock fl = lockByte(F_WRLCK);
    return FileOps::setLock(m_fd, F_OFD_SETLKW, &fl) == 0 || fail("lock");
}

void ArchiveFile::unlock()
{
    struct flock fl = lockByte(F_UNLCK);
    ::fcntl(m_fd, F_OFD_SETLK, &fl);
}

bool ArchiveFile::writeAll(qint64 offset, const QByteArray &buffer)
{
    if (FileOps::pwrite(m_fd, buffer.constData(), size_t(m_recordSize), off_t(offset)) != m_recordSize)
        return fail("write");
    if (FileOps::fsync(m_fd) != 0)
        return fail("sync");
    return true;
}

QString ArchiveFile::journalPath() const
{
    const QFileInfo info(m_path);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".in-scrittura");
}

bool ArchiveFile::replaceAll(qint64 n, const QByteArray &buffer, const QByteArray &previous)
{
    // A write spanning pages can be cut between them when the program is killed: the card is
    // first put whole in a journal beside the archive, which the next opening writes again.
    QByteArray entry = QByteArray(JournalMagic, sizeof JournalMagic);
    for (int i = 0; i < 8; ++i)
        entry += char(quint64(n) >> (8 * i));
    entry += buffer;
    FileReplacement journal(journalPath());
    if (!journal.open() || !journal.write(entry) || !journal.commit()) {
        errno = journal.error();
        return fail("journal");
    }
    if (writeAll((n - 1) * m_recordSize, buffer)) {
        FileOps::unlink(journalPath());
        return true;
    }
    // Part of the card may have reached the file, or all of it without reaching the disk:
    // the card it replaced goes back, so a failed save leaves the archive as it was.
    const int e = errno;
    const QString error = m_error;
    if (writeAll((n - 1) * m_recordSize, previous))
        FileOps::unlink(journalPath());
    m_error = error;
    errno = e;
    return false;
}

void ArchiveFile::finishInterruptedWrite()
{
    QFile in(journalPath());
    if (!in.exists() || !lock())
        return;
    // Under the lock: a journal another computer is using is gone before the lock is ours.
    if (in.open(QIODevice::ReadOnly)) {
        const QByteArray entry = in.readAll();
        in.close();
        qint64 n = 0;
        for (int i = 0; i < 8 && entry.size() >= 16; ++i)
            n |= qint64(quint8(entry.at(8 + i))) << (8 * i);
        const qint64 count = recordCount();
        if (entry.size() == 16 + m_recordSize && entry.startsWith(QByteArray(JournalMagic, sizeof JournalMagic))
            && n >= 1 && n <= count) {
            if (writeAll((n - 1) * m_recordSize, entry.mid(16)))
                FileOps::unlink(journalPath());
        } else {
            FileOps::unlink(journalPath());
        }
    }
    unlock();
}

bool ArchiveFile::writeRecord(qint64 n, const QByteArray &buffer)
{
    if (buffer.size() != m_recordSize)
        return fail("wrong record size", EINVAL);
    if (m_fd < 0)
        return fail("not open", EBADF);
    if (!lock())
        return false;
    const qint64 count = recordCount();
    bool ok = count >= 0;
    if (ok && (n < 1 || n > count))
        ok = fail("record out of range", ERANGE);
    QByteArray previous;
    if (ok)
        ok = readAll(n, previous) && replaceAll(n, buffer, previous);
    unlock();
    return ok;
}

ArchiveFile::Overwrite ArchiveFile::overwriteIfUnchanged(qint64 n, const QByteArray &buffer,
                                                     const QByteArray &expected, QByteArray &found)
{
    if (buffer.size() != m_recordSize) {
        fail("wrong record size", EINVAL);
        return Overwrite::Failed;
    }
    if (m_fd < 0) {
        fail("not open", EBADF);
        return Overwrite::Failed;
    }
    if (!lock())
        return Overwrite::Failed;
    // Another computer's Save holds the same lock between its comparison and its write, so
    // the record cannot change between ours.
    Overwrite outcome = Overwrite::Failed;
    const qint64 count = recordCount();
    if (count >= 0 && (n < 1 || n > count))
        fail("record out of range", ERANGE);
    else if (count >= 0 && readAll(n, found)) {
        if (found != expected)
            outcome = Overwrite::Changed;
        else if (replaceAll(n, buffer, found))
            outcome = Overwrite::Written;
    }
    unlock();
    return outcome;
}

qint64 ArchiveFile::appendRecord(const QByteArray &buffer)
{
    if (buffer.size() != m_recordSize) {
        fail("wrong record size", EINVAL);
        return 0;
    }
    if (m_fd < 0) {
        fail("not open", EBADF);
        return 0;
    }
    if (!lock())
        return 0;
    struct stat st;
    qint64 position = 0;
    if (::fstat(m_fd, &st) != 0) {
        fail("stat");
    } else {
        const qint64 count = qint64(st.st_size) / m_recordSize;
        if (writeAll(count * m_recordSize, buffer)) {
            position = count + 1;
        } else {
            // Leave the file as it was (a full disk may have taken part of the record).
            const int e = errno;
            if (FileOps::ftruncate(m_fd, st.st_size) == 0)
                FileOps::fsync(m_fd);
            errno = e;
        }
    }
    unlock();
    return position;
}

bool ArchiveFile::close()
{
    if (m_fd < 0)
        return true;
    const int r = FileOps::close(m_fd);
    m_fd = -1;
    return r == 0 || fail("close");
}
