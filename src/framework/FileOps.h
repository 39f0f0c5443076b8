#pragma once
#include <QByteArray>
#include <QString>

#include <sys/types.h>

struct flock;
struct timespec;

// Every file operation of a writer goes through here, so that a test can make any one of
// them fail with a real error code and see that nothing the user had is lost. Each function
// behaves as its system call (retrying EINTR): -1 with errno set on failure.
namespace FileOps {

int open(const QString &path, int flags, mode_t mode = 0666);   // O_CLOEXEC added
// Writes all of size bytes (short writes continued); -1 on failure.
ssize_t write(int fd, const void *data, size_t size);
ssize_t pwrite(int fd, const void *data, size_t size, off_t offset);
int fsync(int fd);
int close(int fd);
int ftruncate(int fd, off_t size);
int fchmod(int fd, mode_t mode);
int futimens(int fd, const struct timespec times[2]);
int setLock(int fd, int command, struct flock *lock);           // fcntl F_OFD_SETLK(W)
int rename(const QString &from, const QString &to);
// Gives `from` the name `to` only if nothing bears it yet (EEXIST otherwise).
int renameNoReplace(const QString &from, const QString &to);
int link(const QString &from, const QString &to);
// The kernel's own copy (copy_file_range) of up to size bytes, at and advancing both offsets;
// the blocks are shared where the file system can. The bytes copied, 0 at the end of `in`.
ssize_t copyRange(int in, off_t *inOffset, int out, off_t *outOffset, size_t size);
int mkdir(const QString &path, mode_t mode = 0777);

// Cleanup after a failure and the folder sync after a rename cannot undo what is done;
// they pass by the seam's count and never fail on purpose.
int unlink(const QString &path);
void syncFolder(const QString &path);

QString errorText(int error);         // strerror in the locale's words

// For tests: the armed call (counted from 1 since the last reset) fails with `error`.
namespace Test {
void reset();                 // counts from zero, disarmed
void failCall(int k, int error);
void disarm();
int calls();                  // calls made since the last reset
}

}
