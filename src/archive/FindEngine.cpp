#include "archive/FindEngine.h"

#include "app/Routines.h"
#include "archive/Archivio.h"
#include "archive/TextCodec.h"

#include <QVarLengthArray>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>
#include <optional>
#include <string_view>

namespace {

inline unsigned char lowerAZ(unsigned char c)
{
    return c + (static_cast<unsigned char>(c - 'A') < 26u) * 32;
}

inline unsigned char upperAZ(unsigned char c)
{
    return c - (static_cast<unsigned char>(c - 'a') < 26u) * 32;
}

// Folds n bytes eight at a time: A-Z to a-z (toLower) or a-z to A-Z. Bytes of 0x80 and
// above are left alone, as the lists and filters require.
void fold(const unsigned char *in, unsigned char *out, std::size_t n, bool toLower)
{
    constexpr quint64 ones = 0x0101010101010101ULL;
    const quint64 first = toLower ? 'A' : 'a';
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        quint64 x;
        std::memcpy(&x, in + i, 8);
        const quint64 low7 = x & (0x7f * ones);
        const quint64 fromFirst = low7 + (0x80 - first) * ones;     // top bit: byte >= first
        const quint64 pastLast = low7 + (0x80 - first - 26) * ones; // top bit: byte > last
        const quint64 letters = fromFirst & ~pastLast & ~x & (0x80 * ones);
        x ^= letters >> 2;                                          // 0x20: the case bit
        std::memcpy(out + i, &x, 8);
    }
    for (; i < n; ++i)
        out[i] = toLower ? lowerAZ(in[i]) : upperAZ(in[i]);
}

// The bytes of text in the code page, or nothing when a character has no place in it.
std::optional<QByteArray> exactBytes(const QString &text)
{
    QByteArray bytes = Cp1252::encode(text);
    if (Cp1252::decode(bytes) != text)
        return std::nullopt;
    return bytes;
}

// Windows-1252 to text through a table: the lists decode every line they show.
QString decode(QByteArrayView bytes)
{
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t{};
        for (int b = 0; b < 256; ++b) {
            const char c = char(b);
            const QString s = Cp1252::decode(QByteArrayView(&c, 1));
            t[size_t(b)] = s.size() == 1 ? s.at(0).unicode() : u'?';
        }
        return t;
    }();
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t *p = reinterpret_cast<char16_t *>(out.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        p[i] = table[static_cast<unsigned char>(bytes[i])];
    return out;
}

bool occurs(QByteArrayView haystack, const QByteArray &needle)
{
    if (needle.isEmpty() || needle.size() > haystack.size())
        return false;
    QVarLengthArray<unsigned char, 512> lower(haystack.size());
    fold(reinterpret_cast<const unsigned char *>(haystack.data()), lower.data(), size_t(haystack.size()), true);
    return ::memmem(lower.data(), size_t(lower.size()), needle.constData(), size_t(needle.size())) != nullptr;
}

}

namespace ListOrder {

int compare(QByteArrayView a, QByteArrayView b)
{
    // Skip equal stretches eight bytes at a time; only where the bytes differ can folding
    // make them equal.
    const qsizetype n = std::min(a.size(), b.size());
    qsizetype i = 0;
    while (i < n) {
        quint64 x, y;
        if (i + 8 <= n) {
            std::memcpy(&x, a.data() + i, 8);
            std::memcpy(&y, b.data() + i, 8);
            if (x == y) {
                i += 8;
                continue;
            }
        }
        const unsigned char p = upperAZ(static_cast<unsigned char>(a[i]));
        const unsigned char q = upperAZ(static_cast<unsigned char>(b[i]));
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

std::vector<std::size_t> order(const QByteArray &text, const std::vector<Span> &spans)
{
    // Each line's first 24 folded bytes travel with it as big-endian words, so most
    // comparisons never touch the text; lines equal that far compare the rest.
    constexpr qsizetype Head = 24;
    struct Key {
        quint64 head[3];
        std::size_t index;
    };
    const auto *bytes = reinterpret_cast<const unsigned char *>(text.constData());
    std::vector<Key> keys(spans.size());
    for (std::size_t i = 0; i < spans.size(); ++i) {
        unsigned char head[Head] = {};
        fold(bytes + spans[i].start, head, size_t(std::min(spans[i].length, Head)), false);
        for (int w = 0; w < 3; ++w)
            keys[i].head[w] = qFromBigEndian<quint64>(head + 8 * w);
        keys[i].index = i;
    }
    std::stable_sort(keys.begin(), keys.end(), [&](const Key &a, const Key &b) {
        for (int w = 0; w < 3; ++w)
            if (a.head[w] != b.head[w])
                return a.head[w] < b.head[w];
        const Span &x = spans[a.index], &y = spans[b.index];
        // Heads equal and one line no longer than a head: it is a prefix of the other.
        if (x.length <= Head || y.length <= Head)
            return x.length < y.length;
        return compare(QByteArrayView(text).sliced(x.start + Head, x.length - Head),
                       QByteArrayView(text).sliced(y.start + Head, y.length - Head)) < 0;
    });
    std::vector<std::size_t> out(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i)
        out[i] = keys[i].index;
    return out;
}

void sort(QStringList &lines)
{
    QByteArray text;
    std::vector<Span> spans;
    spans.reserve(size_t(lines.size()));
    for (const QString &l : lines) {
        const QByteArray bytes = Cp1252::encode(l);
        spans.push_back({text.size(), bytes.size()});
        text += bytes;
    }
    QStringList sorted;
    sorted.reserve(lines.size());
    for (std::size_t i : order(text, spans))
        sorted.append(lines.at(qsizetype(i)));
    lines = std::move(sorted);
}

}

namespace Find {

Matcher::Matcher(const RecordLayout &layout, const QVector<Filter> &filters)
{
    for (const Filter &f : filters) {
        if (!Routines::trimmed(f.text).isEmpty())
            ++m_inUse;
        if (f.text.isEmpty())
            continue;   // never occurs
        const auto bytes = exactBytes(Routines::lowerAZ(f.text));
        if (!bytes)
            continue;   // cannot occur in a stored field
        m_needles.push_back({layout.field(f.field), *bytes});
    }
}

bool Matcher::matches(const char *record) const
{
    if (m_inUse == 0)
        return true;
    int m = 0;
    for (const Needle &n : m_needles)
        if (occurs(Record::raw(n.field, record), n.bytes) && ++m >= m_inUse)
            return true;
    return false;
}

QByteArrayView trimmedBytes(QByteArrayView bytes)
{
    qsizetype b = 0, e = bytes.size();
    while (b < e && static_cast<unsigned char>(bytes[b]) <= 32)
        ++b;
    while (e > b && static_cast<unsigned char>(bytes[e - 1]) <= 32)
        --e;
    return bytes.sliced(b, e - b);
}

LineBuilder columnLine(const RecordLayout &layout, const QVector<Column> &columns)
{
    struct Part {
        QByteArray caption;
        QVector<RecordLayout::Field> fields;
        int width;
    };
    QVector<Part> parts;
    qsizetype longest = 0;   // the most a line can take
    for (const Column &c : columns) {
        Part p{Cp1252::encode(c.caption), {}, c.width};
        qsizetype content = 0;
        for (const QString &name : c.fields) {
            const int i = layout.indexOf(name);
            Q_ASSERT_X(i >= 0, "Find::columnLine", qPrintable(name));
            p.fields.append(layout.field(i));
            content += layout.field(i).width + 1;
        }
        longest += p.caption.size() + std::max<qsizetype>(content, c.width);
        parts.append(p);
    }
    return [parts, longest](const char *record, QByteArray &line) {
        const qsizetype begin = line.size();
        line.resize(begin + longest);
        char *const start = line.data() + begin;
        char *out = start;
        for (const Part &p : parts) {
            std::memcpy(out, p.caption.constData(), size_t(p.caption.size()));
            out += p.caption.size();
            char *const column = out;
            for (qsizetype i = 0; i < p.fields.size(); ++i) {
                if (i > 0)
                    *out++ = ' ';
                const QByteArrayView text = trimmedBytes(Record::raw(p.fields.at(i), record));
                std::memcpy(out, text.data(), size_t(text.size()));
                out += text.size();
            }
            if (p.width > 0) {
                if (out - column > p.width)
                    out = column + p.width;
                while (out - column < p.width)
                    *out++ = ' ';
            }
        }
        line.resize(begin + (out - start));
    };
}

Listing list(const QString &path, const RecordLayout &layout,
             const std::function<bool(qint64, const char *)> &keep, const LineBuilder &line)
{
    // The lines go back to back into one buffer; only the kept ones are built.
    TArchivio archive(path, layout.size());
    QByteArray text;
    std::vector<ListOrder::Span> spans;
    Listing out;
    out.ok = archive.scan([&](qint64 n, const char *record) {
        if (keep(n, record)) {
            // Grow in large steps: a whole-archive list runs to megabytes.
            if (text.capacity() - text.size() < 4096)
                text.reserve(std::max<qsizetype>(2 * text.capacity(), 1 << 20));
            const qsizetype start = text.size();
            line(record, text);
            spans.push_back({start, text.size() - start});
        }
        return true;
    });
    if (!out.ok)
        out.error = archive.errorText();
    out.lines.reserve(qsizetype(spans.size()));
    for (std::size_t i : ListOrder::order(text, spans))
        out.lines.append(decode(QByteArrayView(text).sliced(spans[i].start, spans[i].length)));
    return out;
}

Listing search(const QString &path, const RecordLayout &layout, const QVector<Filter> &filters,
               const LineBuilder &line)
{
    const Matcher matcher(layout, filters);
    return list(path, layout, [&](qint64, const char *record) { return matcher.matches(record); }, line);
}

bool pick(const QString &path, const RecordLayout &layout, const LineBuilder &line, const QString &picked,
          const std::function<void(qint64, const char *)> &hand)
{
    const QString wanted = Routines::trimmed(picked);
    const auto bytes = exactBytes(wanted);
    TArchivio archive(path, layout.size());
    QByteArray built;
    return archive.scan([&](qint64 n, const char *record) {
        built.clear();
        line(record, built);
        if (bytes && trimmedBytes(QByteArrayView(built)) == QByteArrayView(*bytes))
            hand(n, record);
        return true;
    });
}

}
