// Search and sort over a generated worker archive, against reading the file once.
//   find_bench [--cards=N] [--keep=FILE] plus the usual --benchmark_* options, e.g.
//   find_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
#include "archive/FindEngine.h"
#include "workers/WorkerFind.h"
#include "workers/WorkerRecord.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <unistd.h>

namespace {

int cards = 20000;
constexpr qsizetype ScreenRows = 50;
QString archivePath;

// A seeded archive of plausible cards: names drawn from short lists, so that filters find
// a realistic share of them, and long free-text fields as users fill them.
void generate(const QString &path, int count)
{
    // Surnames from stems and endings (a few hundred, as in a large registry), first names
    // from a short list: most names recur a few times, as they do in real registers.
    static const char *const stems[] = {"Ross", "Russ", "Ferr", "Espos", "Bianch", "Rom", "Colomb", "Ricc",
                                        "Marin", "Grec", "Brun", "Gall", "Cont", "De Luc", "Mancin", "Cost",
                                        "Giord", "Rizz", "Lombard", "Morett", "Gross", "Barbier", "Font",
                                        "Santor", "Marian", "Rinald", "Carus", "Leon", "Long", "Gentil",
                                        "Martinell", "Vitál", "Serr", "Coppol", "De Angel", "D'Amic"};
    static const char *const endings[] = {"i", "o", "a", "elli", "etti", "ini", "oni", "ucci", "ato", "ese"};
    static const char *const names[] = {"Mario", "Luca", "Giulia", "Francesca", "Marco", "Anna", "Paolo", "Sara",
                                        "Andrea", "Chiara", "Giuseppe", "Elena", "Nicolò", "Lucia", "Matteo",
                                        "Alessandro", "Federica", "Davide", "Valentina", "Simone", "Martina",
                                        "Stefano", "Silvia", "Lorenzo", "Roberta", "Fabio", "Ilaria", "Michele",
                                        "Laura", "Antonio", "Giorgia", "Riccardo", "Serena", "Emanuele", "Alessia",
                                        "Daniele", "Paola", "Tommaso", "Beatrice", "Gabriele"};
    static const char *const jobs[] = {"Istruttore", "Educatore", "Animatore", "Segreteria", "Tecnico",
                                       "Coordinatore", "Custode"};
    std::mt19937 rng(20170531);
    const auto pick = [&](const auto &list) { return QString::fromUtf8(list[rng() % std::size(list)]); };
    const auto digits = [&](int n) {
        QString s;
        for (int i = 0; i < n; ++i)
            s += QChar('0' + int(rng() % 10));
        return s;
    };
    const auto words = [&](int n) {
        static const char *const w[] = {"disponibile", "lunedì", "mercoledì", "venerdì", "mattina", "pomeriggio",
                                        "sera", "patente", "B", "auto", "propria", "tuta", "scarpe", "badge",
                                        "chiavi", "corso", "sicurezza", "primo", "soccorso", "aggiornato"};
        QString s;
        for (int i = 0; i < n; ++i)
            s += QString::fromUtf8(w[rng() % std::size(w)]) + QLatin1Char(' ');
        return s;
    };
    Record r(WorkerRecord::layout());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    QByteArray all;
    all.reserve(qsizetype(count) * r.bytes().size());
    for (int i = 0; i < count; ++i) {
        r.bytes().fill('\0');
        r.set("Cognome", pick(stems) + pick(endings));
        r.set("Nome", pick(names));
        r.set("CodFisc", QStringLiteral("RSSMRA%1A01H501Z").arg(digits(2)));
        r.set("Iva", digits(11));
        r.set("Recapito", QStringLiteral("3%1").arg(digits(9)));
        r.set("Codice", pick(jobs));
        r.set("Categoria", QStringLiteral("Cat. %1").arg(rng() % 5));
        r.set("Familiari", words(12));
        r.set("Prodotti", words(8));
        r.set("Acquisto", rng() % 2 ? QStringLiteral("Tempo determinato") : QStringLiteral("Collaborazione"));
        r.set("Note", words(20));
        r.set("Qualifiche", words(15));
        r.set("Scadenza", QStringLiteral("%1/%2/20%3").arg(1 + rng() % 28, 2, 10, QLatin1Char('0'))
                              .arg(1 + rng() % 12, 2, 10, QLatin1Char('0')).arg(15 + rng() % 6));
        r.set("Preavviso", QString::number(rng() % 60));
        r.set("Totale", QStringLiteral("1200,00"));
        r.set("Rata", QStringLiteral("100,00"));
        for (const char *a : {"File01", "Desc01"})
            r.set(a, QStringLiteral("/home/ufficio/documenti/contratti/") + words(4));
        all += r.bytes();
    }
    f.write(all);
}

void readFile(benchmark::State &state)
{
    std::vector<char> buffer(128 << 10);
    for (auto _ : state) {
        const int fd = ::open(QFile::encodeName(archivePath).constData(), O_RDONLY);
        qint64 total = 0;
        for (ssize_t r; (r = ::read(fd, buffer.data(), buffer.size())) > 0;)
            total += r;
        ::close(fd);
        benchmark::DoNotOptimize(total);
    }
}

void search(benchmark::State &state, const QVector<QPair<QString, QString>> &typed)
{
    const RecordLayout &layout = WorkerRecord::layout();
    QVector<Find::Filter> filters;
    for (const auto &[field, text] : typed)
        filters.append({layout.indexOf(field), text});
    qsizetype listed = 0;
    for (auto _ : state) {
        const Find::Listing l = Find::search(archivePath, layout, filters, WorkerFind::line());
        if (!l.ok)
            state.SkipWithError("archive not readable");
        listed = l.lines.size();
        // The list turns into text only the rows on screen: count a screenful of them.
        for (qsizetype i = 0; i < std::min<qsizetype>(listed, ScreenRows); ++i)
            benchmark::DoNotOptimize(l.lines.at(i));
    }
    state.counters["lines"] = double(listed);
}

void allCards(benchmark::State &state) { search(state, {}); }
void surname(benchmark::State &state) { search(state, {{"Cognome", "ross"}}); }
void threeFilters(benchmark::State &state)
{
    search(state, {{"Cognome", "R"}, {"Note", "sicurezza"}, {"Familiari", "Sera "}});
}
void notesFilter(benchmark::State &state) { search(state, {{"Note", "xyz"}}); }
void contracts(benchmark::State &state)
{
    for (auto _ : state) {
        const WorkerFind::Expiring e = WorkerFind::expiring(archivePath, QDate(2017, 5, 31));
        for (qsizetype i = 0; i < std::min<qsizetype>(e.listing.lines.size(), ScreenRows); ++i)
            benchmark::DoNotOptimize(e.listing.lines.at(i));
    }
}

}

// With repetitions, "min" is the figure to compare on a machine shared with other work.
double fastest(const std::vector<double> &v)
{
    return *std::min_element(v.begin(), v.end());
}
#define FIND_BENCHMARK(f) BENCHMARK(f)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest)
FIND_BENCHMARK(readFile);
FIND_BENCHMARK(allCards);
FIND_BENCHMARK(surname);
FIND_BENCHMARK(threeFilters);
FIND_BENCHMARK(notesFilter);
FIND_BENCHMARK(contracts);

int main(int argc, char **argv)
{
    QString keep;
    std::vector<char *> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--cards=", 8) == 0)
            cards = std::atoi(argv[i] + 8);
        else if (std::strncmp(argv[i], "--keep=", 7) == 0)
            keep = QString::fromLocal8Bit(argv[i] + 7);
        else
            rest.push_back(argv[i]);
    }
    QTemporaryDir dir;
    archivePath = keep.isEmpty() ? dir.filePath(WorkerRecord::fileName()) : keep;
    generate(archivePath, cards);
    int n = int(rest.size());
    benchmark::Initialize(&n, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
