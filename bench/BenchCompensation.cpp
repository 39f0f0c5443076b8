// Pay summary and monthly statistics over a full year log of 50 000 cards, beside a plain
// read of the same file and a scan that only walks the records.
#include "ArchiveGenerator.h"

#include "archive/ArchiveFile.h"
#include "archive/ResultLines.h"
#include "compensation/MonthlyStats.h"
#include "compensation/PaySummary.h"
#include "worklog/WorkRecord.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

namespace {

QString logPath;
QString someCode;   // the codice fiscale of the first card's worker

void readFile(benchmark::State &state)
{
    const QByteArray name = logPath.toLocal8Bit();
    std::vector<char> buffer(128 * 1024);
    for (auto _ : state) {
        const int fd = ::open(name.constData(), O_RDONLY);
        qint64 total = 0;
        for (ssize_t r; (r = ::read(fd, buffer.data(), buffer.size())) > 0;)
            total += r;
        ::close(fd);
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(logPath).size());
}

void scanOnly(benchmark::State &state)
{
    for (auto _ : state) {
        qint64 dated = 0;
        ArchiveFile archive(logPath, WorkRecord::Size);
        archive.scan([&](qint64, const char *rec) {
            dated += rec[WorkRecord::place("Data").offset] != 0;
            return true;
        });
        benchmark::DoNotOptimize(dated);
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(logPath).size());
}

void summaryAllWorkersWholeYear(benchmark::State &state)
{
    qsizetype lines = 0;
    for (auto _ : state) {
        const auto s = PaySummary::build(logPath, {QString(), QDate(2024, 1, 1), QDate(2024, 12, 31)});
        lines = s.lines.size();
        benchmark::DoNotOptimize(s.total);
    }
    state.counters["righe"] = double(lines);
    state.SetBytesProcessed(state.iterations() * QFileInfo(logPath).size());
}

void summaryOneWorkerQuarter(benchmark::State &state)
{
    qsizetype lines = 0;
    for (auto _ : state) {
        const auto s = PaySummary::build(logPath, {someCode, QDate(2024, 1, 1), QDate(2024, 3, 31)});
        lines = s.lines.size();
        benchmark::DoNotOptimize(s.total);
    }
    state.counters["righe"] = double(lines);
    state.SetBytesProcessed(state.iterations() * QFileInfo(logPath).size());
}

// Sorting the whole year's 50 000 summary lines alone, given in the order the cards come.
void sortSummaryLines(benchmark::State &state)
{
    const auto s = PaySummary::build(logPath, {QString(), QDate(2024, 1, 1), QDate(2024, 12, 31)});
    std::vector<QByteArrayView> inFileOrder(size_t(s.lines.size()));
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < s.lines.size(); ++i) {
        inFileOrder[size_t(s.lines.addedAs(i))] = s.lines.bytes(i);
        bytes += s.lines.bytes(i).size();
    }
    for (auto _ : state) {
        state.PauseTiming();
        ListOrder::Lines lines;
        lines.reserve(qsizetype(inFileOrder.size()), bytes);
        for (const QByteArrayView line : inFileOrder)
            lines.append(line);
        state.ResumeTiming();
        lines.sort();
        benchmark::DoNotOptimize(lines.bytes(0).data());
    }
    state.counters["righe"] = double(inFileOrder.size());
}

void monthlyStats(benchmark::State &state)
{
    for (auto _ : state) {
        const auto s = MonthlyStats::compute(logPath, QStringLiteral("2024"));
        benchmark::DoNotOptimize(s.rounded);
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(logPath).size());
}

}

BENCHMARK(readFile)->Unit(benchmark::kMillisecond);
BENCHMARK(scanOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(summaryAllWorkersWholeYear)->Unit(benchmark::kMillisecond);
BENCHMARK(summaryOneWorkerQuarter)->Unit(benchmark::kMillisecond);
BENCHMARK(sortSummaryLines)->Unit(benchmark::kMillisecond);
BENCHMARK(monthlyStats)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    QTemporaryDir dir;
    logPath = dir.filePath(QStringLiteral("2024.lav"));
    QString error;
    if (!dir.isValid() || !ArchiveGenerator::writeWorks(logPath, 50000, 2024, 20240101, 150, &error)) {
        std::fprintf(stderr, "cannot write the year log: %s\n", qPrintable(error));
        return 1;
    }
    {
        ArchiveFile archive(logPath, WorkRecord::Size);
        QByteArray first;
        archive.openForReading();
        archive.readRecord(1, first);
        someCode = Record::load(WorkRecord::layout().field(WorkRecord::layout().indexOf("CodFisc")),
                                first.constData());
    }
    std::fprintf(stderr, "year log: %s, %lld bytes\n", qPrintable(logPath),
                 static_cast<long long>(QFileInfo(logPath).size()));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
