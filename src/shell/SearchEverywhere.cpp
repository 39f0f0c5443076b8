#include "shell/SearchEverywhere.h"

#include "archive/ArchiveScan.h"
#include "archive/TextCodec.h"
#include "projects/ProjectFind.h"
#include "projects/ProjectRecord.h"
#include "schedules/ScheduleFind.h"
#include "schedules/ScheduleRecord.h"
#include "shell/ArchiveKinds.h"
#include "shifts/DailyShiftRecord.h"
#include "shifts/ShiftFind.h"
#include "shifts/WeeklyShiftRecord.h"
#include "workers/WorkerFind.h"
#include "workers/WorkerRecord.h"
#include "worklog/WorkFind.h"
#include "worklog/WorkRecord.h"

#include <QDir>
#include <QFileInfo>

#include <array>
#include <cstring>

namespace SearchEverywhere {

const Kind *kind(const QString &name)
{
    static const Kind kinds[] = {
        {"lavoratori", &WorkerRecord::layout, &WorkerFind::filters, &WorkerFind::line},
        {"orari", &ScheduleRecord::layout, &ScheduleFind::filters, &ScheduleFind::line},
        {"turni", &DailyShiftRecord::layout, &ShiftFind::dailyFilters, &ShiftFind::dailyLine},
        {"settimanale", &WeeklyShiftRecord::layout, &ShiftFind::weeklyFilters, &ShiftFind::weeklyLine},
        {"progetti", &ProjectRecord::layout, &ProjectFind::filters, &ProjectFind::line},
        {"lavori", &WorkRecord::layout, &WorkFind::filters, &WorkFind::line},
    };
    for (const Kind &k : kinds)
        if (name == QLatin1String(k.name))
            return &k;
    return nullptr;
}

namespace {
QString titleOf(const QString &kindName, int year)
{
    static const QHash<QString, QString> words = {
        {QStringLiteral("lavoratori"), QStringLiteral("Lavoratori")},
        {QStringLiteral("orari"), QStringLiteral("Orari")},
        {QStringLiteral("turni"), QStringLiteral("Turni giornalieri")},
        {QStringLiteral("settimanale"), QStringLiteral("Turni settimanali")},
        {QStringLiteral("progetti"), QStringLiteral("Progetti")},
        {QStringLiteral("lavori"), QStringLiteral("Registro lavori")},
    };
    const QString w = words.value(kindName);
    return year > 0 ? w + QLatin1Char(' ') + QString::number(year) : w;
}

// Letters A-Z as a-z, every other byte as it is.
constexpr std::array<char, 256> fold = [] {
    std::array<char, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[size_t(c)] = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return table;
}();

// Whether text holds the folded needle, letters A-Z in either case: the first letter is
// looked for in both cases, the rest compared folded. No copy of the text is made.
bool containsFolded(const char *text, int length, QByteArrayView needle)
{
    const int m = int(needle.size());
    if (m == 0 || length < m)
        return false;
    const char lower = needle[0];
    const char upper = lower >= 'a' && lower <= 'z' ? char(lower - 'a' + 'A') : lower;
    const char *last = text + length - m;
    for (const char *p = text; p <= last; ++p) {
        if (*p != lower && *p != upper)
            continue;
        int k = 1;
        while (k < m && fold[static_cast<unsigned char>(p[k])] == needle[k])
            ++k;
        if (k == m)
            return true;
    }
    return false;
}

void foldAZ(QByteArray &bytes)
{
    for (char &c : bytes)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
}
}

QVector<Archive> archives(const QString &folder)
{
    QVector<Archive> out;
    const QDir dir(folder);
    for (const QFileInfo &info : dir.entryInfoList(QDir::Files, QDir::Name)) {
        const QString name = ArchiveKinds::forFile(info.fileName()).name;
        const Kind *k = kind(name);
        if (!k)
            continue;
        // The yearly archives are named by their year: four digits.
        const QString base = info.completeBaseName();
        const bool yearly = name != QLatin1String("lavoratori") && name != QLatin1String("orari");
        bool isYear = false;
        const int year = base.toInt(&isYear);
        if (yearly && (base.size() != 4 || !isYear))
            continue;
        out.append({info.filePath(), info.fileName(), k, titleOf(name, yearly ? year : 0), yearly ? year : 0});
    }
    return out;
}

Result search(const QString &folder, const QString &text)
{
    Result result;
    result.archives = archives(folder);
    // A character the code page lacks is never in a card.
    for (const QChar c : text)
        if (Cp1252::fromUnicode(c.unicode()) < 0)
            return result;
    QByteArray needle = Cp1252::encode(text);
    foldAZ(needle);
    if (needle.isEmpty())
        return result;
    // Each range of an archive on a thread of its own, with a buffer of its own.
    struct Part {
        using WholeRecords [[maybe_unused]] = std::true_type;   // every field is looked at
        QVector<Hit> hits;
        QVector<qint64> damaged;
        QByteArray line;
    };
    const QByteArrayView wanted(needle);
    for (int a = 0; a < result.archives.size(); ++a) {
        const Archive &archive = result.archives.at(a);
        const RecordLayout &layout = archive.kind->layout();
        const Find::LineBuilder &lineOf = archive.kind->line();
        // Only what a screen shows is looked at, and only that can make a card damaged.
        QVector<RecordLayout::Field> shown;
        const QStringList &unshown = ArchiveKinds::unshownFields(QLatin1String(archive.kind->name));
        for (const RecordLayout::Field &f : layout.fields())
            if (!unshown.contains(f.name))
                shown.append(f);
        auto scan = ArchiveScan::parts<Part>(archive.path, layout.size(), [&](Part &part, qint64 n, const char *record) {
            // Text of each field: [start, end) in the record.
            const auto textOf = [&](const RecordLayout::Field &f) -> std::pair<int, int> {
                if (f.kind == FieldKind::ZText) {
                    const void *zero = std::memchr(record + f.offset, 0, size_t(f.width + 1));
                    return {f.offset, zero ? int(static_cast<const char *>(zero) - record) : f.offset + f.width + 1};
                }
                return {f.offset + 1, f.offset + 1 + static_cast<unsigned char>(record[f.offset])};
            };
            for (const RecordLayout::Field &f : std::as_const(shown))
                if (f.kind == FieldKind::Text && static_cast<unsigned char>(record[f.offset]) > f.width) {
                    part.damaged.append(n);
                    return true;
                }
            for (const RecordLayout::Field &f : std::as_const(shown)) {
                const auto [start, end] = textOf(f);
                if (containsFolded(record + start, end - start, wanted)) {
                    part.line.clear();
                    lineOf(record, part.line);
                    part.hits.append({a, n, f.name, Cp1252::decode(part.line)});
                    break;
                }
            }
            return true;
        });
        for (Part &part : scan.parts) {
            result.hits += part.hits;
            for (qint64 n : std::as_const(part.damaged))
                result.damaged.append({archive.fileName, n});
        }
        if (!scan.ok) {
            result.ok = false;
            result.error = archive.fileName + QStringLiteral(": ") + scan.error;
            break;
        }
    }
    return result;
}

QString damagedNotice(const Result &result)
{
    if (result.damaged.isEmpty())
        return QString();
    QStringList where;
    QString file;
    for (const auto &[name, card] : result.damaged) {
        if (name != file)
            where << name + QStringLiteral(": ") + QString::number(card);
        else
            where.last() += QStringLiteral(", ") + QString::number(card);
        file = name;
    }
    const QString cards = result.damaged.size() == 1
        ? QStringLiteral("1 scheda danneggiata non è stata considerata")
        : QStringLiteral("%1 schede danneggiate non sono state considerate").arg(result.damaged.size());
    return QStringLiteral("Attenzione: %1 nella ricerca (%2).").arg(cards, where.join(QStringLiteral("; ")));
}

}
