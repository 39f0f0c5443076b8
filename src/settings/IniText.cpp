#include "settings/IniText.h"

#include <vector>

namespace IniText {

namespace {

struct Line {
    qsizetype begin;     // first byte of the line
    qsizetype end;       // one past its last byte, line end excluded
    qsizetype next;      // first byte of the following line
};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

QByteArrayView trimmed(QByteArrayView v)
{
    while (!v.isEmpty() && isBlank(v.front()))
        v = v.sliced(1);
    while (!v.isEmpty() && isBlank(v.back()))
        v.chop(1);
    return v;
}

bool sameName(QByteArrayView a, QByteArrayView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

qsizetype bomLength(QByteArrayView ini)
{
    return ini.startsWith("\xEF\xBB\xBF") ? 3 : 0;
}

std::vector<Line> splitLines(QByteArrayView ini)
{
    std::vector<Line> lines;
    qsizetype i = bomLength(ini);
    const qsizetype n = ini.size();
    while (i < n) {
        qsizetype e = i;
        while (e < n && ini[e] != '\n' && ini[e] != '\r')
            ++e;
        qsizetype next = e;
        if (next < n && ini[next] == '\r')
            ++next;
        if (next < n && ini[next] == '\n' && (next == e || ini[e] == '\r'))
            ++next;
        lines.push_back({i, e, next});
        i = next;
    }
    return lines;
}

// The section a header line opens, or nothing when the line is not a header.
std::optional<QByteArrayView> header(QByteArrayView line)
{
    line = trimmed(line);
    if (!line.startsWith('['))
        return std::nullopt;
    const qsizetype close = line.indexOf(']');
    if (close < 0)
        return std::nullopt;
    return trimmed(line.sliced(1, close - 1));
}

struct Entry {
    qsizetype valueBegin;   // within the whole file
    qsizetype valueEnd;
};

// The value's span when the line sets key; quotes around the value are left outside it.
std::optional<Entry> entry(QByteArrayView ini, const Line &l, QByteArrayView key)
{
    const QByteArrayView line = ini.sliced(l.begin, l.end - l.begin);
    const QByteArrayView lead = trimmed(line);
    if (lead.isEmpty() || lead.front() == ';' || lead.front() == '#')
        return std::nullopt;
    const qsizetype eq = line.indexOf('=');
    if (eq < 0 || !sameName(trimmed(line.first(eq)), key))
        return std::nullopt;
    qsizetype b = eq + 1;
    qsizetype e = line.size();
    while (b < e && isBlank(line[b]))
        ++b;
    while (e > b && isBlank(line[e - 1]))
        --e;
    if (e - b >= 2 && line[b] == '"' && line[e - 1] == '"') {
        ++b;
        --e;
    }
    return Entry{l.begin + b, l.begin + e};
}

QByteArray lineEnd(QByteArrayView ini)
{
    const qsizetype lf = ini.indexOf('\n');
    const qsizetype cr = ini.indexOf('\r');
    if (cr >= 0 && (lf < 0 || cr < lf))
        return cr + 1 < ini.size() && ini[cr + 1] == '\n' ? QByteArray("\r\n") : QByteArray("\r");
    return QByteArray("\n");
}

}

std::optional<QByteArray> value(QByteArrayView ini, QByteArrayView section, QByteArrayView key)
{
    std::optional<QByteArray> found;
    bool inSection = false;
    for (const Line &l : splitLines(ini)) {
        if (const auto name = header(ini.sliced(l.begin, l.end - l.begin))) {
            inSection = sameName(*name, section);
            continue;
        }
        if (!inSection)
            continue;
        if (const auto e = entry(ini, l, key))
            found = ini.sliced(e->valueBegin, e->valueEnd - e->valueBegin).toByteArray();
    }
    return found;
}

QByteArray withValue(QByteArrayView ini, QByteArrayView section, QByteArrayView key,
                     QByteArrayView newValue)
{
    const std::vector<Line> lines = splitLines(ini);
    std::vector<Entry> entries;
    // Where a missing key goes: after the last non-blank line of the last matching section.
    std::optional<qsizetype> insertAt;
    bool inSection = false;
    for (const Line &l : lines) {
        const QByteArrayView text = ini.sliced(l.begin, l.end - l.begin);
        if (const auto name = header(text)) {
            inSection = sameName(*name, section);
            if (inSection)
                insertAt = l.next;
            continue;
        }
        if (!inSection)
            continue;
        if (!trimmed(text).isEmpty())
            insertAt = l.next;
        if (const auto e = entry(ini, l, key))
            entries.push_back(*e);
    }

    const QByteArray eol = lineEnd(ini);
    QByteArray out;
    out.reserve(ini.size() + key.size() + newValue.size() + section.size() + 8);
    if (!entries.empty()) {
        qsizetype at = 0;
        for (const Entry &e : entries) {
            out.append(ini.sliced(at, e.valueBegin - at));
            out.append(newValue);
            at = e.valueEnd;
        }
        out.append(ini.sliced(at));
        return out;
    }

    QByteArray added;
    qsizetype at = ini.size();
    if (insertAt) {
        at = *insertAt;
    } else {
        added = '[' + section.toByteArray() + ']' + eol;
    }
    added += key.toByteArray() + '=' + newValue.toByteArray() + eol;
    // A last line without its line end gets one before anything follows it.
    const bool needsBreak = at > bomLength(ini) && at == ini.size() && ini.back() != '\n'
        && ini.back() != '\r';
    out.append(ini.first(at));
    if (needsBreak)
        out.append(eol);
    out.append(added);
    out.append(ini.sliced(at));
    return out;
}

}
