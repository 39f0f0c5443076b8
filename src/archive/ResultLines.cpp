#include "archive/ResultLines.h"

#include "archive/ArchiveScan.h"
#include "archive/TextCodec.h"

#include <QtAlgorithms>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include <sys/mman.h>

namespace ListOrder {

namespace {

struct Tables {
    std::array<char16_t, 256> text;   // what each byte decodes to
    std::array<unsigned char, 256> rank;
    // The same as UTF-8: up to three bytes, then how many of them count.
    std::array<std::array<char, 4>, 256> utf8;
};

// Lines compare by their Windows-1252 codes with a-z taken as A-Z, as every result list does.
Tables makeTables()
{
    Tables t{};
    for (int b = 0; b < 256; ++b) {
        t.text[b] = Cp1252::toUnicode(static_cast<unsigned char>(b));
        t.rank[b] = static_cast<unsigned char>(b >= 'a' && b <= 'z' ? b - 32 : b);
        const QByteArray u = QString(QChar(t.text[b])).toUtf8();
        Q_ASSERT(u.size() >= 1 && u.size() <= 3);
        std::memcpy(t.utf8[b].data(), u.constData(), size_t(u.size()));
        t.utf8[b][3] = char(u.size());
    }
    return t;
}

const Tables &tables()
{
    static const Tables t = makeTables();
    return t;
}

struct Item {
    quint64 word;
    qsizetype at;
    qint32 size;
    qint32 added;     // the order of adding, which settles ties
};

// Eight rank bytes from `offset`, first byte most significant; past the end of a line the
// bytes count as 0, the lowest rank, and length settles what is left. The ranks of eight
// bytes are taken at once: a-z lose their case bit, every other byte is its own rank.
quint64 wordAt(const char *text, const Item &item, qsizetype offset)
{
    constexpr quint64 ones = 0x0101010101010101ULL;
    const qsizetype left = item.size - offset;
    quint64 x = 0;
    if (left >= 8)
        std::memcpy(&x, text + item.at + offset, 8);
    else if (left > 0)
        std::memcpy(&x, text + item.at + offset, size_t(left));
    const quint64 low7 = x & (0x7f * ones);
    const quint64 fromA = low7 + (0x80 - 'a') * ones;        // top bit: byte >= 'a'
    const quint64 pastZ = low7 + (0x80 - 'z' - 1) * ones;    // top bit: byte > 'z'
    const quint64 small = fromA & ~pastZ & ~x & (0x80 * ones);
    return qFromBigEndian(x ^ (small >> 2));
}

constexpr int Ahead = 16;

inline void prefetch(const char *p)
{
#if defined(__GNUC__)
    __builtin_prefetch(p);
#else
    Q_UNUSED(p);
#endif
}

// How many bytes from `offset` two lines hold alike (bytes, not ranks: "A" and "a" differ
// here, which only makes the answer shorter, never wrong).
qsizetype alike(const char *text, const Item &a, const Item &b, qsizetype offset)
{
    const qsizetype n = qMin<qsizetype>(a.size, b.size);
    if (n <= offset)
        return 0;
    const char *p = text + a.at, *q = text + b.at;
    qsizetype i = offset;
    for (; i + 8 <= n; i += 8) {
        quint64 x, y;
        std::memcpy(&x, p + i, 8);
        std::memcpy(&y, q + i, 8);
        if (x != y)
            return i - offset + qCountTrailingZeroBits(qFromLittleEndian(x ^ y)) / 8;
    }
    while (i < n && p[i] == q[i])
        ++i;
    return i - offset;
}

// Stable, so items that share a word stay in the order they were added. Only the bytes
// set in `varying` (the bytes in which some word differs from another) take a pass.
void radixByWord(Item *begin, Item *end, Item *scratch, quint64 varying)
{
    const qsizetype n = end - begin;
    Item *from = begin, *to = scratch;
    for (int shift = 0; shift < 64; shift += 8) {
        if (((varying >> shift) & 0xFF) == 0)
            continue;
        qsizetype place[256] = {};
        for (const Item *i = from; i != from + n; ++i)
            ++place[(i->word >> shift) & 0xFF];
        qsizetype at = 0;
        for (qsizetype &p : place) {
            const qsizetype c = p;
            p = at;
            at += c;
        }
        for (const Item *i = from; i != from + n; ++i)
            to[place[(i->word >> shift) & 0xFF]++] = *i;
        std::swap(from, to);
    }
    if (from != begin)
        std::copy(from, from + n, begin);
}

// Stable grouping by word when few words differ (one activity text on thousands of lines):
// the distinct words are sorted and the items placed by the rank of theirs in two passes,
// where radix passes would take one a varying byte. Returns false, leaving the items as
// they were, when the words are too many.
bool groupByWord(Item *begin, Item *end, Item *scratch)
{
    constexpr size_t Most = 2048, Slots = 2 * Most;
    struct Slot {
        quint64 word;
        quint32 count;   // 0: empty
        quint32 rank;
    };
    std::array<Slot, Slots> table{};
    std::array<quint64, Most> words;
    size_t distinct = 0;
    const auto slotOf = [&](quint64 word) -> Slot & {
        size_t h = size_t((word * 0x9E3779B97F4A7C15ULL) >> 52) & (Slots - 1);
        while (table[h].count != 0 && table[h].word != word)
            h = (h + 1) & (Slots - 1);
        return table[h];
    };
    for (const Item *i = begin; i != end; ++i) {
        Slot &slot = slotOf(i->word);
        if (slot.count == 0) {
            if (distinct == Most)
                return false;
            slot.word = i->word;
            words[distinct++] = i->word;
        }
        ++slot.count;
    }
    std::sort(words.begin(), words.begin() + qsizetype(distinct));
    quint32 at = 0;
    for (size_t w = 0; w < distinct; ++w) {
        Slot &slot = slotOf(words[w]);
        slot.rank = at;
        at += slot.count;
    }
    for (const Item *i = begin; i != end; ++i)
        scratch[slotOf(i->word).rank++] = *i;
    std::copy(scratch, scratch + (end - begin), begin);
    return true;
}

// Most-significant-word-first sort: each level orders by one 8-byte word and only the runs
// still equal go on to the next word. Result lines share long prefixes (one activity text on
// many lines), which would make a whole-line comparison sort read each line many times.
void sortFrom(const char *text, Item *begin, Item *end, Item *scratch, qsizetype offset)
{
    // The lines of a run often share far more than the word that put them together (one
    // activity on a thousand lines): skip, in whole words, what they all hold alike.
    qsizetype common = qMax<qsizetype>(0, qsizetype(begin->size) - offset);
    for (Item *i = begin + 1; i != end && common >= 8; ++i) {
        // The lines lie scattered in the buffer: ask for the ones a little ahead, two cache
        // lines, as what they share runs on past the first.
        if (end - i > Ahead) {
            prefetch(text + i[Ahead].at + offset);
            prefetch(text + i[Ahead].at + offset + 64);
        }
        common = qMin(common, alike(text, *begin, *i, offset));
    }
    offset += common / 8 * 8;

    // On entry the items are in the order they were added; a word that every item shares
    // needs no sorting, only the next word.
    quint64 varying = 0;
    for (;; offset += 8) {
        bool longer = false;
        for (Item *i = begin; i != end; ++i) {
            if (end - i > Ahead)
                prefetch(text + i[Ahead].at + offset);
            i->word = wordAt(text, *i, offset);
            varying |= i->word ^ begin->word;
            longer = longer || i->size > offset + 8;
        }
        if (varying != 0)
            break;
        if (!longer) {
            std::sort(begin, end, [](const Item &a, const Item &b) {
                return a.size != b.size ? a.size < b.size : a.added < b.added;
            });
            return;
        }
    }
    if (end - begin > 256) {
        if (!groupByWord(begin, end, scratch))
            radixByWord(begin, end, scratch, varying);
    }
    else
        std::sort(begin, end, [](const Item &a, const Item &b) {
            return a.word != b.word ? a.word < b.word : a.added < b.added;
        });
    for (Item *run = begin; run != end;) {
        Item *next = run + 1;
        while (next != end && next->word == run->word)
            ++next;
        if (next - run > 1)
            sortFrom(text, run, next, scratch + (run - begin), offset + 8);
        run = next;
    }
}

}

namespace {
// Megabytes of lines filled page by page cost a fault per page; asking for huge pages
// over the room kept makes that a few faults. Only a hint: the room is ordinary memory.
void preferHugePages(const char *begin, qsizetype bytes)
{
#ifdef MADV_HUGEPAGE
    constexpr quintptr Huge = 2 << 20;
    const quintptr from = (quintptr(begin) + Huge - 1) & ~(Huge - 1);
    const quintptr to = (quintptr(begin) + quintptr(bytes)) & ~(Huge - 1);
    if (to > from)
        ::madvise(reinterpret_cast<void *>(from), size_t(to - from), MADV_HUGEPAGE);
#else
    Q_UNUSED(begin);
    Q_UNUSED(bytes);
#endif
}
}

void Lines::reserve(qsizetype lines, qsizetype bytes)
{
    m_spans.reserve(lines);
    m_text.reserve(bytes);
    preferHugePages(m_text.constData(), m_text.capacity());
}

void Lines::grow()
{
    // Grow in large steps: a whole-archive list runs to megabytes, and a line is far
    // shorter than the room kept free.
    if (m_text.capacity() - m_text.size() < 4096) {
        m_text.reserve(std::max<qsizetype>(2 * m_text.capacity(), 1 << 16));
        preferHugePages(m_text.constData(), m_text.capacity());
    }
}

void Lines::append(QByteArrayView cp1252)
{
    m_spans.append(Span{m_text.size(), qint32(cp1252.size()), qint32(m_spans.size())});
    m_text.append(cp1252);
}

void Lines::gather()
{
    // The rare list that is sorted again after a merge: its lines go back into one text.
    if (m_blocks.empty())
        return;
    QByteArray text;
    qsizetype bytes = 0;
    for (const Span &s : std::as_const(m_spans))
        bytes += s.size;
    text.reserve(bytes);
    for (Span &s : m_spans) {
        const qsizetype at = text.size();
        text.append(textOf(s), s.size);
        s.at = at;
    }
    m_text = std::move(text);
    m_blocks.clear();
}

void Lines::sort()
{
    gather();
    std::vector<Item> items;
    items.reserve(size_t(m_spans.size()));
    for (const Span &s : std::as_const(m_spans))
        items.push_back(Item{0, s.at, s.size, s.added});
    std::vector<Item> scratch(items.size());
    if (!items.empty())
        sortFrom(m_text.constData(), items.data(), items.data() + items.size(), scratch.data(), 0);
    for (qsizetype i = 0; i < m_spans.size(); ++i) {
        const Item &item = items[size_t(i)];
        m_spans[i] = Span{item.at, item.size, item.added};
    }
}

namespace {

// One sorted list in a merge: its spans, where its text is, and where that text goes.
struct Run {
    const Lines::Span *begin, *end;
    const char *text;
    qsizetype block;     // its text in the merged list, above BlockShift
    qint32 addedBase;    // the lines of the lists before it
};

QByteArrayView lineOf(const Run &run, const Lines::Span *s)
{
    return QByteArrayView(run.text + s->at, s->size);
}

// Merges [from[r], to[r]) of every run into out. A handful of runs: the smallest head is
// found by looking at each, the earlier run winning a tie. The lines lie scattered in their
// texts: ask for the ones a little ahead.
void mergeRuns(const std::vector<Run> &runs, std::vector<const Lines::Span *> from,
               const std::vector<const Lines::Span *> &to, Lines::Span *out, int shift)
{
    while (true) {
        size_t best = runs.size();
        for (size_t r = 0; r < runs.size(); ++r) {
            if (from[r] == to[r])
                continue;
            if (best == runs.size() || compare(lineOf(runs[r], from[r]), lineOf(runs[best], from[best])) < 0)
                best = r;
        }
        if (best == runs.size())
            return;
        const Run &run = runs[best];
        if (to[best] - from[best] > Ahead) {
            // Lines of a list share their first words, so a comparison often reads past the
            // first cache line a line touches: ask for the next one too.
            const char *ahead = run.text + from[best][Ahead].at;
            prefetch(ahead);
            prefetch(ahead + 64);
        }
        const Lines::Span s = *from[best]++;
        *out++ = Lines::Span{(run.block << shift) | s.at, s.size, run.addedBase + s.added};
    }
}

// The first span of run that comes after `line` of run `of` in the merged order: equal lines
// of earlier runs come before it, those of later runs after it.
const Lines::Span *cutAt(const std::vector<Run> &runs, size_t r, size_t of, QByteArrayView line)
{
    const Run &run = runs[r];
    return std::partition_point(run.begin, run.end, [&](const Lines::Span &s) {
        const int c = compare(lineOf(run, &s), line);
        return r < of ? c <= 0 : c < 0;
    });
}

}

Lines Lines::merged(std::vector<Lines> &&sorted)
{
    if (sorted.empty())
        return Lines();
    if (sorted.size() == 1)
        return std::move(sorted.front());
    Lines out;
    std::vector<Run> runs;
    qsizetype lines = 0;
    for (Lines &l : sorted) {
        l.gather();
        runs.push_back({l.m_spans.constData(), l.m_spans.constData() + l.m_spans.size(), l.m_text.constData(),
                        qsizetype(runs.size()), qint32(lines)});
        lines += l.m_spans.size();
        // Moved, not copied: the text stays where it is, so the runs still point into it.
        if (runs.size() == 1)
            out.m_text = std::move(l.m_text);
        else
            out.m_blocks.push_back(std::move(l.m_text));
    }
    out.m_spans.resize(lines);

    // As many pieces as there were lists, each merged on a thread of its own: the longest
    // list is cut evenly and every other list where those lines would fall among its own.
    const size_t pieces = lines == 0 ? 1 : runs.size();
    size_t longest = 0;
    for (size_t r = 1; r < runs.size(); ++r)
        if (runs[r].end - runs[r].begin > runs[longest].end - runs[longest].begin)
            longest = r;
    std::vector<std::vector<const Span *>> cuts(pieces + 1);
    for (const Run &run : runs) {
        cuts.front().push_back(run.begin);
        cuts.back().push_back(run.end);
    }
    for (size_t p = 1; p < pieces; ++p) {
        const Run &cutter = runs[longest];
        const Span *at = cutter.begin + (cutter.end - cutter.begin) * qsizetype(p) / qsizetype(pieces);
        const QByteArrayView line = lineOf(cutter, at);
        for (size_t r = 0; r < runs.size(); ++r)
            cuts[p].push_back(r == longest ? at : cutAt(runs, r, longest, line));
    }
    ArchiveScan::onThreads(int(pieces), [&](int piece) {
        qsizetype before = 0;
        for (size_t r = 0; r < runs.size(); ++r)
            before += cuts[size_t(piece)][r] - runs[r].begin;
        mergeRuns(runs, cuts[size_t(piece)], cuts[size_t(piece) + 1], out.m_spans.data() + before, BlockShift);
    });
    return out;
}

QByteArrayView Lines::bytes(qsizetype i) const
{
    const Span s = m_spans.at(i);
    return QByteArrayView(textOf(s), s.size);
}

QString Lines::at(qsizetype i) const
{
    // Through the table rather than the general converter: most lines hold a non-ASCII byte
    // (the euro sign), and a list may be asked for every line at once.
    const auto &text = tables().text;
    const QByteArrayView in = bytes(i);
    QString out(in.size(), Qt::Uninitialized);
    char16_t *o = reinterpret_cast<char16_t *>(out.data());
    for (qsizetype k = 0; k < in.size(); ++k)
        o[k] = text[static_cast<unsigned char>(in[k])];
    return out;
}

char *Lines::utf8(qsizetype i, char *out) const
{
    // Every entry is copied whole, four bytes, and the end moved by its length: hence the
    // one byte of room beyond three a character.
    // Lines are written out one after the other, and after sorting they lie scattered in
    // the buffer: ask for one a little ahead.
    if (i + Ahead < m_spans.size()) {
        const Span &next = m_spans.at(i + Ahead);
        const char *text = textOf(next);
        for (qsizetype k = 0; k < next.size; k += 64)
            prefetch(text + k);
    }
    // Most of a line is ASCII, which is its own UTF-8: eight such bytes go over at once.
    const auto &utf8 = tables().utf8;
    const QByteArrayView in = bytes(i);
    const char *p = in.data(), *const end = p + in.size();
    const auto one = [&](char c) {
        const auto &u = utf8[static_cast<unsigned char>(c)];
        std::memcpy(out, u.data(), 4);
        out += u[3];
    };
    for (; end - p >= 8; p += 8) {
        quint64 x;
        std::memcpy(&x, p, 8);
        if ((x & 0x8080808080808080ULL) == 0) {
            std::memcpy(out, &x, 8);
            out += 8;
        } else {
            for (int k = 0; k < 8; ++k)
                one(p[k]);
        }
    }
    for (; p != end; ++p)
        one(*p);
    return out;
}

QStringList Lines::toStringList() const
{
    QStringList out;
    out.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        out.append(at(i));
    return out;
}

int compare(QByteArrayView a, QByteArrayView b)
{
    // Skip equal stretches eight bytes at a time; only where the bytes differ can folding
    // make them equal.
    const auto &rank = tables().rank;
    const qsizetype n = std::min(a.size(), b.size());
    qsizetype i = 0;
    while (i < n) {
        if (i + 8 <= n) {
            quint64 x, y;
            std::memcpy(&x, a.data() + i, 8);
            std::memcpy(&y, b.data() + i, 8);
            if (x == y) {
                i += 8;
                continue;
            }
        }
        const unsigned char p = rank[static_cast<unsigned char>(a[i])];
        const unsigned char q = rank[static_cast<unsigned char>(b[i])];
        if (p != q)
            return p < q ? -1 : 1;
        ++i;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int compare(const QString &a, const QString &b)
{
    return compare(QByteArrayView(Cp1252::encode(a)), QByteArrayView(Cp1252::encode(b)));
}

void sort(QStringList &lines)
{
    Lines order;
    for (const QString &l : std::as_const(lines))
        order.append(Cp1252::encode(l));
    order.sort();
    QStringList sorted;
    sorted.reserve(lines.size());
    for (qsizetype i = 0; i < order.size(); ++i)
        sorted.append(lines.at(order.addedAs(i)));
    lines = std::move(sorted);
}

}
