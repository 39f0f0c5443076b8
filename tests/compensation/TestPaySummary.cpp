#include "archive/FindEngine.h"
#include "archive/ResultLines.h"
#include "compensation/MonthlyStats.h"
#include "compensation/PaySummary.h"
#include "WorkLogFixture.h"

#include "archive/TextCodec.h"
#include "framework/Clock.h"

#include <QtTest>

#include <charconv>
#include <cstring>
#include <random>

using namespace PaySummary;

namespace {

const QString Notice2 = QString::fromUtf8("\n\r\n\rPer poter visualizzare il riepilogo è necessario indicare ");

QStringList activities(const Summary &s)
{
    QStringList out;
    for (const QString &l : s.lines.toStringList())
        out << l.left(44).trimmed();
    return out;
}

Summary summarise(const QList<WorkCard> &cards, const QString &codFisc, QDate from, QDate to)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("2017.lav");
    if (!writeLog(path, cards))
        qFatal("cannot write the fixture");
    return build(path, Filter{codFisc, from, to});
}

}

class TestPaySummary : public QObject
{
    Q_OBJECT
private slots:
    void init() { Clock::setToday(QDate(2017, 6, 15)); }

    void checks_data()
    {
        QTest::addColumn<QStringList>("request");   // anno, giorno/mese inizio, giorno/mese fine
        QTest::addColumn<int>("kind");              // -1 accepted
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QStringList>("dates");     // lblDataInizio, lblDataFine afterwards

        const int W = Refusal::Warning, N = Refusal::Notice;
        const QString lists = "Attenzione: indicare il %1 di %2 intervallo selezionandolo dall'elenco a cascata.";
        QTest::newRow("two-digit year") << QStringList{"17", "01", "Marzo", "31", "Marzo"} << W
            << "Attenzione: indicare l'anno solare utilizzando quattro cifre." << "txtAnno" << QStringList{"", ""};
        QTest::newRow("year with a trailing blank") << QStringList{"2017 ", "01", "Marzo", "31", "Marzo"} << W
            << "Attenzione: indicare l'anno solare utilizzando quattro cifre." << "txtAnno" << QStringList{"", ""};
        QTest::newRow("nothing chosen") << QStringList{"2017", "", "", "", ""} << W
            << lists.arg("giorno", "inizio") << "txtGiornoInizio" << QStringList{"", ""};
        QTest::newRow("start month") << QStringList{"2017", "01", "", "", ""} << W
            << lists.arg("mese", "inizio") << "txtMeseInizio" << QStringList{"", ""};
        QTest::newRow("end day") << QStringList{"2017", "01", "Marzo", "", ""} << W
            << lists.arg("giorno", "fine") << "txtGiornoFine" << QStringList{"", ""};
        QTest::newRow("end month blank") << QStringList{"2017", "01", "Marzo", "31", "  "} << W
            << lists.arg("mese", "fine") << "txtMeseFine" << QStringList{"", ""};
        QTest::newRow("31 April") << QStringList{"2017", "31", "Aprile", "30", "Aprile"} << N
            << "Attenzione: la data 31/04/2017 di inizio intervallo non esiste." + Notice2 + "una data valida."
            << "txtGiornoInizio" << QStringList{"31/04/2017", ""};
        QTest::newRow("29 February, not a leap year") << QStringList{"2017", "01", "Febbraio", "29", "Febbraio"} << N
            << "Attenzione: la data 29/02/2017 di fine intervallo non esiste." + Notice2 + "una data valida."
            << "txtGiornoFine" << QStringList{"01/02/2017", "29/02/2017"};
        QTest::newRow("unknown month leaves the date empty") << QStringList{"2017", "01", "Marzo1", "31", "Marzo"} << N
            << "Attenzione: la data  di inizio intervallo non esiste." + Notice2 + "una data valida."
            << "txtGiornoInizio" << QStringList{"", ""};
        QTest::newRow("end before start") << QStringList{"2017", "02", "Marzo", "01", "Marzo"} << N
            << QString::fromUtf8("Attenzione: la data di fine intervallo (01/03/2017) non può essere anteriore "
                                 "a quella di inizio intervallo (02/03/2017).")
                   + Notice2 + "un intervallo di tempo valido."
            << "" << QStringList{"02/03/2017", "01/03/2017"};
        QTest::newRow("29 February of a leap year") << QStringList{"2016", "29", "Febbraio", "29", "Febbraio"} << -1
            << "" << "" << QStringList{"29/02/2016", "29/02/2016"};
        QTest::newRow("month in capitals") << QStringList{"2017", "01", "MARZO", "31", "dicembre"} << -1
            << "" << "" << QStringList{"01/03/2017", "31/12/2017"};
    }
    void checks()
    {
        QFETCH(QStringList, request);
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(QString, focus);
        QFETCH(QStringList, dates);
        const Checked c = check(Request{request[0], request[1], request[2], request[3], request[4]});
        QCOMPARE((QStringList{c.dataInizio, c.dataFine}), dates);
        if (kind < 0) {
            QVERIFY(!c.refusal);
            QCOMPARE(c.start, QDate::fromString(dates[0], "dd/MM/yyyy"));
            QCOMPARE(c.end, QDate::fromString(dates[1], "dd/MM/yyyy"));
            QCOMPARE(c.fileName, request[0].trimmed() + ".lav");
            return;
        }
        QVERIFY(c.refusal);
        QCOMPARE(int(c.refusal->kind), kind);
        QCOMPARE(c.refusal->text, text);
        QCOMPARE(c.refusal->focus, focus);
    }

    void lineColumns()
    {
        const QString plain = line("Manutenzione impianti", "15/03/2017", "Rossi", "Mario",
                                   "RSSMRA80A01H501U", "333 1234567", "45,00");
        QCOMPARE(plain, "Manutenzione impianti" + QString(23, ' ') + " Data: 15/03/2017  Rossi Mario"
                            + QString(17, ' ') + "  C.F. RSSMRA80A01H501U  Tel. 333 1234567   "
                            + QString::fromUtf8("  Tot. € 45,00"));
        // Too long for their columns: cut, while the amount is shown in full.
        const QString cut = line(QString(50, 'A'), "15/03/2017", "Dell'Acqua Sanseverino", "Maria Beatrice",
                                 "RSS", "0039 333 1234567 int. 2", " 1234567,125 ");
        QCOMPARE(cut.left(44), QString(44, 'A'));
        QCOMPARE(cut.mid(63, 28), QString("Dell'Acqua Sanseverino Maria"));
        QCOMPARE(cut.mid(91 + 7 + 16 + 7, 14), QString("0039 333 12345"));
        QVERIFY(cut.endsWith(QString::fromUtf8("€ 1234567,125")));
    }

    void listOrder_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("less");
        QTest::newRow("capital equals small") << "Alfa" << "alfa" << false;
        QTest::newRow("small equals capital") << "alfa" << "Alfa" << false;
        QTest::newRow("underscore after the letters") << "_x" << "Alfa" << false;
        QTest::newRow("prefix first") << "abc" << "abcd" << true;
        QTest::newRow("accented after z") << QString::fromUtf8("É") << "z" << false;
        QTest::newRow("accented capitals not folded") << QString::fromUtf8("è") << QString::fromUtf8("È") << false;
    }
    void listOrder()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, less);
        QCOMPARE(ListOrder::less(a, b), less);
    }

    // Lines are sorted as bytes; the order must be the one less() gives their texts, across
    // the euro sign's block, blanks and zero bytes at the ends, and lines of any length.
    void bytesSortLikeTexts()
    {
        QList<QByteArray> raw{QByteArray()};
        for (int x = 0; x < 256; ++x) {
            raw << QByteArray(1, char(x));
            for (int y = 0; y < 256; ++y)
                raw << (QByteArray(1, char(x)) + char(y));
        }
        const char alphabet[] = {'\0', ' ', 'A', 'a', 'b', 'B', '_', '\x80', '\xc9', '\xe9'};
        quint32 seed = 12345;
        for (int i = 0; i < 5000; ++i) {
            QByteArray line;
            seed = seed * 1103515245u + 12345u;
            for (quint32 n = (seed >> 16) % 30; n > 0; --n) {
                seed = seed * 1103515245u + 12345u;
                line += alphabet[(seed >> 16) % sizeof alphabet];
            }
            raw << line;
        }
        ListOrder::Lines lines;
        QStringList expected;
        for (const QByteArray &b : raw) {
            lines.append(b);
            expected << Cp1252::decode(b);
        }
        lines.sort();
        std::stable_sort(expected.begin(), expected.end(), ListOrder::less);
        QCOMPARE(lines.toStringList(), expected);
    }

    // Thousands of lines that begin with one of a few texts (one activity on many lines) are
    // grouped by their first words rather than sorted byte by byte: the order must not change.
    void fewFirstWordsSortLikeTexts()
    {
        const QList<QByteArray> heads{"", "Corso", "corso", "CORSO di nuoto  ", "Corso di nuoto  ", QByteArray("Corso\0", 6),
                                      "Corso di", "Inventario magazzino", "inventario", "\x80uro", "\xc9" "clair",
                                      "Zeta 12345678", "zeta 12345678"};
        const char tails[] = {'\0', ' ', 'A', 'a', 'b', 'B', '_', '\x80', '\xe9', '1'};
        quint32 seed = 777;
        ListOrder::Lines lines;
        QStringList expected;
        for (int i = 0; i < 4000; ++i) {
            seed = seed * 1103515245u + 12345u;
            QByteArray line = heads[(seed >> 16) % heads.size()];
            seed = seed * 1103515245u + 12345u;
            for (quint32 n = (seed >> 16) % 12; n > 0; --n) {
                seed = seed * 1103515245u + 12345u;
                line += tails[(seed >> 16) % sizeof tails];
            }
            lines.append(line);
            expected << Cp1252::decode(line);
        }
        lines.sort();
        std::stable_sort(expected.begin(), expected.end(), ListOrder::less);
        QCOMPARE(lines.toStringList(), expected);
    }

    void linesSortedAndBuiltFromTheCards()
    {
        const QStringList order = {"Alfa", "alfa2", "beta", "Zeta", "_x", QString::fromUtf8("€uro"),
                                   QString::fromUtf8("Éclair")};
        QList<WorkCard> cards;
        for (const int i : {4, 6, 1, 3, 5, 0, 2}) {
            WorkCard c{QString("%1/03/2017").arg(10 + i), "1,00", order[i]};
            c.cognome = QString::fromUtf8("Dell'Acqua Sanseverino d'Aragona");
            cards << c;
        }
        const Summary s = summarise(cards, "", QDate(2017, 3, 1), QDate(2017, 3, 31));
        QCOMPARE(activities(s), order);
        for (int i = 0; i < order.size(); ++i)
            QCOMPARE(s.lines.at(i), line(order[i], QString("%1/03/2017").arg(10 + i), cards[0].cognome,
                                      "Mario", "RSSMRA80A01H501U", "333 1234567", "1,00"));
    }

    void intervalEndsIncluded_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("March") << QDate(2017, 3, 1) << QDate(2017, 3, 31)
                               << QStringList{"01/03", "1/3/2017", "15/03", "31/03", "5/3/17"};
        QTest::newRow("one day") << QDate(2017, 3, 15) << QDate(2017, 3, 15) << QStringList{"15/03"};
        QTest::newRow("start on the last day") << QDate(2017, 3, 31) << QDate(2017, 4, 1)
                                               << QStringList{"01/04", "31/03"};
    }
    void intervalEndsIncluded()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QStringList, listed);
        // The activity names the date, so the listed activities tell which cards came in.
        QList<WorkCard> cards;
        for (const QString d : {"28/02", "01/03", "15/03", "31/03", "01/04"})
            cards << WorkCard{d + "/2017", "1,00", d};
        // Dates the date rule also reads: no leading zeros, a two-digit year.
        cards << WorkCard{"1/3/2017", "1,00", "1/3/2017"} << WorkCard{"5/3/17", "1,00", "5/3/17"};
        QCOMPARE(activities(summarise(cards, "", from, to)), listed);
    }

    void codiceFiscaleFilter_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("none") << "" << QStringList{"Bianchi", "Neri", "Rossi", "Verdi"};
        QTest::newRow("blank is none") << "  " << QStringList{"Bianchi", "Neri", "Rossi", "Verdi"};
        QTest::newRow("whole code, any case") << "rssmra80a01h501u" << QStringList{"Rossi"};
        QTest::newRow("part of the code") << "H501" << QStringList{"Rossi", "Verdi"};
        QTest::newRow("longer than the code") << "RSSMRA80A01H501UX" << QStringList{};
        QTest::newRow("not in the code page") << QString::fromUtf8("H501中") << QStringList{};
    }
    void codiceFiscaleFilter()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, listed);
        QList<WorkCard> cards;
        const QStringList codes = {"RSSMRA80A01H501U", "BNCLGU75B02F205X", "VRDGPP70C03H501Z", "NRE"};
        for (const QString &c : codes) {
            WorkCard w{"15/03/2017"};
            w.codFisc = c;
            w.attivita = c.startsWith("RSS") ? "Rossi" : c.startsWith("BNC") ? "Bianchi" : c.startsWith("VRD") ? "Verdi" : "Neri";
            cards << w;
        }
        QCOMPARE(activities(summarise(cards, filter, QDate(2017, 1, 1), QDate(2017, 12, 31))), listed);
    }

    void totals_data()
    {
        QTest::addColumn<QStringList>("amounts");
        QTest::addColumn<QString>("shown");
        QTest::newRow("10,50 + 4,25") << QStringList{"10,50", "4,25"} << "14,75";
        QTest::newRow("a single 7") << QStringList{"7"} << "7,00";
        QTest::newRow("none") << QStringList{} << "0,00";
        QTest::newRow("noise of a hundred 0,10") << QStringList(100, "0,10") << "10,00";
        QTest::newRow("three decimals kept") << QStringList{"12,345"} << "12,345";
        QTest::newRow("four at most") << QStringList{"1,23456"} << "1,2346";
        QTest::newRow("1234,5") << QStringList{"1000", "234,5"} << "1234,50";
    }
    void totals()
    {
        QFETCH(QStringList, amounts);
        QFETCH(QString, shown);
        QList<WorkCard> cards;
        for (const QString &a : amounts)
            cards << WorkCard{"15/03/2017", a};
        const Summary s = summarise(cards, "", QDate(2017, 3, 1), QDate(2017, 3, 31));
        QCOMPARE(s.lines.size(), amounts.size());
        QCOMPARE(s.totalText, shown);
        // The amount column shows the stored text as it is.
        for (int i = 0; i < s.lines.size(); ++i)
            QVERIFY(s.lines.at(i).endsWith(QString::fromUtf8("€ ") + amounts[i]));
    }

    // A card that does not convert is left out and reported; the cards after it still count.
    // Stored amounts are read as exactly the number their text says, long or short.
    void storedAmountsReadExactly()
    {
        std::mt19937_64 rng(7);
        for (int k = 0; k < 100000; ++k) {
            QByteArray text = k % 7 == 0 ? "-" : "";
            const int whole = 1 + int(rng() % 18), decimals = int(rng() % 6);
            for (int d = 0; d < whole; ++d)
                text += char('0' + rng() % 10);
            if (decimals > 0) {
                text += ',';
                for (int d = 0; d < decimals; ++d)
                    text += char('0' + rng() % 10);
            }
            QByteArray dotted = text;
            dotted.replace(',', '.');
            double expected = 0;
            std::from_chars(dotted.constData(), dotted.constData() + dotted.size(), expected);
            const auto read = Compensation::storedAmount(text);
            QVERIFY2(read && std::memcmp(&*read, &expected, sizeof expected) == 0, text.constData());
        }
        for (const char *bad : {"", "-", "1,2,3", "12a"})
            QVERIFY2(!Compensation::storedAmount(QByteArrayView(bad)), bad);
    }

    // Stored dates follow the Gregorian calendar in every century.
    void calendarDays()
    {
        const QList<WorkCard> cards{
            {"29/02/2024", "1,00", "bisestile"},  {"29/02/2000", "1,00", "bisestile 2000"},
            {"29/02/2100", "1,00", "2100 no"},    {"31/04/2024", "1,00", "aprile 31"},
            {"00/01/2024", "1,00", "giorno zero"}, {"01/13/2024", "1,00", "mese 13"},
            {"31/12/0001", "1,00", "anno 1"},     {"01/01/0000", "1,00", "anno 0"},
        };
        const Summary s = summarise(cards, "", QDate(1, 1, 1), QDate(9999, 12, 31));
        QCOMPARE(activities(s), (QStringList{"anno 1", "bisestile", "bisestile 2000"}));
        QCOMPARE(s.skipped.size(), 5);
        for (const SkippedCard &c : s.skipped)
            QCOMPARE(c.reason, SkippedCard::BadDate);
    }

    void unreadableCardsSkippedAndReported()
    {
        QList<WorkCard> cards{
            {"15/03/2017", "10,00", "uno"},
            {"31/02/2017", "5,00", "data impossibile"},
            {"15/03/2017", "", "totale vuoto"},
            {"16/03/2017", "12.50", "punto decimale"},
            {"17/03/2017", "2,50", "due"},
            {"15/06/2017", "abc", "fuori intervallo"},     // never read: outside the interval
        };
        WorkCard other{"xx", "1,00", "altro lavoratore"};  // never read: another worker
        other.codFisc = "BNCLGU75B02F205X";
        cards << other;

        const Summary s = summarise(cards, "RSSMRA", QDate(2017, 3, 1), QDate(2017, 3, 31));
        QVERIFY(s.readOk);
        QCOMPARE(activities(s), (QStringList{"due", "uno"}));
        QCOMPARE(s.totalText, QString("12,50"));
        QCOMPARE(s.skipped.size(), 3);
        QCOMPARE(s.skipped[0].position, 2);
        QCOMPARE(s.skipped[0].reason, SkippedCard::BadDate);
        QCOMPARE(s.skipped[1].position, 3);
        QCOMPARE(s.skipped[2].position, 4);
        QCOMPARE(s.skipped[2].reason, SkippedCard::BadTotal);
        QCOMPARE(skippedNotice(s),
                 QString::fromUtf8("Attenzione: 3 schede dell'archivio non sono state considerate nel riepilogo."
                                   "\n\r\n\rData della prestazione non valida: scheda n. 2."
                                   "\n\rTotale dovuto non valido: schede n. 3, 4."
                                   "\n\r\n\rCorreggere le schede indicate nella schermata di registrazione dei lavori."));

        QList<SkippedCard> many;
        for (int i = 1; i <= 12; ++i)
            many << SkippedCard{i, SkippedCard::BadTotal};
        QVERIFY(Compensation::skippedNotice(many, "grafico")
                    .contains("Totale dovuto non valido: schede n. 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 e altre 2."));
        QCOMPARE(skippedNotice(Summary{}), QString());
    }

    // A length byte past its field's width (another program's fault, a bad sector) reads the
    // next field's bytes as digits: such a card is left out as damaged, by the summary and by
    // the monthly totals alike, never added as 5,0077...
    void damagedCardsLeftOut()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("2017.lav");
        QVERIFY(writeLog(path, {{"15/03/2017", "10,00", "uno"}, {"16/03/2017", "5,00", "totale"},
                                {"17/03/2017", "7,00", "data"}}));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QByteArray bytes = f.readAll();
        const RecordLayout &layout = WorkRecord::layout();
        const int due = layout.size() + layout.field(layout.indexOf("TotDovuto")).offset;
        bytes[due] = char(255);
        bytes.replace(due + 5, 11, QByteArray(11, '7'));
        bytes[2 * layout.size() + layout.field(layout.indexOf("Data")).offset] = char(255);
        QVERIFY(f.seek(0) && f.write(bytes) == bytes.size());
        f.close();

        const Summary s = build(path, Filter{"", QDate(2017, 3, 1), QDate(2017, 3, 31)});
        QCOMPARE(activities(s), QStringList{"uno"});
        QCOMPARE(s.totalText, QString("10,00"));
        QCOMPARE(s.skipped.size(), 2);
        QCOMPARE(s.skipped[0].reason, SkippedCard::Damaged);
        QCOMPARE(s.skipped[1].reason, SkippedCard::Damaged);
        QVERIFY(skippedNotice(s).contains("Scheda danneggiata (un campo oltre la sua larghezza): schede n. 2, 3."));

        const MonthlyStats::Stats stats = MonthlyStats::compute(path, "2017");
        QCOMPARE(stats.totals[2], 10.0);
        QCOMPARE(stats.skipped.size(), 2);
    }

    void archiveMissingOrUnreadable()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("2031.lav");
        const Summary empty = build(path, Filter{"", QDate(2031, 1, 1), QDate(2031, 12, 31)});
        QVERIFY(empty.readOk);
        QVERIFY(empty.lines.isEmpty());
        QCOMPARE(empty.totalText, QString("0,00"));
        QVERIFY(QFileInfo(path).isFile());
        QCOMPARE(QFileInfo(path).size(), 0);

        const Summary failed = build(dir.path(), Filter{"", QDate(2031, 1, 1), QDate(2031, 12, 31)});
        QVERIFY(!failed.readOk);
        QVERIFY(!failed.errorText.isEmpty());
    }

    void viewAndPrintTexts()
    {
        QCOMPARE(heading(" rssmra "), QString("rssmra"));
        const QString interval = intervalText(" 01/03/2017", "31/03/2017 ");
        QCOMPARE(interval, QString("Dal   01/03/2017   al   31/03/2017"));
        QCOMPARE(printTitle(heading("")), QString("Riepilogo compensi   -   C.F. lavoratore:  Tutti i lavoratori"));
        QCOMPARE(printBody({"riga 1", "riga 2"}, interval, "14,75"),
                 (QStringList{"riga 1", "riga 2", "- - - - - - - - - - - - - - - -",
                              "INTERVALLO SELEZIONATO:    Dal   01/03/2017   al   31/03/2017",
                              QString::fromUtf8("TOTALE COMPENSI:           € 14,75")}));
    }
};

QTEST_GUILESS_MAIN(TestPaySummary)
#include "TestPaySummary.moc"
