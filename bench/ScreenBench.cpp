// The screen path of whole-archive work, without a display: from the command that starts it
// to the list model filled, beside reading the same file once on one thread, in the same
// process. Times are on the wall clock (the work runs on every core), with the processor time
// of the process (user and system, all threads) beside them. Each round reads the file and
// then does the work, so that both meet the same moment of the machine's load; the ratio
// quoted is the median of the rounds' ratios.
//   screen_bench LOG.lav Dipendenti.pro [RUNS]   medians, in ms, and the ratio to the read
//   screen_bench --riepilogo LOG.lav             shows the whole-year pay summary once (memory)
#include "archive/ResultList.h"
#include "compensation/PaySummaryScreen.h"
#include "framework/Dialogs.h"
#include "framework/ProgramFormats.h"
#include "shell/ScreenRegistry.h"
#include "workers/WorkerFindScreen.h"

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

double clockMs(clockid_t clock)
{
    timespec t;
    ::clock_gettime(clock, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Timing {
    double wall;         // medians, in ms
    double cpu;
    double readWall;
    double ratio;        // median of work / read, round by round
};

// One warm-up round, then runs rounds of the read followed by the work.
Timing rounds(int runs, const std::function<void()> &read, const std::function<void()> &work)
{
    std::vector<double> wall, cpu, readWall, ratio;
    const auto timed = [](const std::function<void()> &f, double &w, double &c) {
        const double w0 = clockMs(CLOCK_MONOTONIC), c0 = clockMs(CLOCK_PROCESS_CPUTIME_ID);
        f();
        w = clockMs(CLOCK_MONOTONIC) - w0;
        c = clockMs(CLOCK_PROCESS_CPUTIME_ID) - c0;
    };
    for (int i = -1; i < runs; ++i) {
        double rw, rc, ww, wc;
        timed(read, rw, rc);
        timed(work, ww, wc);
        if (i < 0)
            continue;
        readWall.push_back(rw);
        wall.push_back(ww);
        cpu.push_back(wc);
        ratio.push_back(ww / rw);
    }
    return {median(wall), median(cpu), median(readWall), median(ratio)};
}

// The file read once in 128 KiB blocks, as cat reads it.
void readOnce(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    static char block[128 << 10];
    while (::read(fd, block, sizeof block) > 0) {
    }
    ::close(fd);
}

PaySummaryScreen::Request wholeYear(const QString &log, const QString &codFisc = QString())
{
    const QString year = QFileInfo(log).completeBaseName();
    return {log, codFisc, QStringLiteral("01/01/") + year, QStringLiteral("31/12/") + year,
            QDate(year.toInt(), 1, 1), QDate(year.toInt(), 12, 31)};
}

// "Visualizza riepilogo": the view is made and shown, and builds its list on show.
int paySummary(const PaySummaryScreen::Request &request)
{
    PaySummaryScreen view(request);
    view.show();
    const int rows = view.list()->count();
    view.close();
    return rows;
}

// "Cerca" on the worker find screen with the surname filter.
int workerFind(const QString &workers, const QString &surname)
{
    FindScreen find(WorkerFindScreen::definition());
    find.setArchivePath(workers);
    find.show();
    find.filterBox(0)->setText(surname);
    find.search();
    const int rows = find.resultPanel()->list()->count();
    find.close();
    return rows;
}

}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    applyProgramFormats();
    Dialogs::Test::setEnabled(true);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("--riepilogo")) {
        std::printf("%d righe\n", paySummary(wholeYear(args[1])));
        return 0;
    }
    if (args.size() < 2) {
        std::fputs("uso: screen_bench ANNO.lav Dipendenti.pro [RIPETIZIONI]\n"
                   "     screen_bench --riepilogo ANNO.lav\n", stderr);
        return 2;
    }
    const QString log = args[0], workers = args[1];
    const int runs = args.size() > 2 ? std::max(1, args[2].toInt()) : 15;

    int rows = 0;
    const auto report = [&](const char *what, const QString &file, const std::function<void()> &work) {
        const Timing t = rounds(runs, [&] { readOnce(file); }, work);
        std::printf("  %-40s %7.1f ms   /lettura %.2f   (lettura %.1f ms, processore %.1f ms, %d righe)\n", what,
                    t.wall, t.ratio, t.readWall, t.cpu, rows);
    };
    std::printf("== %s, %d giri\n", qPrintable(QFileInfo(log).fileName()), runs);
    report("riepilogo compensi, anno intero", log, [&] { rows = paySummary(wholeYear(log)); });
    report("riepilogo compensi, un C.F. assente", log, [&] { rows = paySummary(wholeYear(log, "ZZZZ")); });
    std::printf("== %s, %d giri\n", qPrintable(QFileInfo(workers).fileName()), runs);
    report("trova lavoratori, Cognome ross", workers, [&] { rows = workerFind(workers, "ross"); });
    return 0;
}
