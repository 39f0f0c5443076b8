#include "cli/Cli.h"
#include "support/CliRun.h"
#include "support/RecordFiles.h"

#include "archive/FindEngine.h"
#include "compensation/MonthlyStats.h"
#include "compensation/PaySummary.h"
#include "framework/Clock.h"
#include "framework/Routines.h"
#include "projects/ProjectFind.h"
#include "projects/ProjectRecord.h"
#include "projects/ProjectRtf.h"
#include "settings/Backup.h"
#include "settings/FolderLock.h"
#include "workers/WorkerFind.h"
#include "workers/WorkerRecord.h"
#include "worklog/WorkFind.h"
#include "worklog/WorkRecord.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <csignal>
#include <QTemporaryDir>
#include <QtTest>

namespace {
using CliRun::Run;
using CliRun::cli;
QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}


QString asOutput(const QStringList &lines)
{
    QString text;
    for (const QString &l : lines)
        text += l + QLatin1Char('\n');
    return text;
}

QString asOutput(const ListOrder::Lines &lines)
{
    return asOutput(lines.toStringList());
}

using RecordFiles::Fields;

Record worker(const Fields &fields) { return RecordFiles::make(WorkerRecord::layout(), fields); }
Record card(const Fields &fields) { return RecordFiles::make(WorkRecord::layout(), fields); }

// Workers in an order unlike the list order, with the cases the match rule tells apart.
QList<Record> workers()
{
    return {
        worker({{"Cognome", "Rossi"}, {"Nome", "Mario"}, {"CodFisc", "RSSMRA80A01H501U"}, {"Codice", "Istruttore"},
                {"Categoria", "B1"}, {"Iva", "12345678903"}, {"Familiari", "Lun-Ven mattina"}, {"Prodotti", "Divisa"},
                {"Acquisto", "Tempo determinato"}, {"Note", "Patente C"}, {"Recapito", "333 1234567"},
                {"Scadenza", "10/06/2017"}, {"Preavviso", "10"}, {"Totale", "1200,00"}, {"Rata", "100,00"}}),
        worker({{"Cognome", "Grossi"}, {"Nome", "Mario Luigi"}, {"Codice", "Segretario"}, {"Categoria", "C2"},
                {"Scadenza", "01/01/2015"}, {"Preavviso", "0"}}),
        worker({{"Cognome", "bianco"}, {"Nome", "anna"}, {"Note", "turni di notte"},
                {"Scadenza", "10/06/2017"}, {"Preavviso", "9"}}),
        worker({{"Cognome", QString::fromUtf8("Èrcoli")}, {"Nome", "Sara"}, {"Scadenza", "31/02/2017"}, {"Preavviso", "0"}}),
        worker({{"Cognome", "Della Valle Giovanbattista"}, {"Nome", "Maria"}, {"Acquisto", "Tempo indeterminato"},
                {"Scadenza", "31/05/2017"}, {"Preavviso", ""}}),
        worker({{"Cognome", "Bianchi"}, {"Nome", "Luca"}, {"Scadenza", "31/05/2017"}, {"Preavviso", "0"}}),
    };
}

// Cards of 2017 with a card of 2016, a date in a short form, one date and one total that
// do not convert.
QList<Record> workLog()
{
    const Fields rossi = {{"Cognome", "Rossi"}, {"Nome", "Mario"}, {"CodFisc", "RSSMRA80A01H501U"}, {"Recapito", "333 1234567"}};
    const Fields bianchi = {{"Cognome", "Bianchi"}, {"Nome", "Luca"}, {"CodFisc", "BNCLCU75B02F205K"}};
    return {
        card(rossi + Fields{{"Data", "01/03/2017"}, {"TotDovuto", "10,50"}, {"Attivita", "Pulizia uffici"}}),
        card(rossi + Fields{{"Data", "15/03/2017"}, {"TotDovuto", "4,25"}, {"Attivita", QString::fromUtf8("Attività di controllo")}}),
        card(bianchi + Fields{{"Data", "31/03/2017"}, {"TotDovuto", "7"}, {"Attivita", "Accoglienza"}}),
        card(bianchi + Fields{{"Data", "01/04/2017"}, {"TotDovuto", "100,00"}, {"Attivita", "Pulizia uffici"}}),
        card(bianchi + Fields{{"Data", "31/02/2017"}, {"TotDovuto", "5,00"}, {"Attivita", "Data sbagliata"}}),
        card(bianchi + Fields{{"Data", "10/03/2017"}, {"TotDovuto", ""}, {"Attivita", "Senza totale"}}),
        card(rossi + Fields{{"Data", "20/12/2016"}, {"TotDovuto", "1,00"}, {"Attivita", "Anno prima"}}),
        card(rossi + Fields{{"Data", "5/3/17"}, {"TotDovuto", "2,00"}, {"Attivita", "Data breve"}}),
        card(rossi + Fields{{"Data", "02/05/2017"}, {"TotDovuto", "10,40"}, {"Attivita", "Maggio uno"}}),
        card(bianchi + Fields{{"Data", "30/05/2017"}, {"TotDovuto", "10,20"}, {"Attivita", "Maggio due"}}),
        card(bianchi + Fields{{"Data", "12/06/2017"}, {"TotDovuto", "99,49"}, {"Attivita", "Giugno"}}),
    };
}

// A folder with Dipendenti.pro and 2017.lav.
struct Archives {
    QTemporaryDir dir;
    QString workersPath = dir.filePath("Dipendenti.pro");
    QString logPath = dir.filePath("2017.lav");
    Archives()
    {
        if (!RecordFiles::write(workersPath, workers()) || !RecordFiles::write(logPath, workLog()))
            qFatal("cannot write the fixtures");
    }
};
}

class TestCli : public QObject
{
    Q_OBJECT
private slots:
    // The date rule reads short years and dates without a year against today.
    void init() { Clock::setToday(QDate(2017, 6, 15)); }
    void cleanup() { Clock::setToday(QDate()); }

    void verificaTellsSoundFromDamaged()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Dipendenti.pro");
        QByteArray two(2 * 4043, '\0');
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(two);
        f.close();
        Run r = cli({"verifica", path});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains("schede: 2\n"));

        two[4043 + 119] = char(9);               // Sesso is text[1]
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(two + QByteArray(10, 'x'));
        f.close();
        r = cli({"verifica", path});
        QCOMPARE(r.code, 1);
        QVERIFY(r.out.contains("scheda 2: campo Sesso lunghezza 9 oltre la larghezza 1\n"));
        QVERIFY(r.out.contains("byte di scheda incompleta in coda: 10\n"));

        // A year's work log is checked with its own layout.
        const QString log = dir.filePath("2017.lav");
        QFile l(log);
        QVERIFY(l.open(QIODevice::WriteOnly));
        l.write(QByteArray(3 * WorkRecord::layout().size(), '\0'));
        l.close();
        r = cli({"verifica", log});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains("schede: 3\n"));

        // A project field filled to its last byte, with no zero, is whole, not damaged.
        const QString projects = dir.filePath("2017.prg");
        QFile p(projects);
        QVERIFY(p.open(QIODevice::WriteOnly));
        p.write(QByteArray(ProjectRecord::layout().size(), 'x'));
        p.close();
        r = cli({"verifica", projects});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains("schede: 1\n"));
    }

    void controllaAnswersAsTheScreens_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("out");
        QTest::newRow("cf") << QStringList{"cf", "rssmra85t10a562s"} << 0 << "Il codice fiscale digitato è VALIDO.\n";
        QTest::newRow("iva") << QStringList{"iva", "12345678903"} << 0
                             << "Il numero di partita IVA digitato risulta VALIDO.\n\nE' stato rilasciato dall'Ufficio IVA del Comune di .\n";
        QTest::newRow("iban") << QStringList{"iban", "IT60X0542811101000000123457"} << 1 << "Attenzione: l'IBAN digitato è ERRATO!\n";
        QTest::newRow("carta") << QStringList{"carta", "5555555555554444"} << 0
                               << "Il numero di carta di credito 5555555555554444 risulta valido.\n\nLa carta di credito è del tipo MasterCard.\n";
    }
    void controllaAnswersAsTheScreens()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, out);
        const Run r = cli(QStringList{"controlla"} + args);
        QCOMPARE(r.out, out);
        QCOMPARE(r.code, code);
    }

    void usageAndFileErrors()
    {
        QTemporaryDir dir;
        QCOMPARE(cli({}).code, 2);
        QCOMPARE(cli({"boh"}).code, 2);
        QCOMPARE(cli({"verifica"}).code, 2);
        QCOMPARE(cli({"controlla", "pin", "1"}).code, 2);
        const Run unknown = cli({"verifica", dir.filePath("note.txt")});
        QCOMPARE(unknown.code, 2);
        QVERIFY(unknown.err.contains("non riconosciuto"));
        QCOMPARE(cli({"verifica", dir.filePath("2017.prg")}).code, 3);   // missing: a file error
        QCOMPARE(cli({"verifica", "--bogus"}).code, 2);
        const Run help = cli({"verifica", "--help"});
        QCOMPARE(help.code, 0);
        QVERIFY(help.out.startsWith("Uso: veltaro-cli verifica ARCHIVIO"));
    }

    void versionHelpAndCompletion()
    {
        const Run version = cli({"--version"});
        QCOMPARE(version.code, 0);
        QCOMPARE(version.out.section('\n', 0, 0), QString("veltaro-cli " VELTARO_VERSION));
        QVERIFY(version.out.contains("GPL-3.0-or-later"));
        // Every help names the exit statuses.
        QVERIFY(cli({"--help"}).out.contains("Stato d'uscita:\n  0  riuscito\n"));
        for (const Cli::Command &c : Cli::commands()) {
            const Run help = cli({c.name, "--help"});
            QCOMPARE(help.code, 0);
            QVERIFY2(help.out.contains("  2  errore d'uso") && help.out.contains("  3  un archivio"), c.name);
        }

        // The completion answers from the same tables.
        QTemporaryDir dir;
        for (const char *name : {"2017.lav", "Dipendenti.pro", "note.txt"}) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const QString folder = dir.path() + "/";
        const QList<QPair<QStringList, QStringList>> cases = {
            {{"tr"}, {"trova"}},
            {{"--v"}, {"--version"}},
            {{"controlla", ""}, {"cf", "iva", "iban", "carta"}},
            {{"controlla", "cf", ""}, {}},
            {{"trova", "--Cog"}, {"--Cognome"}},
            {{"riepilogo", "L", "--d"}, {"--dal"}},
            {{"trova", folder}, {folder + "2017.lav", folder + "Dipendenti.pro"}},
            {{"esporta", folder + "20"}, {folder + "2017.lav"}},
        };
        for (const auto &[words, expected] : cases)
            QCOMPARE(Cli::completions(words), expected);
        QCOMPARE(cli({"--completa", "ripristina", "--c"}).out, QString("--cartella\n"));
    }

    void trovaListsAsTheFindScreen_data()
    {
        QTest::addColumn<QStringList>("filters");   // "Field=text", given to the command as "--Field=text"
        QTest::addColumn<int>("count");
        QTest::newRow("no filter: every card") << QStringList{} << 6;
        QTest::newRow("substring anywhere") << QStringList{"Cognome=ross"} << 2;
        QTest::newRow("A-Z folded") << QStringList{"Cognome=ROSS"} << 2;
        QTest::newRow("option name in any case") << QStringList{"cognome=ross"} << 2;
        QTest::newRow("both filters must occur") << QStringList{"Cognome=ross", "Nome=luigi"} << 1;
        QTest::newRow("trailing blank as typed") << QStringList{"Nome=mario "} << 1;
        QTest::newRow("blanks alone count for nothing") << QStringList{"Cognome=  "} << 6;
        // N is 1 (luigi); the blank occurs in the two surnames made of more words.
        QTest::newRow("a blank filter still adds to M") << QStringList{"Cognome= ", "Nome=luigi"} << 2;
        QTest::newRow("accented capital is not folded") << QStringList{QString::fromUtf8("Cognome=èrc")} << 0;
        QTest::newRow("accented capital as stored") << QStringList{QString::fromUtf8("Cognome=Èrc")} << 1;
        QTest::newRow("Codice is the job") << QStringList{"Codice=istrutt"} << 1;
        QTest::newRow("digits of the VAT number") << QStringList{"Iva=4567"} << 1;
        QTest::newRow("contract type") << QStringList{"Acquisto=tempo"} << 2;
        QTest::newRow("availability, equipment, notes, category, code")
            << QStringList{"Familiari=ven", "Prodotti=divisa", "Note=patente", "Categoria=b1", "CodFisc=h501"} << 1;
        QTest::newRow("nothing found") << QStringList{"Note=ferie"} << 0;
    }
    void trovaListsAsTheFindScreen()
    {
        QFETCH(QStringList, filters);
        QFETCH(int, count);
        Archives a;
        QStringList args{"trova", a.workersPath};
        QVector<Find::Filter> screen;
        for (const QString &f : filters) {
            args << "--" + f;
            const QString name = f.section('=', 0, 0), text = f.section('=', 1);
            for (const Find::FilterBox &box : WorkerFind::filters())
                if (box.field.compare(name, Qt::CaseInsensitive) == 0)
                    screen.append({WorkerRecord::layout().indexOf(box.field), text});
        }
        const Find::Listing expected = Find::search(a.workersPath, WorkerRecord::layout(), screen, WorkerFind::line());
        QVERIFY(expected.ok);
        QCOMPARE(expected.lines.size(), count);

        const Run r = cli(args);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, asOutput(expected.lines));
        QCOMPARE(r.err, QString());
    }

    void trovaKeepsOneResultPerLine()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Dipendenti.pro");
        QVERIFY(RecordFiles::write(path, {worker({{"Cognome", "Neri"}, {"Note", "prima riga\r\nseconda riga"}})}));
        const Run r = cli({"trova", path});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out.count('\n'), 1);
        QVERIFY(r.out.endsWith("Note: prima riga  seconda riga\n"));
    }

    // A tab or a line break stored inside a field is written as a blank, so that every line
    // of the tab-separated commands keeps its count of fields.
    void tabbedLinesKeepTheirFields()
    {
        QTemporaryDir dir;
        QVERIFY(RecordFiles::write(dir.filePath("2017.lav"),
                                   {card({{"Cognome", "Ros\tsi"}, {"Nome", "Ma\r\nrio"}, {"CodFisc", "RSSMRA80A01H501U"},
                                          {"Data", "01/03/2017"}, {"TotOre", "2,00"}, {"TotDovuto", "10,00"},
                                          {"CodiceProg", "P1"}})}));
        const Run found = cli({"cerca", "ros", "--cartella", dir.path()});
        QCOMPARE(found.code, 0);
        const QStringList lines = found.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines[0].split('\t').size(), 4);
        QVERIFY2(lines[0].section('\t', 3).contains("Ros si"), qPrintable(lines[0]));

        const Run report = cli({"rendiconto", dir.filePath("2017.lav"), "--codice=P1"});
        QCOMPARE(report.code, 0);
        QVERIFY2(report.out.contains("\nLAVORATORE\tRSSMRA80A01H501U\tRos si Ma  rio\t1\t2,00\t10,00\n"),
                 qPrintable(report.out));
    }

    void scadenzeListsTheDueContracts_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QStringList>("surnames");   // in list order
        QTest::newRow("notice reached and long expired") << QStringList{"--oggi=31/05/2017"} << QDate(2017, 5, 31)
                                                         << QStringList{"Bianchi", "Grossi", "Rossi"};
        QTest::newRow("one day later, short year") << QStringList{"--oggi=1/6/17"} << QDate(2017, 6, 1)
                                                   << QStringList{"Bianchi", "bianco", "Grossi", "Rossi"};
        QTest::newRow("today by default") << QStringList{} << QDate(2017, 6, 15)
                                          << QStringList{"Bianchi", "bianco", "Grossi", "Rossi"};
    }
    void scadenzeListsTheDueContracts()
    {
        QFETCH(QStringList, options);
        QFETCH(QDate, today);
        QFETCH(QStringList, surnames);
        Archives a;
        const WorkerFind::Expiring expected = WorkerFind::expiring(a.workersPath, today);
        QStringList found;
        for (const QString &l : expected.listing.lines.toStringList())
            found << l.section(' ', 0, 0);
        QCOMPARE(found, surnames);

        const Run r = cli(QStringList{"scadenze", a.workersPath} + options);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, asOutput(expected.listing.lines));
        // Èrcoli's expiry and Della Valle's notice do not convert.
        QCOMPARE(expected.unreadable, 2);
        QCOMPARE(r.err, WorkerFind::unreadableNotice(2) + "\n");
    }

    void riepilogoPrintsTheSummaryAndItsClosingLines_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("box");   // what the screen's code box would hold
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("total");
        QTest::newRow("March, every worker") << QStringList{"--dal=01/03/2017", "--al=31/03/2017"} << ""
                                             << QDate(2017, 3, 1) << QDate(2017, 3, 31) << 4 << "23,75";
        QTest::newRow("short forms of the date rule") << QStringList{"--dal=1/3/17", "--al=31/3"} << ""
                                                      << QDate(2017, 3, 1) << QDate(2017, 3, 31) << 4 << "23,75";
        QTest::newRow("part of a code, lower case, blanks around")
            << QStringList{"--dal=01/03/2017", "--al=31/03/2017", "--cf= rssmra "} << "RSSMRA"
            << QDate(2017, 3, 1) << QDate(2017, 3, 31) << 3 << "16,75";
        QTest::newRow("one day, both ends included") << QStringList{"--dal=31/03/2017", "--al=31/03/2017"} << ""
                                                     << QDate(2017, 3, 31) << QDate(2017, 3, 31) << 1 << "7,00";
        QTest::newRow("across the new year") << QStringList{"--dal=01/12/2016", "--al=31/12/2017"} << ""
                                             << QDate(2016, 12, 1) << QDate(2017, 12, 31) << 9 << "244,84";
        QTest::newRow("nobody") << QStringList{"--dal=01/03/2017", "--al=31/03/2017", "--cf=ZZZ"} << "ZZZ"
                                << QDate(2017, 3, 1) << QDate(2017, 3, 31) << 0 << "0,00";
    }
    void riepilogoPrintsTheSummaryAndItsClosingLines()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, box);
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QFETCH(int, count);
        QFETCH(QString, total);
        Archives a;
        const PaySummary::Summary expected = PaySummary::build(a.logPath, {box, start, end});
        QCOMPARE(expected.lines.size(), count);
        QCOMPARE(expected.totalText, total);
        const QString interval = PaySummary::intervalText(Routines::dateText(start), Routines::dateText(end));

        const Run r = cli(QStringList{"riepilogo", a.logPath} + options);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, asOutput(PaySummary::printBody(expected.lines.toStringList(), interval, expected.totalText)));
        QVERIFY(r.out.endsWith(QString::fromUtf8("TOTALE COMPENSI:           € ") + total + "\n"));
        if (box.isEmpty() || box == "BNCLCU") {
            QVERIFY(r.err.contains("Data della prestazione non valida: scheda n. 5."));
            QVERIFY(!r.err.contains('\r'));
        }
    }

    void riepilogoReportsTheSkippedCards()
    {
        Archives a;
        const Run r = cli({"riepilogo", a.logPath, "--dal=01/03/2017", "--al=31/03/2017"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.err, QString::fromUtf8("Attenzione: 2 schede dell'archivio non sono state considerate nel riepilogo.\n\n"
                                          "Data della prestazione non valida: scheda n. 5.\n"
                                          "Totale dovuto non valido: scheda n. 6.\n\n"
                                          "Correggere le schede indicate nella schermata di registrazione dei lavori.\n"));
    }

    void statisticheGivesTwelveMonths_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("anno");
        QTest::addColumn<QStringList>("months");   // the months that are not 0
        // Month and year are cut from the date text, so 31/02/2017 counts in February.
        QTest::newRow("year from the file name") << QStringList{} << "2017"
            << QStringList{"Febbraio\t5", "Marzo\t22", "Aprile\t100", "Maggio\t21", "Giugno\t99"};
        QTest::newRow("another year of the same log") << QStringList{"--anno=2016"} << "2016"
                                                      << QStringList{"Dicembre\t1"};
    }
    void statisticheGivesTwelveMonths()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, anno);
        QFETCH(QStringList, months);
        Archives a;
        const MonthlyStats::Stats expected = MonthlyStats::compute(a.logPath, anno);
        QStringList lines, notZero;
        for (int m = 0; m < 12; ++m) {
            const auto label = MonthlyStats::Points[size_t(m)].label;
            lines << QString::fromLatin1(label.data(), qsizetype(label.size())) + '\t' + expected.labels[size_t(m)];
            if (expected.labels[size_t(m)] != "0")
                notZero << lines.last();
        }
        QCOMPARE(notZero, months);

        const Run r = cli(QStringList{"statistiche", a.logPath} + options);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, asOutput(lines));
        // Only the card of March 2017 without a total is left out: 5/3/17 has no two-digit
        // month, so it is passed over before its total is read.
        QCOMPARE(r.err.isEmpty(), anno != "2017");
        if (anno == "2017")
            QVERIFY(r.err.contains("Totale dovuto non valido: scheda n. 6."));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");   // W: Dipendenti.pro, L: 2017.lav, other names in the same folder
        QTest::addColumn<QString>("message");
        QTest::newRow("trova: field not searched") << QStringList{"trova", "W", "--Sesso=M"} << "campo sconosciuto: --Sesso";
        QTest::newRow("trova: no text") << QStringList{"trova", "W", "--Cognome"} << "indicare il testo da cercare: --Cognome=testo";
        QTest::newRow("trova: field twice") << QStringList{"trova", "W", "--Cognome=a", "--cognome=b"} << "campo ripetuto: --Cognome";
        QTest::newRow("trova: two archives") << QStringList{"trova", "W", "W"} << "indicare un solo archivio";
        QTest::newRow("trova: schedules missing") << QStringList{"trova", "Orari.pro"} << "archivio non trovato";
        QTest::newRow("trova: daily shifts, unknown field") << QStringList{"trova", "2017.ore", "--Lavoratore06=x"}
                                                            << "campo sconosciuto: --Lavoratore06";
        QTest::newRow("trova: weekly shifts, times not searched") << QStringList{"trova", "2017.set", "--Inizio01=08"}
                                                                  << "campo sconosciuto: --Inizio01";
        QTest::newRow("trova: projects, phases not searched") << QStringList{"trova", "2017.prg", "--Fasi=x"}
                                                              << "campo sconosciuto: --Fasi";
        QTest::newRow("trova: work log, total not searched") << QStringList{"trova", "L", "--TotDovuto=1"}
                                                             << "campo sconosciuto: --TotDovuto";
        QTest::newRow("scaduti: work log") << QStringList{"scaduti", "L"} << "non è un archivio dei progetti";
        QTest::newRow("scaduti: missing") << QStringList{"scaduti", "2017.prg"} << "archivio non trovato";
        QTest::newRow("incompleti: workers") << QStringList{"incompleti", "W"} << "non è un registro dei lavori";
        QTest::newRow("rtf: card zero") << QStringList{"rtf", "2017.prg", "0", "x.rtf"} << "numero di scheda non valido";
        QTest::newRow("trova: not an archive") << QStringList{"trova", "note.txt"} << "tipo di archivio non riconosciuto";
        QTest::newRow("trova: missing") << QStringList{"trova", "sub/Dipendenti.pro"} << "archivio non trovato";
        QTest::newRow("scadenze: work log") << QStringList{"scadenze", "L"} << "non è un archivio dei lavoratori";
        QTest::newRow("scadenze: 31 February") << QStringList{"scadenze", "W", "--oggi=31/02/2017"}
                                               << "data non valida in --oggi: \"31/02/2017\"";
        QTest::newRow("scadenze: words") << QStringList{"scadenze", "W", "--oggi=domani"} << "data non valida in --oggi";
        QTest::newRow("scadenze: no value") << QStringList{"scadenze", "W", "--oggi"} << "indicare il valore: --oggi=...";
        QTest::newRow("scadenze: unknown option") << QStringList{"scadenze", "W", "--dal=01/01/2017"} << "opzione sconosciuta: --dal";
        QTest::newRow("scadenze: missing") << QStringList{"scadenze", "sub/Dipendenti.pro"} << "archivio non trovato";
        QTest::newRow("riepilogo: no end") << QStringList{"riepilogo", "L", "--dal=01/03/2017"} << "indicare l'intervallo";
        QTest::newRow("riepilogo: 31 April") << QStringList{"riepilogo", "L", "--dal=31/04/2017", "--al=30/04/2017"}
                                             << "data non valida in --dal: \"31/04/2017\"";
        QTest::newRow("riepilogo: empty end") << QStringList{"riepilogo", "L", "--dal=01/04/2017", "--al="}
                                              << "data non valida in --al: \"\"";
        QTest::newRow("riepilogo: end first") << QStringList{"riepilogo", "L", "--dal=02/03/2017", "--al=01/03/2017"}
                                              << QString::fromUtf8("la data di fine intervallo (01/03/2017) non può essere "
                                                                   "anteriore a quella di inizio intervallo (02/03/2017)");
        QTest::newRow("riepilogo: start twice") << QStringList{"riepilogo", "L", "--dal=01/03/2017", "--dal=02/03/2017", "--al=31/03/2017"}
                                                << "opzione ripetuta: --dal";
        QTest::newRow("riepilogo: code too long") << QStringList{"riepilogo", "L", "--dal=01/03/2017", "--al=31/03/2017", "--cf=RSSMRA80A01H501UX"}
                                                  << "al massimo 16 caratteri";
        QTest::newRow("riepilogo: worker archive") << QStringList{"riepilogo", "W", "--dal=01/03/2017", "--al=31/03/2017"}
                                                   << "non è un registro dei lavori";
        QTest::newRow("riepilogo: missing") << QStringList{"riepilogo", "2018.lav", "--dal=01/03/2018", "--al=31/03/2018"}
                                            << "archivio non trovato";
        QTest::newRow("statistiche: two digits") << QStringList{"statistiche", "L", "--anno=17"} << "anno non valido: \"17\"";
        QTest::newRow("statistiche: not digits") << QStringList{"statistiche", "L", "--anno=20a7"} << "anno non valido";
        QTest::newRow("statistiche: no year in the name") << QStringList{"statistiche", "registro.lav"} << "--anno=AAAA";
        QTest::newRow("statistiche: missing") << QStringList{"statistiche", "2018.lav"} << "archivio non trovato";
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        Archives a;
        for (QString &arg : args)
            if (!arg.startsWith("--") && arg != args.first())
                arg = arg == "W" ? a.workersPath : arg == "L" ? a.logPath : a.dir.filePath(arg);
        const QStringList before = QDir(a.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

        const Run r = cli(args);
        // A missing archive is a file error, the rest are usage errors.
        QCOMPARE(r.code, message == "archivio non trovato" ? 3 : 2);
        QCOMPARE(r.out, QString());
        QVERIFY2(r.err.startsWith("veltaro-cli " + args.first() + ": "), qPrintable(r.err));
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        // Only reading: a refused or missing archive is never created.
        QCOMPARE(QDir(a.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    }

    // Every option takes its value after "=" or as the next word, as command lines here do;
    // an option a command does not know is refused by its name.
    void optionsTakeTheirValueEitherWay_data()
    {
        QTest::addColumn<QStringList>("joined");
        QTest::addColumn<QStringList>("apart");
        QTest::newRow("trova") << QStringList{"trova", "W", "--Cognome=ross"} << QStringList{"trova", "W", "--Cognome", "ross"};
        QTest::newRow("riepilogo") << QStringList{"riepilogo", "L", "--dal=01/03/2017", "--al=31/03/2017"}
                                   << QStringList{"riepilogo", "L", "--dal", "01/03/2017", "--al", "31/03/2017"};
        QTest::newRow("esporta") << QStringList{"esporta", "W", "--file=E/uno.xls"} << QStringList{"esporta", "--file", "E/uno.xls", "W"};
        QTest::newRow("ripristina") << QStringList{"ripristina", "--cartella=D"} << QStringList{"ripristina", "--cartella", "D"};
    }
    void optionsTakeTheirValueEitherWay()
    {
        QFETCH(QStringList, joined);
        QFETCH(QStringList, apart);
        Archives a;
        QVERIFY(QDir(a.dir.path()).mkpath("E"));
        const auto place = [&](QStringList args) {
            for (QString &arg : args) {
                if (arg == "W" || arg == "L")
                    arg = arg == "W" ? a.workersPath : a.logPath;
                arg.replace("=E/", "=" + a.dir.path() + "/E/").replace(QRegularExpression("^E/"), a.dir.path() + "/E/");
                arg.replace(QRegularExpression("^D$"), a.dir.path()).replace("=D", "=" + a.dir.path());
            }
            return args;
        };
        const Run one = cli(place(joined));
        const QByteArray first = QFile(a.dir.path() + "/E/uno.xls").exists() ? readAll(a.dir.path() + "/E/uno.xls") : QByteArray();
        QFile::remove(a.dir.path() + "/E/uno.xls");
        const Run two = cli(place(apart));
        QCOMPARE(two.code, 0);
        QCOMPARE(two.err, one.err);
        QCOMPARE(two.out, one.out);
        QCOMPARE(one.code, 0);
        if (joined.first() == "esporta")
            QCOMPARE(readAll(a.dir.path() + "/E/uno.xls"), first);
    }

    void unknownOptionsAreNamed_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("verifica") << QStringList{"verifica", "W", "--forza"};
        QTest::newRow("controlla") << QStringList{"controlla", "cf", "RSSMRA80A01H501U", "--forza=1"};
        QTest::newRow("rtf") << QStringList{"rtf", "2017.prg", "1", "x.rtf", "--forza"};
        QTest::newRow("scadenze") << QStringList{"scadenze", "W", "--forza", "sì"};
    }
    void unknownOptionsAreNamed()
    {
        QFETCH(QStringList, args);
        Archives a;
        if (args.at(1) == "W")
            args[1] = a.workersPath;
        const Run r = cli(args);
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains("opzione sconosciuta: --forza"), qPrintable(r.err));
    }

    void projectsAndWorksAsTheScreens()
    {
        QTemporaryDir dir;
        const QString prg = dir.filePath("2017.prg"), lav = dir.filePath("2017.lav");
        const auto project = [](const Fields &f) { return RecordFiles::make(ProjectRecord::layout(), f); };
        const QList<Record> projects = {
            project({{"Nome", "Zeta {x}"}, {"DataScade", "14/06/2017"}, {"Terminato", "No"}, {"Responsabile", "Rossi"},
                     {"Fasi", "a\r\nb"}}),
            project({{"Nome", "Alfa"}, {"DataScade", "31/02/2017"}, {"Terminato", "No"}, {"Responsabile", "ROSSINI"}}),
            project({{"Nome", "Beta"}, {"DataScade", "01/01/2017"}, {"Terminato", "No"}, {"Responsabile", "Bianchi"}}),
        };
        QVERIFY(RecordFiles::write(prg, projects));
        QVERIFY(RecordFiles::write(lav, {card({{"Attivita", "Pulizia"}, {"Cognome", "Rossi"}, {"Data", "02/03/2017"},
                                               {"Incompleto", "S\u00ec"}}),
                                         card({{"Attivita", "Custodia"}, {"Cognome", "Grossi"}, {"Data", "02/04/2017"},
                                               {"Incompleto", "No"}})}));
        const auto search = [](const QString &path, const RecordLayout &layout, const QVector<Find::Filter> &f,
                               const Find::LineBuilder &line) { return asOutput(Find::search(path, layout, f, line).lines); };

        Run r = cli({"trova", prg, "--Responsabile=rossi"});
        QCOMPARE(r.out, search(prg, ProjectRecord::layout(), {{ProjectRecord::layout().indexOf("Responsabile"), "rossi"}},
                               ProjectFind::line()));
        QCOMPARE(r.out.count('\n'), 2);
        r = cli({"trova", lav, "--Cognome=ros", "--Data=/03/"});
        QCOMPARE(r.out, search(lav, WorkRecord::layout(),
                               {{WorkRecord::layout().indexOf("Cognome"), "ros"}, {WorkRecord::layout().indexOf("Data"), "/03/"}},
                               WorkFind::line()));
        QCOMPARE(r.out.count('\n'), 1);

        r = cli({"scaduti", prg, "--oggi=15/06/2017"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, asOutput(ProjectFind::expired(prg, QDate(2017, 6, 15)).listing.lines));
        QCOMPARE(r.out.count('\n'), 2);
        QVERIFY(r.err.contains("1 scheda non è stata inclusa"));

        r = cli({"incompleti", lav});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, asOutput(WorkFind::incomplete(lav).lines));
        QVERIFY(r.out.startsWith("Pulizia "));
        QCOMPARE(r.out.count('\n'), 1);

        const QString rtf = dir.filePath("scheda.rtf");
        r = cli({"rtf", prg, "1", rtf});
        QCOMPARE(r.code, 0);
        QFile written(rtf);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), ProjectRtf::document(projects.first()));
        r = cli({"rtf", prg, "4", rtf});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains("la scheda 4 non esiste"));
    }

    void ripristinaListsAndRestores()
    {
        QTemporaryDir dir;
        const QString data = dir.path() + '/';
        QVERIFY(RecordFiles::write(data + "Dipendenti.pro", {worker({{"Cognome", "Rossi"}})}));
        const QDateTime start(QDate(2017, 6, 15), QTime(8, 30));
        QVERIFY(Backup::run(data, start).status == Backup::Outcome::Made);
        QVERIFY(RecordFiles::write(data + "Dipendenti.pro", {worker({{"Cognome", "Rossi"}}), worker({{"Cognome", "Verdi"}})}));
        QVERIFY(Backup::run(data, start.addDays(1)).status == Backup::Outcome::Made);
        const QString folder = "--cartella=" + dir.path();

        Run r = cli({"ripristina", folder});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.contains("Cartella dei dati: " + data), qPrintable(r.out));
        QVERIFY2(r.out.contains("  1  2017-06-16_083000  Dipendenti.pro (8086 byte)\n"
                                "  2  2017-06-15_083000  Dipendenti.pro (4043 byte)\n"),
                 qPrintable(r.out));

        r = cli({"ripristina", "2", folder});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.contains("Ripristinato: Dipendenti.pro"), qPrintable(r.out));
        QCOMPARE(QFileInfo(data + "Dipendenti.pro").size(), 4043);
        QCOMPARE(Backup::list(data).size(), 3);   // the archives found before, kept aside

        r = cli({"ripristina", "7", folder});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains("non c'è la copia numero 7 (copie: 3)"));
        r = cli({"ripristina", "2017-01-01_000000", folder});
        QCOMPARE(r.code, 3);   // as a missing archive
        QVERIFY(r.err.contains("copia di sicurezza non trovata: 2017-01-01_000000"));
        QCOMPARE(QFileInfo(data + "Dipendenti.pro").size(), 4043);
        r = cli({"ripristina", "--cartella=" + dir.path() + "/none"});
        QCOMPARE(r.code, 3);
        QVERIFY(r.err.contains("cartella dei dati non trovata"));
    }

    // The open program marks its data folder; a restore refuses while the mark is held, on
    // any computer, unless forced, and the mark goes with the program however it ends.
    void ripristinaWaitsForTheProgramToClose()
    {
        QTemporaryDir dir;
        const QString data = dir.path() + '/';
        QVERIFY(RecordFiles::write(data + "Dipendenti.pro", {worker({{"Cognome", "Rossi"}})}));
        QVERIFY(Backup::run(data, QDateTime(QDate(2017, 6, 15), QTime(8, 30))).status == Backup::Outcome::Made);
        const QString folder = "--cartella=" + dir.path();

        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        program.setProcessEnvironment(env);
        program.start(VELTARO_PATH, {"--cartella", dir.path()});
        QVERIFY(program.waitForStarted());
        // Asked without holding on between the questions, so the program is never kept out.
        const auto marked = [&] {
            FolderLock probe;
            return !probe.acquire(data, FolderLock::Kind::Exclusive) && probe.busy();
        };
        QTRY_VERIFY_WITH_TIMEOUT(marked(), 20000);

        Run r = cli({"ripristina", "1", folder});
        QCOMPARE(r.code, 3);   // the archives cannot be written now
        QVERIFY2(r.err.contains("la cartella dei dati è in uso") && r.err.contains("--forza"), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
        QCOMPARE(Backup::list(data).size(), 1);   // nothing set aside, nothing restored
        // Listing reads only: it is never refused.
        QCOMPARE(cli({"ripristina", folder}).code, 0);

        r = cli({"ripristina", "--forza", "1", folder});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.contains("Ripristinato: Dipendenti.pro"), qPrintable(r.out));

        ::kill(pid_t(program.processId()), SIGKILL);
        QVERIFY(program.waitForFinished());
        QTest::qWait(1100);   // the copy set aside is named by the second
        r = cli({"ripristina", "1", folder});
        QVERIFY2(r.code == 0, qPrintable(r.err));
    }

    void everyCommandHasItsHelp_data()
    {
        QTest::addColumn<QString>("name");
        for (const Cli::Command &c : Cli::commands())
            QTest::newRow(c.name) << QString::fromLatin1(c.name);
    }
    void everyCommandHasItsHelp()
    {
        QFETCH(QString, name);
        const Run r = cli({name, "--help"});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.startsWith("Uso: veltaro-cli " + name + " "));
        QVERIFY(cli({"--help"}).out.contains("\n  " + name + " "));
    }

    // The program itself: UTF-8 on its standard output, every line across many buffer fills,
    // and a write that fails is an error.
    void programWritesUtf8AndNoticesFailedWrites()
    {
        Archives a;
        QProcess p;
        p.start(VELTARO_CLI_PATH, {"riepilogo", a.logPath, "--dal=01/03/2017", "--al=31/03/2017"});
        QVERIFY(p.waitForFinished());
        QCOMPARE(p.exitCode(), 0);
        const QByteArray out = p.readAllStandardOutput();
        QVERIFY(out.contains("Attivit\xC3\xA0 di controllo"));
        QVERIFY(out.contains("Tot. \xE2\x82\xAC 10,50"));
        const PaySummary::Summary march = PaySummary::build(a.logPath, {"", QDate(2017, 3, 1), QDate(2017, 3, 31)});
        QCOMPARE(QString::fromUtf8(out), asOutput(PaySummary::printBody(march.lines.toStringList(),
                                                                       "Dal   01/03/2017   al   31/03/2017", march.totalText)));

        QTemporaryDir dir;
        const QString many = dir.filePath("Dipendenti.pro");
        QList<Record> cards;
        for (int i = 0; i < 8000; ++i)
            cards << worker({{"Cognome", QString::fromUtf8("Città%1").arg(i % 97)}, {"Nome", QString::number(i)},
                             {"Note", QString(120, QLatin1Char('n'))}});
        QVERIFY(RecordFiles::write(many, cards));
        p.start(VELTARO_CLI_PATH, {"trova", many});
        QVERIFY(p.waitForFinished());
        QCOMPARE(p.exitCode(), 0);
        const QString listed = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY(listed.size() > 1 << 20);
        QCOMPARE(listed, asOutput(Find::search(many, WorkerRecord::layout(), {}, WorkerFind::line()).lines));

        if (!QFile::exists("/dev/full"))
            QSKIP("no /dev/full here");
        p.setStandardOutputFile("/dev/full");
        p.start(VELTARO_CLI_PATH, {"trova", many});
        QVERIFY(p.waitForFinished());
        QCOMPARE(p.exitCode(), 3);
        QVERIFY(p.readAllStandardError().contains("scrittura dei risultati non riuscita"));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "TestCli.moc"
