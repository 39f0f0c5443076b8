#pragma once
#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cerrno>
#include <unistd.h>
#include <vector>

// A file of fixed-size records: record n (1-based) at byte (n - 1) * recordSize, no header.
// A trailing partial record is not counted and is overwritten by the next append.
//
// Every failure returns false (or 0 / -1) and leaves errorText() set; callers show the
// archive-access message. Appends and in-place writes take an exclusive lock on a byte far
// past any data, so several computers sharing the folder never write over each other,
// while readers are never blocked. Data reach the disk before success is reported. A card
// rewritten in place goes first to a journal beside the archive; a rewrite cut short is
// finished by the next opening for writing.
class ArchiveFile
{
public:
    ArchiveFile(QString path, int recordSize);
    ~ArchiveFile();
    ArchiveFile(const ArchiveFile &) = delete;
    ArchiveFile &operator=(const ArchiveFile &) = delete;

    // Opens for reading and writing; creates the file, empty, if it does not exist.
    // An existing file is never truncated or replaced.
    bool openOrCreate();
    // Opens for reading only; creates the file, empty, if it does not exist.
    bool openForReading();
    qint64 recordCount();                                // -1 on failure
    bool readRecord(qint64 n, QByteArray &buffer);
    bool writeRecord(qint64 n, const QByteArray &buffer);
    // writeRecord for a card loaded earlier: under the write lock, record n is first compared
    // with `expected`, the bytes the card was loaded from. When someone else has written it
    // since, nothing is written, `found` gets what the file holds now and Changed is returned.
    enum class Overwrite { Written, Changed, Failed };
    Overwrite overwriteIfUnchanged(qint64 n, const QByteArray &buffer, const QByteArray &expected,
                                   QByteArray &found);
    qint64 appendRecord(const QByteArray &buffer);       // new position, 0 on failure
    bool close();

    const QString &path() const { return m_path; }
    int recordSize() const { return m_recordSize; }
    const QString &errorText() const { return m_error; }

    // Reads records 1..count in large chunks and calls f(n, const char *record) for each;
    // f may return false to stop early. Opens and closes the file itself.
    template <class F>
    bool scan(F &&f);

private:
    friend class ArchiveScan;   // reads the open file on several threads

    bool open(bool writable);
    bool fail(const char *what, int error = errno);
    bool lock();
    void unlock();
    bool writeAll(qint64 offset, const QByteArray &buffer);
    bool replaceAll(qint64 n, const QByteArray &buffer, const QByteArray &previous);
    QString journalPath() const;
    void finishInterruptedWrite();
    bool readAll(qint64 n, QByteArray &buffer);

    static constexpr qint64 ChunkBytes = 256 << 10;

    QString m_path;
    int m_recordSize;
    int m_fd = -1;
    QString m_error;
};

template <class F>
bool ArchiveFile::scan(F &&f)
{
    if (!openForReading())
        return false;
    const qint64 count = recordCount();
    if (count < 0) {
        close();
        return false;
    }
    // Chunks small enough to stay in the processor cache while f reads their records.
    const qint64 perChunk = std::max<qint64>(1, std::min<qint64>(ChunkBytes / m_recordSize, count));
    std::vector<char> chunk(size_t(perChunk * m_recordSize));
    qint64 n = 0;
    while (n < count) {
        const qint64 want = qMin(perChunk, count - n) * m_recordSize;
        qint64 got = 0;
        while (got < want) {
            const ssize_t r = ::pread(m_fd, chunk.data() + got, size_t(want - got),
                                      off_t(n * m_recordSize + got));
            if (r < 0 && errno == EINTR)
                continue;
            if (r <= 0) {
                fail("read", r < 0 ? errno : EIO);
                close();
                return false;
            }
            got += r;
        }
        for (qint64 i = 0; i < want / m_recordSize; ++i) {
            ++n;
            if (!f(n, chunk.data() + i * m_recordSize)) {
                close();
                return true;
            }
        }
    }
    return close();
}
