#include "compensation/ProjectReport.h"

#include "archive/ArchiveScan.h"
#include "archive/CardDamage.h"
#include "archive/FindEngine.h"
#include "archive/TextCodec.h"
#include "framework/Clock.h"
#include "framework/Routines.h"
#include "worklog/WorkRecord.h"

#include <QFileInfo>

#include <algorithm>
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

namespace {

// A worker's key: the codice fiscale as the finds compare it; with none, the name.
QString workerKey(const QString &codFisc, const QString &cognome, const QString &nome)
{
    const QString cf = Routines::trimmed(codFisc).toUpper();
    return cf.isEmpty() ? QStringLiteral("\x01") + cognome + QLatin1Char('\x01') + nome : cf;
}

struct Worker {
    Sums sums;
    // Which card names the worker: the latest by date, then by log and position.
    std::tuple<qint64, int, qint64> latest{-1, -1, -1};
    QString codFisc, cognome, nome;

    void take(const Worker &other)
    {
        sums.works += other.sums.works;
        sums.hours += other.sums.hours;
        sums.due += other.sums.due;
        if (other.latest > latest) {
            latest = other.latest;
            codFisc = other.codFisc;
            cognome = other.cognome;
            nome = other.nome;
        }
    }
};

}

Report build(const Request &request)
{
    using WorkRecord::place;
    static const auto codeAt = place("CodiceProg"), dateAt = place("Data"), hoursAt = place("TotOre"),
                      dueAt = place("TotDovuto"), cfAt = place("CodFisc"), surnameAt = place("Cognome"),
                      nameAt = place("Nome");
    const RecordLayout &layout = WorkRecord::layout();
    const QByteArray wanted = foldedCode(Cp1252::encode(Routines::trimmed(request.code)));
    const QDate today = Clock::today();
    Report report;
    std::map<QString, Worker> workers;
    std::map<std::pair<int, int>, Sums> months;
    // Each range of a log on a thread of its own; the sums are whole numbers, so adding the
    // ranges' sums gives what one reading gives.
    struct Part {
        std::map<QString, Worker> workers;
        std::map<std::pair<int, int>, Sums> months;
        Sums total;
        QVector<Compensation::SkippedCard> skipped;
    };
    const auto merge = [](Sums &into, const Sums &from) {
        into.works += from.works;
        into.hours += from.hours;
        into.due += from.due;
    };
    for (int logIndex = 0; logIndex < request.logs.size(); ++logIndex) {
        const QString &log = request.logs.at(logIndex);
        if (!QFileInfo::exists(log))
            continue;
        const QString file = QFileInfo(log).fileName();
        report.logsRead << file;
        auto scan = ArchiveScan::parts<Part>(log, WorkRecord::Size, [&](Part &part, qint64 n, const char *record) {
            if (wanted.isEmpty() || foldedCode(WorkRecord::trimmedBytes(record, codeAt)) != wanted)
                return true;
            const auto skip = [&](Compensation::SkippedCard::Reason reason) {
                part.skipped.push_back({n, reason, file});
                return true;
            };
            // A length past its field reads the next field's bytes as its own: such a card's
            // figures are not the ones its writer meant.
            if (CardDamage::isDamaged(layout, record))
                return skip(Compensation::SkippedCard::Damaged);
            const QByteArrayView dateBytes = WorkRecord::trimmedBytes(record, dateAt);
            const std::optional<QDate> date = Routines::parseDate(Cp1252::decode(dateBytes), today);
            if (!date)
                return skip(Compensation::SkippedCard::BadDate);
            if ((request.from && *date < *request.from) || (request.to && *date > *request.to))
                return true;
            const auto hours = storedHundredths(WorkRecord::trimmedBytes(record, hoursAt));
            if (!hours)
                return skip(Compensation::SkippedCard::BadHours);
            const auto due = storedHundredths(WorkRecord::trimmedBytes(record, dueAt));
            if (!due)
                return skip(Compensation::SkippedCard::BadTotal);
            const auto text = [&](WorkRecord::Place p) { return Cp1252::decode(WorkRecord::trimmedBytes(record, p)); };
            Worker card;
            card.codFisc = text(cfAt);
            card.cognome = text(surnameAt);
            card.nome = text(nameAt);
            card.latest = {date->toJulianDay(), logIndex, n};
            add(card.sums, *hours, *due);
            part.workers[workerKey(card.codFisc, card.cognome, card.nome)].take(card);
            add(part.months[{date->year(), date->month()}], *hours, *due);
            add(part.total, *hours, *due);
            return true;
        });
        for (const Part &part : scan.parts) {
            for (const auto &[key, worker] : part.workers)
                workers[key].take(worker);
            for (const auto &[key, sums] : part.months)
                merge(months[key], sums);
            merge(report.total, part.total);
            report.skipped += part.skipped;
        }
        if (!scan.ok) {
            report.ok = false;
            report.error = file + QStringLiteral(": ") + scan.error;
            break;
        }
    }
    for (const auto &[key, w] : workers)
        report.workers.push_back({Routines::trimmed(w.codFisc).toUpper(), w.cognome, w.nome, w.sums});
    std::sort(report.workers.begin(), report.workers.end(), [](const WorkerLine &a, const WorkerLine &b) {
        return std::tie(a.cognome, a.nome, a.codFisc) < std::tie(b.cognome, b.nome, b.codFisc);
    });
    for (const auto &[key, sums] : months)
        report.months.push_back({key.first, key.second, sums});
    return report;
}

}
