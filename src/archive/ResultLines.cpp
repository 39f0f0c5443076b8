#include "archive/ResultLines.h"

#include "archive/TextCodec.h"

#include <QtAlgorithms>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace ListOrder {

namespace {

struct Tables {
    std::array<char16_t, 256> text;   // what each byte decodes to
    std::array<unsigned char, 256> rank;
};

// Lines compare by their Windows-1252 codes with a-z taken as A-Z, as every result list does.
Tables makeTables()
{
    Tables t{};
    for (int b = 0; b < 256; ++b) {
        const char byte = char(b);
        const QString s = Cp1252::decode(QByteArrayView(&byte, 1));
        t.text[b] = s.isEmpty() ? u'\xFFFD' : s.at(0).unicode();
        t.rank[b] = static_cast<unsigned char>(b >= 'a' && b <= 'z' ? b - 32 : b);
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
    qsizetype at;     // also the order of adding, which settles ties
    qsizetype size;
};

// Eight rank bytes from `offset`, first byte most significant; past the end of a line the
// bytes count as 0, the lowest rank, and length settles what is left.
quint64 wordAt(const char *text, const Item &item, qsizetype offset)
{
    const auto &rank = tables().rank;
    const unsigned char *p = reinterpret_cast<const unsigned char *>(text + item.at);
    quint64 w = 0;
    if (offset + 8 <= item.size) {
        for (qsizetype i = offset; i < offset + 8; ++i)
            w = w << 8 | rank[p[i]];
        return w;
    }
    for (qsizetype i = offset; i < offset + 8; ++i)
        w = w << 8 | (i < item.size ? rank[p[i]] : 0u);
    return w;
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
    const qsizetype n = qMin(a.size, b.size);
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

// Stable, so items that share a word stay in the order they were added. Bytes that every
// item holds alike cost a count and nothing more.
void radixByWord(Item *begin, Item *end, Item *scratch)
{
    const qsizetype n = end - begin;
    Item *from = begin, *to = scratch;
    for (int shift = 0; shift < 64; shift += 8) {
        qsizetype place[256] = {};
        for (const Item *i = from; i != from + n; ++i)
            ++place[(i->word >> shift) & 0xFF];
        if (place[(from->word >> shift) & 0xFF] == n)
            continue;
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

// Most-significant-word-first sort: each level orders by one 8-byte word and only the runs
// still equal go on to the next word. Result lines share long prefixes (one activity text on
// many lines), which would make a whole-line comparison sort read each line many times.
void sortFrom(const char *text, Item *begin, Item *end, Item *scratch, qsizetype offset)
{
    // The lines of a run often share far more than the word that put them together (one
    // activity on a thousand lines): skip, in whole words, what they all hold alike.
    qsizetype common = qMax<qsizetype>(0, begin->size - offset);
    for (Item *i = begin + 1; i != end && common >= 8; ++i) {
        // The lines lie scattered in the buffer: ask for the ones a little ahead.
        if (end - i > Ahead)
            prefetch(text + i[Ahead].at + offset);
        common = qMin(common, alike(text, *begin, *i, offset));
    }
    offset += common / 8 * 8;

    // On entry the items are in the order they were added; a word that every item shares
    // needs no sorting, only the next word.
    for (;; offset += 8) {
        bool same = true, longer = false;
        for (Item *i = begin; i != end; ++i) {
            if (end - i > Ahead)
                prefetch(text + i[Ahead].at + offset);
            i->word = wordAt(text, *i, offset);
            same = same && i->word == begin->word;
            longer = longer || i->size > offset + 8;
        }
        if (!same)
            break;
        if (!longer) {
            std::sort(begin, end, [](const Item &a, const Item &b) {
                return a.size != b.size ? a.size < b.size : a.at < b.at;
            });
            return;
        }
    }
    if (end - begin > 64)
        radixByWord(begin, end, scratch);
    else
        std::sort(begin, end, [](const Item &a, const Item &b) {
            return a.word != b.word ? a.word < b.word : a.at < b.at;
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

void Lines::reserve(qsizetype lines, qsizetype bytes)
{
    m_spans.reserve(lines);
    m_text.reserve(bytes);
}

void Lines::append(QByteArrayView cp1252)
{
    m_spans.append(Span{m_text.size(), cp1252.size()});
    m_text.append(cp1252);
}

void Lines::sort()
{
    std::vector<Item> items;
    items.reserve(size_t(m_spans.size()));
    for (const Span &s : std::as_const(m_spans))
        items.push_back(Item{0, s.at, s.size});
    std::vector<Item> scratch(items.size());
    if (!items.empty())
        sortFrom(m_text.constData(), items.data(), items.data() + items.size(), scratch.data(), 0);
    for (qsizetype i = 0; i < m_spans.size(); ++i)
        m_spans[i] = Span{items[size_t(i)].at, items[size_t(i)].size};
}

QString Lines::at(qsizetype i) const
{
    // Through the table rather than the general converter: most lines hold a non-ASCII byte
    // (the euro sign), and a list may be asked for every line at once.
    const auto &text = tables().text;
    const Span s = m_spans.at(i);
    QString out(s.size, Qt::Uninitialized);
    char16_t *o = reinterpret_cast<char16_t *>(out.data());
    const char *in = m_text.constData() + s.at;
    for (qsizetype k = 0; k < s.size; ++k)
        o[k] = text[static_cast<unsigned char>(in[k])];
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

}
