#include "worklog/WorkComputations.h"

#include <QtTest>

using namespace WorkComputations;

namespace {
const QString Order = QString::fromUtf8(
    "Attenzione: l'ora di inizio lavoro non può essere posteriore a quella di fine lavoro.");
}

class TestWorkComputations : public QObject
{
    Q_OBJECT
private slots:
    void hours_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("totOre");
        // The box held "7" before each computation.
        QTest::newRow("08:00-12:30") << "08:00" << "12:30" << int(Hours::Computed) << "4,5";
        QTest::newRow("09:00-17:20") << "09:00" << "17:20" << int(Hours::Computed) << "8,33";
        QTest::newRow("equal times") << "10:15" << "10:15" << int(Hours::Computed) << "0";
        QTest::newRow("whole day") << "00:00" << "23:59" << int(Hours::Computed) << "23,98";
        QTest::newRow("one minute rounds up") << "00:01" << "00:02" << int(Hours::Computed) << "0,02";
        QTest::newRow("20 minutes") << "07:40" << "08:00" << int(Hours::Computed) << "0,33";
        QTest::newRow("start after end") << "13:00" << "12:59" << int(Hours::StartAfterEnd) << "7";
        // Loaded from a damaged card: the order test is on the texts, as they stand.
        QTest::newRow("one-digit hour sorts by text") << "9:00" << "10:00" << int(Hours::StartAfterEnd) << "7";
        QTest::newRow("empty start hour") << ":00" << "10:00" << int(Hours::StartAfterEnd) << "7";
        QTest::newRow("hour 24") << "08:00" << "24:00" << int(Hours::InvalidTime) << "7";
        QTest::newRow("minute 60") << "08:00" << "08:60" << int(Hours::InvalidTime) << "7";
    }
    void hours()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, outcome);
        QFETCH(QString, totOre);
        const Times t{from.section(':', 0, 0), from.section(':', 1), to.section(':', 0, 0), to.section(':', 1)};
        const Hours h = computeHours(t, "7");
        QCOMPARE(int(h.outcome), outcome);
        QCOMPARE(h.totOre, totOre);
    }

    void totalDue_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("totOreBefore");
        QTest::addColumn<QString>("pay");
        QTest::addColumn<QStringList>("boxes");   // TotOre, CompensoOra, TotDovuto
        QTest::addColumn<bool>("warned");
        QTest::addColumn<QString>("focus");

        QTest::newRow("4,5 h at 10") << "08:00" << "12:30" << "0" << "10"
                                     << QStringList{"4,5", "10,00", "45,00"} << false << "";
        QTest::newRow("8,33 h at 12,50") << "09:00" << "17:20" << "0" << "12,50"
                                         << QStringList{"8,33", "12,50", "104,13"} << false << "";
        QTest::newRow("equal times") << "08:00" << "08:00" << "3" << "12,5"
                                     << QStringList{"0", "12,50", "0,00"} << false << "";
        // The total takes the pay as typed; the pay is rounded on its own afterwards.
        QTest::newRow("pay typed with three decimals") << "09:00" << "17:20" << "0" << "12,504"
                                                       << QStringList{"8,33", "12,50", "104,16"} << false << "";
        QTest::newRow("10,555 rounds down") << "08:00" << "12:30" << "0" << "10,555"
                                            << QStringList{"4,5", "10,55", "47,50"} << false << "";
        QTest::newRow("empty pay resets") << "08:00" << "12:30" << "0" << ""
                                          << QStringList{"0", "0,00", "0,00"} << false << "txtTotOre";
        QTest::newRow("pay with a point resets") << "08:00" << "12:30" << "0" << "10.5"
                                                 << QStringList{"0", "0,00", "0,00"} << false << "txtTotOre";
        QTest::newRow("wrong order goes on with old hours") << "13:00" << "12:59" << "2" << "10"
                                                            << QStringList{"2", "10,00", "20,00"} << true << "txtDaOre";
        QTest::newRow("wrong order, empty hours count as 0") << "13:00" << "12:59" << " " << "10"
                                                             << QStringList{"0", "10,00", "0,00"} << true << "txtDaOre";
        QTest::newRow("wrong order, unreadable hours reset") << "13:00" << "12:59" << "x" << "10"
                                                             << QStringList{"0", "0,00", "0,00"} << true << "txtTotOre";
        QTest::newRow("no time of day resets") << "08:00" << "24:00" << "1" << "10"
                                               << QStringList{"0", "0,00", "0,00"} << false << "txtTotOre";
    }
    void totalDue()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, totOreBefore);
        QFETCH(QString, pay);
        QFETCH(QStringList, boxes);
        QFETCH(bool, warned);
        QFETCH(QString, focus);
        const Times t{from.left(2), from.mid(3), to.left(2), to.mid(3)};
        const TotalDue r = computeTotalDue(t, totOreBefore, pay);
        QCOMPARE((QStringList{r.totOre, r.compensoOra, r.totDovuto}), boxes);
        QCOMPARE(r.warning, warned ? Order : QString());
        QCOMPARE(r.focus, focus);
        QCOMPARE(r.reset, focus == "txtTotOre");
    }

    void payOnLeave_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("empty") << "" << "0,00";
        QTest::newRow("7,5") << "7,5" << "7,50";
        QTest::newRow("3") << "3" << "3,00";
        QTest::newRow("10,555") << "10,555" << "10,55";
        QTest::newRow("unreadable") << "1,2,3" << "0,00";
    }
    void payOnLeave()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QCOMPARE(WorkComputations::payOnLeave(typed), shown);
    }

    void saveChecks_data()
    {
        QTest::addColumn<QStringList>("card");   // Data, Cognome, Nome, CodFisc, Attivita, from, to
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("focus");
        const QString need = QString::fromUtf8("Attenzione: per salvare la scheda è necessario indicare ");
        QTest::newRow("all empty: the date first")
            << QStringList{"", "", "", "", "", "00:00", "00:00"}
            << need + "la data della prestazione lavorativa." << "txtData";
        QTest::newRow("surname of blanks")
            << QStringList{"01/02/2017", "   ", "", "", "", "00:00", "00:00"}
            << need + "il cognome del lavoratore." << "txtCognome";
        QTest::newRow("name") << QStringList{"01/02/2017", "Rossi", "", "", "", "00:00", "00:00"}
                              << need + "il nome del lavoratore." << "txtNome";
        QTest::newRow("codice fiscale")
            << QStringList{"01/02/2017", "Rossi", "Mario", "", "", "00:00", "00:00"}
            << need + "il codice fiscale del lavoratore." << "txtCodFisc";
        QTest::newRow("activity")
            << QStringList{"01/02/2017", "Rossi", "Mario", "RSSMRA", "", "13:00", "12:59"}
            << need + QString::fromUtf8("l'attività svolta dal lavoratore.") << "txtAttivita";
        QTest::newRow("time order after the required fields")
            << QStringList{"01/02/2017", "Rossi", "Mario", "RSSMRA", "Pulizia", "13:00", "12:59"}
            << Order << "txtDaOre";
        QTest::newRow("complete") << QStringList{"01/02/2017", "Rossi", "Mario", "RSSMRA", "Pulizia", "08:00", "12:00"}
                                  << "" << "";
    }
    void saveChecks()
    {
        QFETCH(QStringList, card);
        QFETCH(QString, warning);
        QFETCH(QString, focus);
        const Card c{card[0], card[1], card[2], card[3], card[4],
                     Times{card[5].left(2), card[5].mid(3), card[6].left(2), card[6].mid(3)}};
        const auto refusal = checkSave(c);
        QCOMPARE(refusal.has_value(), !warning.isEmpty());
        if (refusal) {
            QCOMPARE(refusal->warning, warning);
            QCOMPARE(refusal->focus, focus);
        }
    }
};

QTEST_GUILESS_MAIN(TestWorkComputations)
#include "TestWorkComputations.moc"
