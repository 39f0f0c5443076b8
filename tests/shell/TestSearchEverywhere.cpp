#include "shell/SearchEverywhere.h"
#include "cli/Cli.h"
#include "framework/Clock.h"
#include "projects/ProjectRecord.h"
#include "schedules/ScheduleRecord.h"
#include "shifts/DailyShiftRecord.h"
#include "shifts/WeeklyShiftRecord.h"
#include "support/CliRun.h"
#include "support/RecordFiles.h"
#include "workers/WorkerRecord.h"
#include "worklog/WorkRecord.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {
using CliRun::Run;
using CliRun::cli;
}

// One search over every archive of the data folder, from the command line.
class TestSearchEverywhere : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void initTestCase()
    {
        Clock::setToday(QDate(2024, 6, 1));
        using RecordFiles::make;
        QByteArray damaged = make(WorkerRecord::layout(), {{"Cognome", "Rossi"}}).bytes();
        damaged[0] = char(60);   // a surname longer than its 50 characters
        Record broken(WorkerRecord::layout());
        broken.bytes() = damaged;
        QVERIFY(RecordFiles::write(dir.filePath("Dipendenti.pro"),
                                   {make(WorkerRecord::layout(), {{"Cognome", "Rossi"}, {"Nome", "Mario"}}),
                                    make(WorkerRecord::layout(), {{"Cognome", "Bianchi"}, {"Note", "amico di ROSSI"}}),
                                    broken, make(WorkerRecord::layout(), {{"Cognome", "Verdi"}})}));
        QVERIFY(RecordFiles::write(dir.filePath("Orari.pro"), {make(ScheduleRecord::layout(), {{"Nome", "Turno Rossi"}})}));
        QVERIFY(RecordFiles::write(dir.filePath("2024.ore"),
                                   {make(DailyShiftRecord::layout(), {{"Nome", "Lunedì"}, {"Lavoratore01", "Neri, Rossi Mario"}})}));
        // The reserved area no screen shows: neither its text nor its length counts.
        Record reservedText = make(WeeklyShiftRecord::layout(), {{"Nome", "Terza"}, {"Riservato", "Rossi"}});
        Record reservedNoise = make(WeeklyShiftRecord::layout(), {{"Nome", "Quarta"}, {"Riservato", "Rossi"}});
        reservedNoise.bytes()[WeeklyShiftRecord::layout().field(WeeklyShiftRecord::layout().indexOf("Riservato")).offset] = char(200);
        QVERIFY(RecordFiles::write(dir.filePath("2024.set"),
                                   {make(WeeklyShiftRecord::layout(), {{"Nome", "Settimana"}}),
                                    make(WeeklyShiftRecord::layout(), {{"Nome", "Altra"}, {"Lun01", "Rossi M."}}),
                                    reservedText, reservedNoise}));
        QVERIFY(RecordFiles::write(dir.filePath("2024.prg"), {make(ProjectRecord::layout(), {{"Nome", "Sito"}, {"Responsabile", "rossi"}})}));
        QVERIFY(RecordFiles::write(dir.filePath("2023.lav"), {make(WorkRecord::layout(), {{"Cognome", "Verdi"}})}));
        QVERIFY(RecordFiles::write(dir.filePath("2024.lav"),
                                   {make(WorkRecord::layout(), {{"Cognome", "Verdi"}}),
                                    make(WorkRecord::layout(), {{"Cognome", "Rossi"}, {"Note", "Rossi"}})}));
        // Not archives: another file, a year log not named by a year, the backups.
        QFile other(dir.filePath("rossi.txt"));
        QVERIFY(other.open(QIODevice::WriteOnly) && other.write("rossi") == 5);
        QVERIFY(QFile::copy(dir.filePath("2024.lav"), dir.filePath("vecchio.lav")));
        QVERIFY(QDir(dir.path()).mkpath("Backup/2024-01-01_000000"));
        QVERIFY(QFile::copy(dir.filePath("2024.lav"), dir.filePath("Backup/2024-01-01_000000/2024.lav")));
    }

    void findsInEveryArchive()
    {
        const Run r = cli({"cerca", "rOSs", "--cartella", dir.path()});
        QCOMPARE(r.code, 0);
        QStringList where;
        for (const QString &line : r.out.split('\n', Qt::SkipEmptyParts))
            where << line.section('\t', 0, 2);
        QCOMPARE(where, (QStringList{"2024.lav\t2\tCognome", "2024.ore\t1\tLavoratore01", "2024.prg\t1\tResponsabile",
                                     "2024.set\t2\tLun01", "Dipendenti.pro\t1\tCognome", "Dipendenti.pro\t2\tNote",
                                     "Orari.pro\t1\tNome"}));
        // Each line is the card's line in its own find.
        for (const QString &line : r.out.split('\n', Qt::SkipEmptyParts)) {
            const QString file = line.section('\t', 0, 0);
            const Run listed = cli({"trova", dir.filePath(file)});
            QVERIFY2(listed.out.split('\n').contains(line.section('\t', 3)), qPrintable(line));
        }
        QCOMPARE(r.err, QString("Attenzione: 1 scheda danneggiata non è stata considerata nella ricerca (Dipendenti.pro: 3).\n"));
        // The same from the core, with the archives in words.
        const SearchEverywhere::Result found = SearchEverywhere::search(dir.path(), "rOSs");
        QCOMPARE(found.hits.size(), 7);
        QCOMPARE(found.archives.at(found.hits.first().archive).title, QString("Registro lavori 2024"));
        QCOMPARE(found.archives.at(found.hits.last().archive).title, QString("Orari"));
    }

    void refusalsAndNothingFound_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("out");
        QTest::newRow("nothing matches") << QStringList{"Gialli"} << 0 << QString();
        QTest::newRow("not in the code page") << QStringList{"R\u2713"} << 0 << QString();
        QTest::newRow("one character") << QStringList{"R"} << 2 << QString();
        QTest::newRow("no text") << QStringList{} << 2 << QString();
        QTest::newRow("unknown option") << QStringList{"Rossi", "--anno=2024"} << 2 << QString();
        QTest::newRow("no such folder") << QStringList{"Rossi", "--cartella=/nessuna/cartella"} << 3 << QString();
    }
    void refusalsAndNothingFound()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, out);
        if (!args.join(' ').contains("--cartella"))
            args << "--cartella" << dir.path();
        const Run r = cli(QStringList{"cerca"} + args);
        QCOMPARE(r.code, code);
        QCOMPARE(r.out, out);
        if (code != 0)
            QVERIFY(r.err.startsWith("veltaro-cli cerca: "));
    }
};

QTEST_GUILESS_MAIN(TestSearchEverywhere)
#include "TestSearchEverywhere.moc"
