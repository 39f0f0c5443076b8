#include "framework/FileOps.h"

#include <QFile>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileOps {

namespace {

std::atomic<int> callCount{0};
std::atomic<int> armedCall{0};
std::atomic<int> armedError{0};

// True when this call is the one a test asked to fail; errno is then set.
bool injected()
{
    const int n = callCount.fetch_add(1, std::memory_order_relaxed) + 1;
    if (n != armedCall.load(std::memory_order_relaxed))
        return false;
    errno = armedError.load(std::memory_order_relaxed);
    return true;
}

QByteArray name(const QString &path)
{
    return QFile::encodeName(path);
}

template <class F>
auto retried(F &&f)
{
    decltype(f()) r;
    do {
        r = f();
    } while (r < 0 && errno == EINTR);
    return r;
}

}

int open(const QString &path, int flags, mode_t mode)
{
    if (injected())
        return -1;
    const QByteArray n = name(path);
    return retried([&] { return ::open(n.constData(), flags | O_CLOEXEC, mode); });
}

// Writes size bytes in as many calls as the system needs (step(done) writes the rest from
// done on); a write that takes nothing is a full disk.
template <class Step>
ssize_t whole(size_t size, Step &&step)
{
    size_t done = 0;
    while (done < size) {
        const ssize_t w = step(done);
        if (w < 0 && errno == EINTR)
            continue;
        if (w < 0)
            return -1;
        if (w == 0) {
            errno = ENOSPC;
            return -1;
        }
        done += size_t(w);
    }
    return ssize_t(done);
}

ssize_t write(int fd, const void *data, size_t size)
{
    if (injected())
        return -1;
    const char *bytes = static_cast<const char *>(data);
    return whole(size, [&](size_t done) { return ::write(fd, bytes + done, size - done); });
}

ssize_t pwrite(int fd, const void *data, size_t size, off_t offset)
{
    if (injected())
        return -1;
    const char *bytes = static_cast<const char *>(data);
    return whole(size, [&](size_t done) { return ::pwrite(fd, bytes + done, size - done, offset + off_t(done)); });
}

int fsync(int fd)
{
    if (injected())
        return -1;
    return retried([&] { return ::fsync(fd); });
}

int close(int fd)
{
    // The descriptor is gone even when the call is made to fail, as after a real EIO.
    if (injected()) {
        const int e = errno;
        ::close(fd);
        errno = e;
        return -1;
    }
    return ::close(fd);
}

int ftruncate(int fd, off_t size)
{
    if (injected())
        return -1;
    return retried([&] { return ::ftruncate(fd, size); });
}

int fchmod(int fd, mode_t mode)
{
    if (injected())
        return -1;
    return ::fchmod(fd, mode);
}

int futimens(int fd, const struct timespec times[2])
{
    if (injected())
        return -1;
    return ::futimens(fd, times);
}

int setLock(int fd, int command, struct flock *lock)
{
    if (injected())
        return -1;
    return retried([&] { return ::fcntl(fd, command, lock); });
}

int rename(const QString &from, const QString &to)
{
    if (injected())
        return -1;
    return ::rename(name(from).constData(), name(to).constData());
}

int renameNoReplace(const QString &from, const QString &to)
{
    if (injected())
        return -1;
    const QByteArray f = name(from), t = name(to);
    if (::renameat2(AT_FDCWD, f.constData(), AT_FDCWD, t.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return -1;
    // A file system without the flag: a hard link fails on an existing name just the same.
    // Folders cannot be linked; there a plain rename fails on a folder that is not empty.
    struct stat st;
    if (::stat(f.constData(), &st) == 0 && S_ISDIR(st.st_mode))
        return ::rename(f.constData(), t.constData());
    if (::link(f.constData(), t.constData()) != 0)
        return -1;
    ::unlink(f.constData());
    return 0;
}

int link(const QString &from, const QString &to)
{
    if (injected())
        return -1;
    return ::link(name(from).constData(), name(to).constData());
}

ssize_t copyRange(int in, off_t *inOffset, int out, off_t *outOffset, size_t size)
{
    if (injected())
        return -1;
    return retried([&] { return ::copy_file_range(in, inOffset, out, outOffset, size, 0); });
}

int mkdir(const QString &path, mode_t mode)
{
    if (injected())
        return -1;
    return ::mkdir(name(path).constData(), mode);
}

int unlink(const QString &path)
{
    return ::unlink(name(path).constData());
}

void syncFolder(const QString &path)
{
    const int fd = ::open(name(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

QString errorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

namespace Test {

void reset()
{
    armedCall = 0;
    callCount = 0;
}

void failCall(int k, int error)
{
    armedError = error;
    armedCall = k;
}

void disarm()
{
    armedCall = 0;
}

int calls()
{
    return callCount;
}

}

}
