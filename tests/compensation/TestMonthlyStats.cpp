#include "compensation/MonthlyStats.h"
#include "WorkLogFixture.h"

#include <QtTest>

using namespace MonthlyStats;

class TestMonthlyStats : public QObject
{
    Q_OBJECT
private slots:
    void yearAndTitle()
    {
        QVERIFY(!checkYear("2024"));
        for (const QString bad : {"", "224", "20245"}) {
            const auto r = checkYear(bad);
            QVERIFY(r);
            QCOMPARE(r->text, QString("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
            QCOMPARE(r->focus, QString("txtAnno"));
        }
        QVERIFY(!checkYear(" 224"));   // four characters as typed
        QCOMPARE(title(" 2024"), QString("Rappresentazione grafica delle rimunerazioni mensili dell'anno 2024."));
        QCOMPARE(QString::fromLatin1(Points[9].label.data(), 7), QString("Ottobre"));
        QCOMPARE(Points[9].argb, 0xFF87CEEBu);
    }

    // Month and year are cut from the date text; only the chosen year's cards with a two-digit
    // month count, and each month is rounded to the euro at the end.
    void aggregation()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("2024.lav");
        QVERIFY(writeLog(path, {
            {"10/01/2024", "10,40"},  {"11/01/2024", "10,20"},    // 20,60 -> 21
            {"05/02/2024", "99,49"},                              // 99
            {"30/02/2024", "1,00"},                               // not a day, still February
            {"15/03/2023", "50,00"},                              // another year
            {"5/3/2024", "30,00"},                                // no leading zeros
            {"", "30,00"},                                        // no date
            {"xx/04/2024", "7,00"},                               // the day is not looked at
            {"01/13/2024", "8,00"},                               // no such month
            {"01/12/2024", "0,50"},                               // half a euro goes up
            {"01/12/24", "5,00"},                                 // two-digit year
            {"01/06/2024", "-3,60"},
        }));
        const Stats s = compute(path, "2024");
        QVERIFY(s.readOk);
        QVERIFY(s.skipped.isEmpty());
        QCOMPARE(s.totals[0], 10.40 + 10.20);
        const std::array<double, 12> rounded{21, 100, 0, 7, 0, -4, 0, 0, 0, 0, 0, 1};
        QCOMPARE(s.rounded, rounded);
        const std::array<QString, 12> labels{"21", "100", "0", "7", "0", "-4", "0", "0", "0", "0", "0", "1"};
        QCOMPARE(s.labels, labels);
    }

    void unreadableTotalsSkippedAndChartStillOpens()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("2024.lav");
        QVERIFY(writeLog(path, {
            {"10/01/2024", "10,00"},
            {"11/01/2024", ""},          // empty: left out and reported
            {"12/02/2024", "1.234,00"},  // thousands point: left out and reported
            {"13/02/2024", "4,00"},
            {"14/02/2023", ""},          // another year: never read
        }));
        const Stats s = compute(path, "2024");
        QVERIFY(s.readOk);
        QCOMPARE(s.rounded[0], 10.0);
        QCOMPARE(s.rounded[1], 4.0);
        QCOMPARE(s.skipped.size(), 2);
        QCOMPARE(s.skipped[0].position, 2);
        QCOMPARE(s.skipped[1].position, 3);
        QCOMPARE(skippedNotice(s),
                 QString::fromUtf8("Attenzione: 2 schede dell'archivio non sono state considerate nel grafico."
                                   "\n\r\n\rTotale dovuto non valido: schede n. 2, 3."
                                   "\n\r\n\rCorreggere le schede indicate nella schermata di registrazione dei lavori."));
    }

    void archiveMissingOrUnreadable()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("2030.lav");
        const Stats s = compute(path, "2030");
        QVERIFY(s.readOk);
        QVERIFY(QFileInfo(path).isFile());
        QCOMPARE(s.rounded, (std::array<double, 12>{}));
        QCOMPARE(s.labels[11], QString("0"));

        const Stats failed = compute(dir.path(), "2030");
        QVERIFY(!failed.readOk);
        QVERIFY(!failed.errorText.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMonthlyStats)
#include "TestMonthlyStats.moc"
