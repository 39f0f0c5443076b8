#include "archive/FindEngine.h"

#include "archive/ArchiveScan.h"
#include "archive/TextCodec.h"
#include "framework/Routines.h"

#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <cstring>
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

bool occurs(QByteArrayView haystack, const QByteArray &needle)
{
    if (needle.isEmpty() || needle.size() > haystack.size())
        return false;
    QVarLengthArray<unsigned char, 512> lower(haystack.size());
    fold(reinterpret_cast<const unsigned char *>(haystack.data()), lower.data(), size_t(haystack.size()), true);
    return ::memmem(lower.data(), size_t(lower.size()), needle.constData(), size_t(needle.size())) != nullptr;
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

namespace {

template <bool Most>
Listing listing(const QString &path, const RecordLayout &layout,
                const std::function<Verdict(qint64, const char *)> &judge, const LineBuilder &line)
{
    struct Part {
        using WholeRecords [[maybe_unused]] = std::bool_constant<Most>;
        explicit Part(const ArchiveScan::Range &range)
        {
            // Room for a line of every card: only what the lines fill is ever touched, and
            // growing a list of megabytes step by step would copy it and fault its pages twice.
            lines.reserve(range.count, range.count * 256);
        }
        ListOrder::Lines lines;
        int unreadable = 0;
    };
    auto scan = ArchiveScan::parts<Part>(
        path, layout.size(),
        [&](Part &part, qint64 n, const char *record) {
            switch (judge(n, record)) {
            case Verdict::List:
                part.lines.appendWritten([&](QByteArray &text) { line(record, text); });
                break;
            case Verdict::Unreadable:
                ++part.unreadable;
                break;
            case Verdict::Pass:
                break;
            }
            return true;
        },
        [](Part &part) { part.lines.sort(); });
    Listing out;
    out.ok = scan.ok;
    out.error = scan.error;
    std::vector<ListOrder::Lines> sorted;
    for (Part &part : scan.parts) {
        sorted.push_back(std::move(part.lines));
        out.unreadable += part.unreadable;
    }
    out.lines = ListOrder::Lines::merged(std::move(sorted));
    return out;
}

}

Listing list(const QString &path, const RecordLayout &layout,
             const std::function<Verdict(qint64, const char *)> &judge, const LineBuilder &line, Expect expect)
{
    return expect == Expect::Most ? listing<true>(path, layout, judge, line) : listing<false>(path, layout, judge, line);
}

Listing list(const QString &path, const RecordLayout &layout,
             const std::function<bool(qint64, const char *)> &keep, const LineBuilder &line, Expect expect)
{
    return list(
        path, layout,
        std::function<Verdict(qint64, const char *)>(
            [&](qint64 n, const char *record) { return keep(n, record) ? Verdict::List : Verdict::Pass; }),
        line, expect);
}

Listing search(const QString &path, const RecordLayout &layout, const QVector<Filter> &filters,
               const LineBuilder &line)
{
    const Matcher matcher(layout, filters);
    // With no filter in use every card is listed.
    return list(path, layout, [&](qint64, const char *record) { return matcher.matches(record); }, line,
                matcher.inUse() == 0 ? Expect::Most : Expect::Few);
}

bool pick(const QString &path, const RecordLayout &layout, const LineBuilder &line, const QString &picked,
          const std::function<void(qint64, const char *)> &hand)
{
    const QString wanted = Routines::trimmed(picked);
    const auto bytes = exactBytes(wanted);
    struct Part {
        QByteArray built;
        std::vector<std::pair<qint64, QByteArray>> equal;
    };
    auto scan = ArchiveScan::parts<Part>(path, layout.size(), [&](Part &part, qint64 n, const char *record) {
        part.built.clear();
        line(record, part.built);
        if (bytes && trimmedBytes(QByteArrayView(part.built)) == QByteArrayView(*bytes))
            part.equal.emplace_back(n, QByteArray(record, layout.size()));
        return true;
    });
    // What was found before a failure is handed over all the same, as a reading in one pass
    // would have done before it reached the failure.
    for (const Part &part : scan.parts)
        for (const auto &[n, record] : part.equal)
            hand(n, record.constData());
    return scan.ok;
}

}
