#pragma once
#include <QtGlobal>

// The records of an open archive as one read-only view of the file, for the whole-archive
// readers: on a local disk, mapping the file's cached pages costs about two thirds of what
// copying them out with read() does, and a reader then touches only the fields it looks at.
//
// Only a file on a local file system is mapped (ext4, xfs, btrfs, f2fs, tmpfs, overlayfs):
// on a network share or a removable stick a page may become unreadable at any moment, so
// those are read with read() as before, as is any file when VELTARO_MAP=0 (for comparisons).
// A page that vanishes under a mapping (another program cut the file short, a disk error)
// does not end the process: it reads as zeros from then on and lostFrom() tells where, so the
// reader can stop before it and report the archive as unreadable, as a short read() would.
class ArchiveMapping
{
public:
    // Maps bytes 0 .. bytes - 1 of fd when that is safe; data() is null otherwise.
    ArchiveMapping(int fd, qint64 bytes);
    ~ArchiveMapping();
    ArchiveMapping(const ArchiveMapping &) = delete;
    ArchiveMapping &operator=(const ArchiveMapping &) = delete;

    const char *data() const { return m_data; }
    // Has the pages of bytes [offset, offset + length) mapped now, in one call instead of a
    // fault every few pages; false when some of them are no longer in the file (or cannot be
    // read), which is the reader's cue to stop there.
    bool bringIn(qint64 offset, qint64 length) const;
    // Lets go of the pages of [offset, offset + length) once they have been read, but the
    // last one, which the bytes after them share: the pages stay in the system's file cache,
    // but no longer count as this process's memory, which would otherwise grow to the size of
    // the archive. A page let go that is read again is simply mapped again.
    void letGo(qint64 offset, qint64 length) const;
    // The offset of the first page that vanished while it was read; the largest qint64 while
    // none has.
    qint64 lostFrom() const;
    // Whether the file still holds its first `bytes` bytes. A file cut short inside a page
    // reads zeros there without any fault, so a reader asks this once it is done.
    bool holds(qint64 bytes) const;

private:
    int m_fd = -1;
    char *m_data = nullptr;
    qint64 m_bytes = 0;
    int m_slot = -1;
};
