#pragma once
#include "archive/ArchiveFile.h"
#include "archive/ArchiveMapping.h"

#include <QString>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <type_traits>
#include <vector>

// Whole-archive reading on every core.
//
// The records 1..count of an archive are split into contiguous ranges that begin and end on
// record boundaries, one per thread (threads()). Each range is read in large chunks and its
// records handed, in file order, to read(part, n, record) on a thread of its own, with a Part
// of its own; then done(part) runs on the same thread (to sort what the range listed, say).
// The parts come back in file order, so a caller that merges them in that order (lines
// appended or merged, sums added range after range, counts added) gets exactly what one
// thread reading from the first record to the last gives. A small file, or a one-core
// machine, is one range, read on the calling thread without starting any thread; when no
// thread can be started (a process limit), the ranges are read in turn on the calling thread.
//
// As with ArchiveFile::scan, a missing archive is created empty, the count is taken once at
// the start, and no lock is taken: writers append or overwrite whole records under their own
// lock and never block readers.
//
//   struct Part {
//       ListOrder::Lines lines;
//       int skipped = 0;
//   };
//   auto result = ArchiveScan::parts<Part>(path, recordSize,
//       [&](Part &p, qint64 n, const char *record) { ...; return true; },   // false: stop here
//       [](Part &p) { p.lines.sort(); });
//   for (Part &p : result.parts) ...   // file order; on a failure, up to the range that failed
//   if (!result.ok) ... result.error
//
// A Part that declares `using WholeRecords = std::true_type;` says that read() looks at
// every field of a record (a search in every field, an export): where the file is mapped, the
// next record is then asked of memory while this one is read, as a copy out of the file would
// have brought it; readers that look at a few fields touch only those.
//
// read and done run on several threads at once: they may change their own Part and nothing
// else that is shared. A Part is made on its range's thread, from the Range when it has a
// constructor taking one (to reserve room for what the range may list), else by default.
class ArchiveScan
{
public:
    // Records first .. first + count - 1 (1-based).
    struct Range {
        qint64 first = 1;
        qint64 count = 0;
    };

    // How many threads whole-archive work uses: VELTARO_THREADS when set to a number from 1 up
    // (tests force 1, 2 or 8 this way), else QThread::idealThreadCount(). Read at every scan.
    static int threads();
    // Whether VELTARO_THREADS forces the count: work that would stay on one thread for a
    // small file then splits it all the same, so tests reach every path.
    static bool threadsForced();
    // The ranges of an archive of `records` records for threads() threads.
    static std::vector<Range> split(qint64 records, int recordSize);
    // The ranges of an archive of `records` records. Left to itself, a range holds at least
    // SmallestRange bytes, so a small file is read on one thread; a forced thread count splits
    // down to one record a range.
    static std::vector<Range> split(qint64 records, int recordSize, int threads, bool forced);
    static constexpr qint64 SmallestRange = 2 << 20;
    // The ranges of stream(): about rangeBytes each; a forced thread count makes at least as
    // many ranges as threads, down to one record a range.
    static std::vector<Range> streamRanges(qint64 records, int recordSize, qint64 rangeBytes);

    template <class Part>
    struct Result {
        bool ok = true;     // false: the archive could not be opened or read to its end
        QString error;      // the archive's error text when not ok
        // In file order. When a range failed or read() stopped it, the parts end with that
        // range, holding what was read before; the ranges after it are dropped.
        std::vector<Part> parts;
    };

    template <class Part, class Read, class Done>
    static Result<Part> parts(const QString &path, int recordSize, Read &&read, Done &&done);
    template <class Part, class Read>
    static Result<Part> parts(const QString &path, int recordSize, Read &&read)
    {
        return parts<Part>(path, recordSize, std::forward<Read>(read), [](Part &) {});
    }

    // For work whose output must not all sit in memory (the export): ranges of about
    // rangeBytes, read by threads() threads at most `ahead` ranges past the one the caller took
    // last; take(part) runs on the calling thread for each range in file order as soon as it
    // is read, and may return false to stop. The parts are made once and used over again:
    // take() leaves its part ready for another range (emptied, room kept).
    struct Outcome {
        bool ok = true;        // false: the archive could not be opened or read to its end
        bool taken = true;     // false: take() stopped
        QString error;
    };
    template <class Part, class Read, class Take>
    static Outcome stream(const QString &path, int recordSize, qint64 rangeBytes, Read &&read, Take &&take);

    // job(0) .. job(n - 1), each on a thread of its own but job(0), which runs on the calling
    // thread; returns when all are done. For the work that follows a scan on as many threads
    // (merging the ranges' lists, say).
    static void onThreads(int n, const std::function<void(int)> &job);

private:
    static int forcedThreads();   // 0 when not forced
    // records split into `parts` ranges (at least one, at most one a record), the first ones
    // a record longer when they do not divide evenly.
    static std::vector<Range> evenly(qint64 records, qint64 parts);
    // Reads records [from, from + count) into into; 0 or an errno value.
    static int readRecords(int fd, int recordSize, qint64 from, qint64 count, char *into);
    static qint64 chunkRecords(int recordSize);
    static constexpr qint64 LetGoBytes = 4 << 20;

    enum class End { Whole, Stopped, Failed, Dropped };
    struct RangeEnd {
        End end = End::Whole;
        int error = 0;
    };

    // Reads one range, calling each(n, record) until it returns false; gives up between
    // chunks once drop() is true.
    template <class Part>
    static constexpr bool readsWholeRecords()
    {
        if constexpr (requires { typename Part::WholeRecords; })
            return Part::WholeRecords::value;
        else
            return false;
    }

    template <bool WholeRecords, class Each, class Drop>
    static RangeEnd readRange(int fd, const ArchiveMapping &map, int recordSize, const Range &range,
                              std::vector<char> &chunk, Each &&each, Drop &&drop);

    template <class Part>
    static Part makePart(const Range &range)
    {
        if constexpr (std::is_constructible_v<Part, const Range &>)
            return Part(range);
        else
            return Part();
    }
};

template <bool WholeRecords, class Each, class Drop>
ArchiveScan::RangeEnd ArchiveScan::readRange(int fd, const ArchiveMapping &map, int recordSize, const Range &range,
                                             std::vector<char> &chunk, Each &&each, Drop &&drop)
{
    const qint64 perChunk = std::max<qint64>(1, std::min(chunkRecords(recordSize), range.count));
    if (!map.data())
        chunk.resize(size_t(perChunk * recordSize));
    const qint64 end = range.first + range.count;
    qint64 heldFrom = (range.first - 1) * recordSize;   // the first byte read and not let go
    for (qint64 n = range.first; n < end;) {
        if (drop())
            return {End::Dropped, 0};
        const qint64 records = std::min(perChunk, end - n);
        const char *at = chunk.data();
        if (map.data()) {
            at = map.data() + (n - 1) * recordSize;
            if (!map.bringIn((n - 1) * recordSize, records * recordSize))
                return {End::Failed, EIO};
        } else if (const int e = readRecords(fd, recordSize, n, records, chunk.data())) {
            return {End::Failed, e};
        }
        for (qint64 i = 0; i < records; ++i, ++n) {
            // A mapped page that vanished (the file was cut short under us) ends the range
            // before the first record that reaches it, as a short read would.
            if (n * recordSize > map.lostFrom())
                return {End::Failed, EIO};
            if constexpr (WholeRecords) {
                if (map.data() && i + 1 < records)
                    for (int b = 0; b < recordSize; b += 64)
                        __builtin_prefetch(at + (i + 1) * recordSize + b);
            }
            if (!each(n, at + i * recordSize))
                return {End::Stopped, 0};
        }
        // Let go in steps of a few MB: each step costs every processor running this program
        // a flush of its address cache.
        if (const qint64 read = (n - 1) * recordSize; read - heldFrom >= LetGoBytes) {
            map.letGo(heldFrom, read - heldFrom);
            heldFrom = read;
        }
    }
    if ((end - 1) * recordSize > map.lostFrom() || !map.holds((end - 1) * recordSize))
        return {End::Failed, EIO};
    return {};
}

template <class Part, class Read, class Done>
ArchiveScan::Result<Part> ArchiveScan::parts(const QString &path, int recordSize, Read &&read, Done &&done)
{
    Result<Part> out;
    ArchiveFile archive(path, recordSize);
    const qint64 count = archive.openForReading() ? archive.recordCount() : -1;
    if (count < 0) {
        out.ok = false;
        out.error = archive.errorText();
        return out;
    }
    const std::vector<Range> ranges = split(count, recordSize);
    std::vector<std::optional<Part>> made(ranges.size());
    std::vector<RangeEnd> ends(ranges.size());
    // The first range that failed or was stopped: the ones after it are not wanted.
    std::atomic<size_t> last{ranges.size()};
    const auto endAt = [&](size_t i) {
        size_t seen = last.load();
        while (i < seen && !last.compare_exchange_weak(seen, i)) {
        }
    };
    const int fd = archive.m_fd;
    const ArchiveMapping map(fd, count * recordSize);
    onThreads(int(ranges.size()), [&](int index) {
        const size_t i = size_t(index);
        std::vector<char> chunk;
        Part &part = made[i].emplace(makePart<Part>(ranges[i]));
        ends[i] = readRange<readsWholeRecords<Part>()>(
            fd, map, recordSize, ranges[i], chunk, [&](qint64 n, const char *record) { return read(part, n, record); },
            [&] { return last.load(std::memory_order_relaxed) < i; });
        if (ends[i].end == End::Stopped || ends[i].end == End::Failed)
            endAt(i);
        if (ends[i].end != End::Dropped)
            done(part);
    });
    for (size_t i = 0; i < ranges.size(); ++i) {
        out.parts.push_back(std::move(*made[i]));
        if (ends[i].end == End::Failed) {
            out.ok = false;
            archive.fail("read", ends[i].error);
            out.error = archive.errorText();
        }
        if (ends[i].end != End::Whole)
            break;
    }
    if (!archive.close() && out.ok) {
        out.ok = false;
        out.error = archive.errorText();
    }
    return out;
}

template <class Part, class Read, class Take>
ArchiveScan::Outcome ArchiveScan::stream(const QString &path, int recordSize, qint64 rangeBytes, Read &&read,
                                         Take &&take)
{
    Outcome out;
    ArchiveFile archive(path, recordSize);
    const qint64 count = archive.openForReading() ? archive.recordCount() : -1;
    if (count < 0) {
        out.ok = false;
        out.error = archive.errorText();
        return out;
    }
    const int fd = archive.m_fd;
    const ArchiveMapping map(fd, count * recordSize);
    const std::vector<Range> ranges = streamRanges(count, recordSize, rangeBytes);
    const qint64 perRange = ranges.front().count;
    const int workers = int(std::min<size_t>(size_t(threads()), ranges.size()));
    const auto failed = [&](int error) {
        out.ok = false;
        archive.fail("read", error);
        out.error = archive.errorText();
    };

    // One core, or no thread to be had: read and take in turn on this thread.
    const auto inTurn = [&] {
        Part part = makePart<Part>(Range{1, perRange});
        std::vector<char> chunk;
        for (const Range &range : ranges) {
            const RangeEnd end = readRange<readsWholeRecords<Part>()>(
                fd, map, recordSize, range, chunk, [&](qint64 n, const char *record) { return read(part, n, record); },
                [] { return false; });
            if (end.end == End::Failed) {
                failed(end.error);
                break;
            }
            if (!take(part)) {
                out.taken = false;
                break;
            }
            if (end.end == End::Stopped)
                break;
        }
    };

    if (workers <= 1) {
        inTurn();
    } else {
        // A ring of parts: range i is read into slot i % ahead once range i - ahead is taken.
        const size_t ahead = size_t(2 * workers);
        std::vector<std::optional<Part>> ring(ahead);
        std::vector<std::optional<RangeEnd>> ready(ahead);
        std::mutex mutex;
        std::condition_variable changed;
        size_t next = 0, taken = 0;
        bool quit = false;
        std::vector<std::thread> pool;
        const auto work = [&] {
            std::vector<char> chunk;
            std::unique_lock lock(mutex);
            while (true) {
                changed.wait(lock, [&] { return quit || next >= ranges.size() || next < taken + ahead; });
                if (quit || next >= ranges.size())
                    return;
                const size_t i = next++;
                lock.unlock();
                std::optional<Part> &slot = ring[i % ahead];
                if (!slot)
                    slot.emplace(makePart<Part>(ranges[i]));
                const RangeEnd end = readRange<readsWholeRecords<Part>()>(
                    fd, map, recordSize, ranges[i], chunk,
                    [&](qint64 n, const char *record) { return read(*slot, n, record); },
                    [&] { return false; });
                lock.lock();
                ready[i % ahead] = end;
                changed.notify_all();
            }
        };
        for (int w = 0; w < workers; ++w) {
            try {
                pool.emplace_back(work);
            } catch (const std::system_error &) {
                break;   // no more threads to be had (a process limit)
            }
        }
        if (pool.empty())
            inTurn();
        for (size_t i = 0; i < ranges.size() && !pool.empty(); ++i) {
            std::unique_lock lock(mutex);
            changed.wait(lock, [&] { return ready[i % ahead].has_value(); });
            const RangeEnd end = *ready[i % ahead];
            lock.unlock();
            bool more = true;
            if (end.end == End::Failed) {
                failed(end.error);
                more = false;
            } else if (!take(*ring[i % ahead])) {
                out.taken = false;
                more = false;
            } else if (end.end == End::Stopped) {
                more = false;
            }
            lock.lock();
            ready[i % ahead].reset();
            taken = i + 1;
            quit = !more;
            changed.notify_all();
            if (!more)
                break;
        }
        {
            const std::lock_guard lock(mutex);
            quit = true;
        }
        changed.notify_all();
        for (std::thread &t : pool)
            t.join();
    }
    if (!archive.close() && out.ok) {
        out.ok = false;
        out.error = archive.errorText();
    }
    return out;
}
