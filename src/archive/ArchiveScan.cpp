#include "archive/ArchiveScan.h"

#include <QThread>

#include <cerrno>
#include <system_error>
#include <unistd.h>

int ArchiveScan::forcedThreads()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("VELTARO_THREADS", &ok);
    return ok && n >= 1 ? std::min(n, 256) : 0;
}

bool ArchiveScan::threadsForced()
{
    return forcedThreads() != 0;
}

int ArchiveScan::threads()
{
    const int forced = forcedThreads();
    return forced ? forced : std::max(1, QThread::idealThreadCount());
}

std::vector<ArchiveScan::Range> ArchiveScan::split(qint64 records, int recordSize)
{
    const int forced = forcedThreads();
    return split(records, recordSize, forced ? forced : threads(), forced != 0);
}

std::vector<ArchiveScan::Range> ArchiveScan::split(qint64 records, int recordSize, int threads, bool forced)
{
    qint64 parts = std::max(1, threads);
    if (!forced)
        parts = std::min(parts, std::max<qint64>(1, records * recordSize / SmallestRange));
    return evenly(records, parts);
}

std::vector<ArchiveScan::Range> ArchiveScan::streamRanges(qint64 records, int recordSize, qint64 rangeBytes)
{
    const qint64 perRange = std::max<qint64>(1, rangeBytes / recordSize);
    return evenly(records, std::max<qint64>((records + perRange - 1) / perRange, forcedThreads()));
}

std::vector<ArchiveScan::Range> ArchiveScan::evenly(qint64 records, qint64 parts)
{
    parts = std::max<qint64>(1, std::min(parts, records));
    std::vector<Range> ranges;
    const qint64 each = records / parts, longer = records % parts;
    qint64 first = 1;
    for (qint64 i = 0; i < parts; ++i) {
        const qint64 count = each + (i < longer ? 1 : 0);
        ranges.push_back({first, count});
        first += count;
    }
    return ranges;
}

void ArchiveScan::onThreads(int n, const std::function<void(int)> &job)
{
    std::vector<std::thread> others;
    others.reserve(size_t(std::max(0, n - 1)));
    int started = 1;
    for (; started < n; ++started) {
        try {
            others.emplace_back(job, started);
        } catch (const std::system_error &) {
            break;   // no thread to be had (a process limit): the rest run here, in turn
        }
    }
    if (n > 0)
        job(0);
    for (int i = started; i < n; ++i)
        job(i);
    for (std::thread &t : others)
        t.join();
}

qint64 ArchiveScan::chunkRecords(int recordSize)
{
    // Chunks small enough to stay in the processor cache while the records are looked at.
    constexpr qint64 ChunkBytes = 256 << 10;
    return std::max<qint64>(1, ChunkBytes / recordSize);
}

int ArchiveScan::readRecords(int fd, int recordSize, qint64 from, qint64 count, char *into)
{
    const qint64 want = count * recordSize;
    const qint64 offset = (from - 1) * recordSize;
    qint64 got = 0;
    while (got < want) {
        const ssize_t r = ::pread(fd, into + got, size_t(want - got), off_t(offset + got));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return r < 0 ? errno : EIO;
        got += r;
    }
    return 0;
}
