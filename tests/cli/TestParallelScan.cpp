// Whole-archive work on several threads gives, byte for byte, what one thread gives.
#include "cli/Cli.h"
#include "support/RecordFiles.h"

#include "archive/ArchiveScan.h"
#include "shell/ArchiveKinds.h"
#include "worklog/WorkRecord.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <numeric>
#include <optional>

namespace {

struct Run {
    int code;
    QString out, err;
    QByteArray file;   // what the command wrote, for the export
    bool operator==(const Run &o) const = default;
};

// Forces the thread count for as long as it lives.
struct Threads {
    explicit Threads(int n) { qputenv("VELTARO_THREADS", QByteArray::number(n)); }
    ~Threads() { qunsetenv("VELTARO_THREADS"); }
};

// Reads with read() instead of mapping the file, for as long as it lives.
struct Copied {
    Copied() { qputenv("VELTARO_MAP", "0"); }
    ~Copied() { qunsetenv("VELTARO_MAP"); }
};

Run cli(const QStringList &args, const QString &written = QString())
{
    QString out, err;
    QTextStream o(&out), e(&err);
    Cli::Io io{o, e};
    if (!written.isEmpty())
        QFile::remove(written);
    const int code = Cli::main(args, io);
    o.flush();
    e.flush();
    QByteArray file;
    if (!written.isEmpty()) {
        QFile f(written);
        if (f.open(QIODevice::ReadOnly))
            file = f.readAll();
    }
    return {code, out, err, file};
}

// Texts that the rules tell apart: names equal but for case (their lines compare equal, so
// their order is the file's), dates and totals that convert and ones that do not, amounts
// whose sum depends on the order they are added in, the marks of the summaries.
const QStringList Pool = {
    QString(), "Rossi", "ROSSI", "rossi", "Grossi", QString::fromUtf8("Èrcoli"), "Bianchi",
    "01/03/2017", "15/06/2017", "31/05/2017", "31/02/2017", "5/3/17", "20/12/2016", "10,50", "0,10",
    "1234567,89", "0,01", "abc", "No", "Si", WorkRecord::IncompletoSi, "0", "10", "RSSMRA80A01H501U",
    "BNCLCU75B02F205K", "Pulizia uffici", "Accoglienza & <ritiro>",
};

// An archive of `cards` cards of the kind the file name tells: most filled from the pool,
// some with a field's length byte past its width, some random bytes throughout, and a
// partial record at the end.
void writeArchive(const QString &path, int cards, quint32 seed)
{
    const RecordLayout &layout = *ArchiveKinds::forFile(path).layout;
    QRandomGenerator random(seed);
    QByteArray bytes;
    QList<Record> made;
    for (int c = 0; c < cards; ++c) {
        Record r(layout);
        if (!made.isEmpty() && random.bounded(4) == 0) {
            // An earlier card with its letters in the other case: its lines compare equal
            // to the earlier card's, and must come after them.
            r = made.at(int(random.bounded(quint32(made.size()))));
            for (int f = 0; f < layout.count(); ++f) {
                QString text = r.get(f);
                for (QChar &ch : text)
                    if (ch.unicode() < 128 && ch.isLetter())
                        ch = ch.isUpper() ? ch.toLower() : ch.toUpper();
                r.set(f, text);
            }
        } else if (random.bounded(5) == 0) {
            for (char &b : r.bytes())
                b = char(random.bounded(256));
        } else {
            for (int f = 0; f < layout.count(); ++f)
                r.set(f, Pool.at(int(random.bounded(quint32(Pool.size())))));
            const RecordLayout::Field &f = layout.field(int(random.bounded(quint32(layout.count()))));
            if (f.kind == FieldKind::Text && random.bounded(3) == 0)
                r.bytes()[f.offset] = char(f.width + 1 + int(random.bounded(quint32(255 - f.width))));
        }
        bytes += r.bytes();
        made << r;
    }
    bytes += QByteArray(layout.size() / 2, 'x');
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

}

class TestParallelScan : public QObject
{
    Q_OBJECT
private slots:
    void rangesCoverEveryRecordOnce()
    {
        for (const bool forced : {false, true})
            for (int threads = 1; threads <= 9; ++threads)
                for (const qint64 records : {0, 1, 2, 3, 7, 8, 9, 17, 1000, 5000}) {
                    const auto ranges = ArchiveScan::split(records, 2913, threads, forced);
                    QVERIFY(!ranges.empty());
                    qint64 next = 1;
                    for (const auto &r : ranges) {
                        QCOMPARE(r.first, next);
                        QVERIFY(r.count > 0 || records == 0);
                        next += r.count;
                    }
                    QCOMPARE(next, records + 1);
                    const qint64 wanted = forced ? std::max<qint64>(1, std::min<qint64>(threads, records))
                                                 : std::max<qint64>(1, std::min<qint64>(threads, records * 2913 / ArchiveScan::SmallestRange));
                    QCOMPARE(qint64(ranges.size()), wanted);
                }
    }

    // Stopping at a record keeps what came before it, on every thread count.
    void stoppingKeepsWhatCameBefore()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("2017.lav");
        writeArchive(path, 23, 7);
        for (const int threads : {1, 2, 3, 8, 23}) {
            const Threads forced(threads);
            for (const qint64 stop : {qint64(1), qint64(12), qint64(23)}) {
                const auto scan = ArchiveScan::parts<QVector<qint64>>(
                    path, WorkRecord::Size, [&](QVector<qint64> &seen, qint64 n, const char *) {
                        seen << n;
                        return n != stop;
                    });
                QVERIFY(scan.ok);
                QVector<qint64> seen;
                for (const auto &part : scan.parts)
                    seen += part;
                QVector<qint64> wanted(stop);
                std::iota(wanted.begin(), wanted.end(), 1);
                QCOMPARE(seen, wanted);
            }
            // The streamed ranges come in file order, their parts used over again, and a
            // refused one ends the reading.
            for (const int refusedAt : {3, 0}) {
                QVector<qint64> taken;
                int ranges = 0;
                const auto outcome = ArchiveScan::stream<QVector<qint64>>(
                    path, WorkRecord::Size, 3 * WorkRecord::Size,
                    [](QVector<qint64> &seen, qint64 n, const char *) {
                        seen << n;
                        return true;
                    },
                    [&](QVector<qint64> &seen) {
                        taken += seen;
                        seen.clear();
                        return ++ranges != refusedAt;
                    });
                QVERIFY(outcome.ok);
                QCOMPARE(outcome.taken, refusedAt == 0);
                if (refusedAt)
                    QCOMPARE(ranges, refusedAt);
                else
                    QCOMPARE(taken.size(), 23);
                QCOMPARE(taken.first(), 1);
                for (qsizetype i = 1; i < taken.size(); ++i)
                    QCOMPARE(taken.at(i), taken.at(i - 1) + 1);
            }
        }
    }

    // A range that cannot be read to its end ends the scan there, as one thread would: the
    // ranges before it whole, its own records up to the failure, none after it.
    void aFailedRangeEndsTheScan_data()
    {
        QTest::addColumn<bool>("mapped");
        QTest::newRow("mapped") << true;
        QTest::newRow("read") << false;
    }
    void aFailedRangeEndsTheScan()
    {
        QFETCH(bool, mapped);
        QTemporaryDir dir;
        const QString path = dir.filePath("2017.lav");
        writeArchive(path, 600, 3);
        std::optional<Copied> copied;
        if (!mapped)
            copied.emplace();
        const Threads forced(3);   // records 1-200, 201-400, 401-600
        // Cut the file inside the second range, right after the first 256 KiB chunk it reads.
        const qint64 cut = 200 + (256 << 10) / WorkRecord::Size;
        const auto scan = ArchiveScan::parts<QVector<qint64>>(
            path, WorkRecord::Size, [&](QVector<qint64> &seen, qint64 n, const char *) {
                if (n == 201)
                    QFile::resize(path, cut * WorkRecord::Size);
                seen << n;
                return true;
            });
        QVERIFY(!scan.ok);
        QVERIFY(!scan.error.isEmpty());
        QCOMPARE(scan.parts.size(), size_t(2));
        QVector<qint64> seen;
        for (const auto &part : scan.parts)
            seen += part;
        QVector<qint64> wanted(cut);
        std::iota(wanted.begin(), wanted.end(), 1);
        QCOMPARE(seen, wanted);
    }

    // A mapped file cut short while a record is being read (another program replaced it)
    // does not bring the process down: the scan ends there, as a short read would.
    void aPageVanishingUnderTheMappingIsAFailedRead()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("2017.lav");
        writeArchive(path, 300, 9);
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            if (!ArchiveMapping(file.handle(), file.size()).data())
                QSKIP("this file system is read with read(), not mapped");
        }
        const Threads forced(1);
        qint64 sum = 0;
        const auto scan = ArchiveScan::parts<QVector<qint64>>(
            path, WorkRecord::Size, [&](QVector<qint64> &seen, qint64 n, const char *record) {
                if (n == 2)
                    QFile::resize(path, WorkRecord::Size);   // only the first card is left
                for (int i = 0; i < WorkRecord::Size; ++i)   // every byte, as a reader might
                    sum += record[i];
                seen << n;
                return true;
            });
        QVERIFY(sum != std::numeric_limits<qint64>::min());
        QVERIFY(!scan.ok);
        QVERIFY(!scan.error.isEmpty());
        QCOMPARE(scan.parts.size(), size_t(1));
        QCOMPARE(scan.parts.front(), QVector<qint64>({1, 2}));
    }

    // The pages of a mapped archive are let go as the reading goes: the process does not
    // grow to the size of the file.
    void aMappedArchiveDoesNotStayInMemory()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("2017.lav");
        constexpr qint64 Records = 16000;   // 46 MB
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            const QByteArray block(WorkRecord::Size * 100, '\1');
            for (qint64 written = 0; written < Records; written += 100)
                QCOMPARE(file.write(block), block.size());
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        if (!ArchiveMapping(file.handle(), file.size()).data())
            QSKIP("this file system is read with read(), not mapped");
        const auto fileResident = [] {   // kB of mapped files in this process's memory
            QFile status(QStringLiteral("/proc/self/status"));
            if (!status.open(QIODevice::ReadOnly))
                return qint64(-1);
            for (const QByteArray &line : status.readAll().split('\n'))
                if (line.startsWith("RssFile:"))
                    return line.mid(8).trimmed().split(' ').first().toLongLong();
            return qint64(-1);
        };
        const qint64 before = fileResident();
        if (before < 0)
            QSKIP("no /proc/self/status here");
        for (const int threads : {1, 2}) {
            const Threads forced(threads);
            std::atomic<qint64> grown{0};
            const auto scan = ArchiveScan::parts<int>(path, WorkRecord::Size, [&](int &sum, qint64 n, const char *record) {
                sum += record[0];
                if (n % 1000 == 0)
                    grown = std::max(grown.load(), fileResident() - before);
                return true;
            });
            QVERIFY(scan.ok);
            QVERIFY2(grown < 16 * 1024, qPrintable(QStringLiteral("%1 kB of the file stayed mapped").arg(grown.load())));
        }
    }

    // When no thread can be started (here every thread's stack is bigger than the memory the
    // process may map), the work is done on the calling thread, the same.
    void noThreadToBeHadIsNoFailure()
    {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
        QSKIP("a sanitized program reserves more address space than the limit below allows");
#endif
        QTemporaryDir dir;
        const QString log = dir.filePath("2017.lav"), exported = dir.filePath("Lavori.xls");
        writeArchive(log, 40, 5);
        const QStringList summary{"riepilogo", log, "--dal=01/01/2017", "--al=31/12/2017"};
        Run one;
        {
            const Threads forced(1);
            one = cli(summary);
        }
        const QStringList limited{"-c", "ulimit -s 4000000 && ulimit -v 3000000 && exec \"$0\" \"$@\"",
                                  QStringLiteral(VELTARO_CLI_PATH)};
        QProcess program;
        program.setProgram(QStringLiteral("/bin/sh"));
        program.setArguments(limited + summary);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VELTARO_THREADS"), QStringLiteral("4"));
        program.setProcessEnvironment(env);
        program.start();
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), one.code);
        QCOMPARE(QString::fromUtf8(program.readAllStandardOutput()), one.out);

        program.setArguments(limited + QStringList{"esporta", log, "--file=" + exported});
        program.start();
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitCode(), 0);
        QFile file(exported);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray streamed = file.readAll();
        file.close();
        {
            const Threads forced(1);
            QCOMPARE(cli(QStringList{"esporta", log, "--file=" + exported}, exported).file, streamed);
        }
    }

    void everyCommandGivesWhatOneThreadGives_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("args");   // ARCHIVE and EXPORT stand for the paths
        const QStringList verifica{"verifica", "ARCHIVE"}, everything{"trova", "ARCHIVE"},
            filtered{"trova", "ARCHIVE", "--Nome=ross"}, esporta{"esporta", "ARCHIVE", "--file=EXPORT"};
        for (const QString file : {"Dipendenti.pro", "Orari.pro", "2017.ore", "2017.set", "2017.prg", "2017.lav"}) {
            const QByteArray name = file.toLatin1();
            QTest::addRow("%s verifica", name.constData()) << file << verifica;
            QTest::addRow("%s trova", name.constData()) << file << everything;
            QTest::addRow("%s trova filtrato", name.constData()) << file << filtered;
            if (file != QLatin1String("2017.set"))   // weekly tables have no worksheet
                QTest::addRow("%s esporta", name.constData()) << file << esporta;
        }
        QTest::newRow("scadenze") << "Dipendenti.pro" << QStringList{"scadenze", "ARCHIVE", "--oggi=15/06/2017"};
        QTest::newRow("scaduti") << "2017.prg" << QStringList{"scaduti", "ARCHIVE", "--oggi=15/06/2017"};
        QTest::newRow("incompleti") << "2017.lav" << QStringList{"incompleti", "ARCHIVE"};
        QTest::newRow("riepilogo") << "2017.lav"
                                   << QStringList{"riepilogo", "ARCHIVE", "--dal=01/01/2017", "--al=31/12/2017"};
        QTest::newRow("riepilogo un lavoratore")
            << "2017.lav" << QStringList{"riepilogo", "ARCHIVE", "--dal=01/01/2017", "--al=31/12/2017", "--cf=rss"};
        QTest::newRow("statistiche") << "2017.lav" << QStringList{"statistiche", "ARCHIVE"};
    }

    // Every range boundary is tried: with as many threads as cards each card is a range. One
    // thread copies the file with read(), the others read it mapped where the file system allows.
    void everyCommandGivesWhatOneThreadGives()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, args);
        QTemporaryDir dir;
        const QString archive = dir.filePath(file), exported = dir.filePath("export.xls");
        args.replaceInStrings(QStringLiteral("ARCHIVE"), archive);
        args.replaceInStrings(QStringLiteral("EXPORT"), exported);
        const QString written = args.first() == QLatin1String("esporta") ? exported : QString();
        for (const int cards : {0, 1, 2, 13, 40}) {
            writeArchive(archive, cards, quint32(cards) + 11);
            Run one;
            {
                const Threads forced(1);
                const Copied copied;
                one = cli(args, written);
            }
            QVERIFY2(one.code != 2, qPrintable(one.err));
            for (const int threads : {2, 3, 8, cards}) {
                if (threads < 2)
                    continue;
                const Threads forced(threads);
                const Run many = cli(args, written);
                QVERIFY2(many == one, qPrintable(QStringLiteral("%1 cards, %2 threads:\n%3\n---\n%4")
                                                     .arg(cards).arg(threads).arg(many.out, one.out)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestParallelScan)
#include "TestParallelScan.moc"
