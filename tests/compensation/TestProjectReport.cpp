#include "cli/Cli.h"
#include "compensation/ProjectReport.h"
#include "framework/Clock.h"
#include "support/CliRun.h"
#include "support/RecordFiles.h"
#include "worklog/WorkRecord.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <map>

namespace {
using CliRun::Run;
using CliRun::cli;
Record work(const RecordFiles::Fields &f) { return RecordFiles::make(WorkRecord::layout(), f); }
}

// What a project has cost, from the work log: by worker, by month and in all, in exact
// hundredths; the command line's lines against sums made here independently.
class TestProjectReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Clock::setToday(QDate(2024, 12, 1)); }

    void amountsInHundredths_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("hundredths");
        QTest::addColumn<bool>("reads");
        QTest::newRow("comma") << "12,50" << qint64(1250) << true;
        QTest::newRow("whole") << "8" << qint64(800) << true;
        QTest::newRow("four decimals round") << "10,3350" << qint64(1034) << true;
        QTest::newRow("negative") << "-2,05" << qint64(-205) << true;
        QTest::newRow("empty") << "" << qint64(0) << false;
        QTest::newRow("words") << "otto" << qint64(0) << false;
    }
    void amountsInHundredths()
    {
        QFETCH(QString, text);
        QFETCH(qint64, hundredths);
        QFETCH(bool, reads);
        const auto v = ProjectReport::storedHundredths(text.toLatin1());
        QCOMPARE(bool(v), reads);
        if (reads) {
            QCOMPARE(*v, hundredths);
            QCOMPARE(ProjectReport::hundredths(*v), text.contains(',') && text.section(',', 1).size() == 2
                                                        ? text
                                                        : ProjectReport::hundredths(hundredths));
        }
        QCOMPARE(ProjectReport::hundredths(123456), QString("1234,56"));
        QCOMPARE(ProjectReport::hundredths(5), QString("0,05"));
        QCOMPARE(ProjectReport::percentOf(250, 1000), QString("25,0"));
        QCOMPARE(ProjectReport::percentOf(1, 3), QString("33,3"));
        QCOMPARE(ProjectReport::percentOf(1, 0), QString());
    }

    void commandLineAgainstSumsMadeHere()
    {
        QTemporaryDir dir;
        const QString log = dir.filePath("2024.lav");
        QVector<Record> cards;
        struct Expected {
            int works = 0;
            qint64 hours = 0, due = 0;
        };
        std::map<QString, Expected> byWorker, byMonth;
        Expected total;
        auto *random = QRandomGenerator::global();
        const QStringList workers = {"RSSMRA80A01H501U|Rossi|Mario", "BNCLCU75B02F205X|Bianchi|Luca",
                                     "VRDANN90C43L219K|Verdi|Anna"};
        const QStringList codes = {"PRG-7", " prg-7 ", "PRG-8", "", "prg-7"};
        for (int i = 0; i < 400; ++i) {
            const QStringList w = workers.at(random->bounded(workers.size())).split('|');
            const QString code = codes.at(random->bounded(codes.size()));
            const QDate date(2024, 1 + random->bounded(12), 1 + random->bounded(28));
            const qint64 hours = random->bounded(1, 1000), due = random->bounded(0, 500000);
            const QString hoursText = QString("%1,%2").arg(hours / 100).arg(hours % 100, 2, 10, QChar('0'));
            const QString dueText = QString("%1,%2").arg(due / 100).arg(due % 100, 2, 10, QChar('0'));
            cards << work({{"CodFisc", w[0]}, {"Cognome", w[1]}, {"Nome", w[2]}, {"Data", date.toString("dd/MM/yyyy")},
                           {"TotOre", hoursText}, {"TotDovuto", dueText}, {"CodiceProg", code}});
            if (code.trimmed().toUpper() != "PRG-7")
                continue;
            for (Expected *e : {&byWorker[w[1] + " " + w[2]], &byMonth[date.toString("yyyy/MM")], &total}) {
                ++e->works;
                e->hours += hours;
                e->due += due;
            }
        }
        // A card of the project whose amount does not read, and one of another project that is bad too.
        cards << work({{"CodFisc", "RSSMRA80A01H501U"}, {"Data", "03/03/2024"}, {"TotOre", "1,00"},
                       {"TotDovuto", "tanti"}, {"CodiceProg", "PRG-7"}});
        cards << work({{"Data", "03/03/2024"}, {"TotDovuto", "tanti"}, {"CodiceProg", "PRG-9"}});
        QVERIFY(RecordFiles::write(log, cards));

        const Run r = cli({"rendiconto", log, "--codice", "Prg-7"});
        QCOMPARE(r.code, 0);
        QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.takeFirst(), QString("Rendiconto del progetto Prg-7"));
        const auto sums = [](const Expected &e) {
            return QString("%1\t%2\t%3").arg(e.works).arg(ProjectReport::hundredths(e.hours), ProjectReport::hundredths(e.due));
        };
        QStringList expected;
        std::map<QString, QString> workerLines;
        for (const QString &w : workers) {
            const QStringList p = w.split('|');
            const auto it = byWorker.find(p[1] + " " + p[2]);
            if (it != byWorker.end())
                workerLines[p[1] + " " + p[2]] = QString("LAVORATORE\t%1\t%2 %3\t").arg(p[0], p[1], p[2]) + sums(it->second);
        }
        for (const auto &[name, line] : workerLines)
            expected << line;
        for (const auto &[month, e] : byMonth)
            expected << QString("MESE\t%1/%2\t").arg(month.section('/', 1), month.section('/', 0, 0)) + sums(e);
        expected << QString("TOTALE\t%1\t%2").arg(ProjectReport::hundredths(total.hours), ProjectReport::hundredths(total.due));
        QCOMPARE(lines, expected);
        QVERIFY2(r.err.contains("1 scheda dell'archivio non è stata considerata nel rendiconto")
                     && r.err.contains(QString::number(cards.size() - 1)),
                 qPrintable(r.err));

        // An interval keeps only its works; a code no work carries gives the heading and zeros.
        const Run march = cli({"rendiconto", log, "--codice=PRG-7", "--dal=01/03/2024", "--al=31/03/2024"});
        QCOMPARE(march.code, 0);
        const auto m = byMonth.find("2024/03");
        QVERIFY(march.out.endsWith(QString("TOTALE\t%1\t%2\n").arg(ProjectReport::hundredths(m->second.hours),
                                                                    ProjectReport::hundredths(m->second.due))));
        const Run none = cli({"rendiconto", log, "--codice=NESSUNO"});
        QCOMPARE(none.out, QString("Rendiconto del progetto NESSUNO\nTOTALE\t0,00\t0,00\n"));
    }

    // Cards of the project the report cannot trust are left out, each under its own reason
    // and with its log, and the command line counts them; a damaged amount is the one
    // `verifica` calls damaged.
    void cardsLeftOutNameReasonAndLog()
    {
        QTemporaryDir dir;
        const auto card = [](const char *date, const char *hours, const char *due) {
            return work({{"CodFisc", "RSSMRA80A01H501U"}, {"Cognome", "Rossi"}, {"Data", date}, {"TotOre", hours},
                         {"TotDovuto", due}, {"CodiceProg", "PRG-7"}});
        };
        // A length byte of 255 over "5,00" and more digits: read up to the width, 5,0077...
        Record damaged = card("05/01/2024", "1,00", "5,00");
        const int due = WorkRecord::layout().field(WorkRecord::layout().indexOf("TotDovuto")).offset;
        damaged.bytes()[due] = char(255);
        damaged.bytes().replace(due + 5, 11, QByteArray(11, '7'));
        QVERIFY(RecordFiles::write(dir.filePath("2023.lav"),
                                   {card("10/12/2023", "2,00", "40,00"), card("11/12/2023", "due", "30,00")}));
        QVERIFY(RecordFiles::write(dir.filePath("2024.lav"),
                                   {card("32/01/2024", "1,00", "9,00"), damaged, card("06/01/2024", "1,50", "tanti"),
                                    card("07/01/2024", "1,00", "20,00")}));
        const ProjectReport::Report report =
            ProjectReport::build({{dir.filePath("2023.lav"), dir.filePath("2024.lav")}, "prg-7", {}, {}});
        QVERIFY(report.ok);
        QCOMPARE(report.logsRead, (QStringList{"2023.lav", "2024.lav"}));
        QCOMPARE(report.total.works, 2);
        QCOMPARE(report.total.due, qint64(6000));
        QCOMPARE(report.total.hours, qint64(300));
        const QString notice = Compensation::skippedNotice(report.skipped, "rendiconto");
        QCOMPARE(notice, QString::fromUtf8("Attenzione: 4 schede dell'archivio non sono state considerate nel rendiconto."
                                           "\n\r\n\rScheda danneggiata (un campo oltre la sua larghezza): 2024.lav scheda n. 2."
                                           "\n\rData della prestazione non valida: 2024.lav scheda n. 1."
                                           "\n\rTotale ore non valido: 2023.lav scheda n. 2."
                                           "\n\rTotale dovuto non valido: 2024.lav scheda n. 3."
                                           "\n\r\n\rCorreggere le schede indicate nella schermata di registrazione dei lavori."));

        // The command line leaves the same card out, counts it, and `verifica` names it.
        const Run r = cli({"rendiconto", dir.filePath("2024.lav"), "--codice=PRG-7"});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.endsWith("TOTALE\t1,00\t20,00\n"), qPrintable(r.out));
        QVERIFY2(r.err.contains("3 schede dell'archivio non sono state considerate nel rendiconto")
                     && r.err.contains("Scheda danneggiata (un campo oltre la sua larghezza): 2024.lav scheda n. 2."),
                 qPrintable(r.err));
        const Run v = cli({"verifica", dir.filePath("2024.lav")});
        QCOMPARE(v.code, 1);
        QVERIFY2(v.out.startsWith("scheda 2: campo TotDovuto lunghezza 255"), qPrintable(v.out));
    }

    // One codice fiscale is one worker whatever the case or blanks of the stored code and
    // names; the line shows the name of the latest card.
    void oneLinePerCodiceFiscale()
    {
        QTemporaryDir dir;
        const auto card = [](const char *cf, const char *surname, const char *name, const char *date) {
            return work({{"CodFisc", cf}, {"Cognome", surname}, {"Nome", name}, {"Data", date}, {"TotOre", "1,00"},
                         {"TotDovuto", "10,00"}, {"CodiceProg", "PRG-7"}});
        };
        QVERIFY(RecordFiles::write(dir.filePath("2024.lav"),
                                   {card("RSSMRA80A01H501U", "Rossi", "Mario", "10/03/2024"),
                                    card("rssmra80a01h501u", "ROSSI", "MARIO", "01/02/2024"),
                                    card(" RssMra80A01H501U", "Rossi", "Mario Luigi", "20/03/2024"),
                                    card("BNCLCU75B02F205X", "Bianchi", "Luca", "05/03/2024"),
                                    card("", "Verdi", "Anna", "05/03/2024"), card("", "Neri", "Ugo", "06/03/2024")}));
        const ProjectReport::Report report = ProjectReport::build({{dir.filePath("2024.lav")}, "PRG-7", {}, {}});
        QStringList got;
        for (const ProjectReport::WorkerLine &w : report.workers)
            got << QString("%1|%2|%3|%4").arg(w.codFisc, w.cognome, w.nome).arg(w.sums.works);
        QCOMPARE(got, (QStringList{"BNCLCU75B02F205X|Bianchi|Luca|1", "|Neri|Ugo|1",
                                   "RSSMRA80A01H501U|Rossi|Mario Luigi|3", "|Verdi|Anna|1"}));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::newRow("no code") << QStringList{"L"} << 2;
        QTest::newRow("blank code") << QStringList{"L", "--codice=  "} << 2;
        QTest::newRow("half an interval") << QStringList{"L", "--codice=X", "--dal=01/01/2024"} << 2;
        QTest::newRow("end before start") << QStringList{"L", "--codice=X", "--dal=02/01/2024", "--al=01/01/2024"} << 2;
        QTest::newRow("not a log") << QStringList{"Dipendenti.pro", "--codice=X"} << 2;
        QTest::newRow("missing log") << QStringList{"2030.lav", "--codice=X"} << 3;
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QTemporaryDir dir;
        QVERIFY(RecordFiles::write(dir.filePath("2024.lav"), {work({{"CodiceProg", "X"}})}));
        args[0] = args[0] == "L" ? dir.filePath("2024.lav") : dir.filePath(args[0]);
        const Run r = cli(QStringList{"rendiconto"} + args);
        QCOMPARE(r.code, code);
        QCOMPARE(r.out, QString());
        QVERIFY(r.err.startsWith("veltaro-cli rendiconto: "));
    }
};

QTEST_GUILESS_MAIN(TestProjectReport)
#include "TestProjectReport.moc"
