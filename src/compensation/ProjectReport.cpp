#include "compensation/ProjectReport.h"

#include "archive/ArchiveScan.h"
#include "archive/FindEngine.h"
#include "archive/TextCodec.h"
#include "framework/Clock.h"
#include "framework/Routines.h"
#include "worklog/WorkRecord.h"

#include <QFileInfo>

#include <cmath>
#include <map>
#include <tuple>

namespace ProjectReport {

namespace {
// The code as the cards keep it, compared as the finds compare: trimmed, A-Z folded.
QByteArray foldedCode(QByteArrayView bytes)
{
    QByteArray out(Find::trimmedBytes(bytes).toByteArray());
    for (char &c : out)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return out;
}

void add(Sums &s, qint64 hours, qint64 due)
{
    ++s.works;
    s.hours += hours;
    s.due += due;
}
}

std::optional<qint64> storedHundredths(QByteArrayView trimmed)
{
    const std::optional<double> v = Compensation::storedAmount(trimmed);
    if (!v || !std::isfinite(*v) || std::fabs(*v) > 9e15)
        return std::nullopt;
    return qint64(std::llround(*v * 100));
}

QString hundredths(qint64 value)
{
    const bool negative = value < 0;
    const quint64 a = negative ? quint64(-(value + 1)) + 1 : quint64(value);
    return QStringLiteral("%1%2,%3")
        .arg(negative ? QStringLiteral("-") : QString())
        .arg(a / 100)
        .arg(a % 100, 2, 10, QLatin1Char('0'));
}

QString percentOf(qint64 used, qint64 estimate)
{
    if (estimate <= 0)
        return QString();
    // Tenths of a per cent, rounded half away from zero.
    const double tenths = std::round(double(used) * 1000.0 / double(estimate));
    const qint64 t = qint64(tenths);
    const qint64 a = t < 0 ? -t : t;
    return QStringLiteral("%1%2,%3").arg(t < 0 ? QStringLiteral("-") : QString()).arg(a / 10).arg(a % 10);
}

Report build(const Request &request)
{
    using WorkRecord::place;
    static const auto codeAt = place("CodiceProg"), dateAt = place("Data"), hoursAt = place("TotOre"),
                      dueAt = place("TotDovuto"), cfAt = place("CodFisc"), surnameAt = place("Cognome"),
                      nameAt = place("Nome");
    const QByteArray wanted = foldedCode(Cp1252::encode(Routines::trimmed(request.code)));
    const QDate today = Clock::today();
    Report report;
    using WorkerKey = std::tuple<QString, QString, QString>;
    std::map<WorkerKey, Sums> workers;
    std::map<std::pair<int, int>, Sums> months;
    // Each range of a log on a thread of its own; the sums are whole numbers, so adding the
    // ranges' sums gives what one reading gives.
    struct Part {
        std::map<WorkerKey, Sums> workers;
        std::map<std::pair<int, int>, Sums> months;
        Sums total;
        std::vector<Compensation::SkippedCard> skipped;
    };
    const auto merge = [](Sums &into, const Sums &from) {
        into.works += from.works;
        into.hours += from.hours;
        into.due += from.due;
    };
    for (const QString &log : request.logs) {
        if (!QFileInfo::exists(log))
            continue;
        const QString file = QFileInfo(log).fileName();
        auto scan = ArchiveScan::parts<Part>(log, WorkRecord::Size, [&](Part &part, qint64 n, const char *record) {
            if (wanted.isEmpty() || foldedCode(WorkRecord::trimmedBytes(record, codeAt)) != wanted)
                return true;
            const QByteArrayView dateBytes = WorkRecord::trimmedBytes(record, dateAt);
            const std::optional<QDate> date = Routines::parseDate(Cp1252::decode(dateBytes), today);
            if (!date) {
                part.skipped.push_back({n, Compensation::SkippedCard::BadDate});
                return true;
            }
            if ((request.from && *date < *request.from) || (request.to && *date > *request.to))
                return true;
            const auto hours = storedHundredths(WorkRecord::trimmedBytes(record, hoursAt));
            const auto due = storedHundredths(WorkRecord::trimmedBytes(record, dueAt));
            if (!hours || !due) {
                part.skipped.push_back({n, Compensation::SkippedCard::BadTotal});
                return true;
            }
            const auto text = [&](WorkRecord::Place p) { return Cp1252::decode(WorkRecord::trimmedBytes(record, p)); };
            add(part.workers[{text(surnameAt), text(nameAt), text(cfAt)}], *hours, *due);
            add(part.months[{date->year(), date->month()}], *hours, *due);
            add(part.total, *hours, *due);
            return true;
        });
        for (const Part &part : scan.parts) {
            for (const auto &[key, sums] : part.workers)
                merge(workers[key], sums);
            for (const auto &[key, sums] : part.months)
                merge(months[key], sums);
            merge(report.total, part.total);
            for (const Compensation::SkippedCard &c : part.skipped)
                report.skipped.push_back({file, c});
        }
        if (!scan.ok) {
            report.ok = false;
            report.error = file + QStringLiteral(": ") + scan.error;
            break;
        }
    }
    for (const auto &[key, sums] : workers)
        report.workers.push_back({std::get<2>(key), std::get<0>(key), std::get<1>(key), sums});
    for (const auto &[key, sums] : months)
        report.months.push_back({key.first, key.second, sums});
    return report;
}

}
