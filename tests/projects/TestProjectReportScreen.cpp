#include "shell/MainMenu.h"
#include "compensation/ProjectReport.h"
#include "framework/Printing.h"
#include "projects/ProjectCardScreen.h"
#include "projects/ProjectRecord.h"
#include "shell/PaymentsMenu.h"
#include "shell/YearMenu.h"
#include "support/CliRun.h"
#include "support/Modal.h"
#include "support/RecordFiles.h"
#include "support/ScreenFixture.h"
#include "worklog/WorkRecord.h"

#include "compensation/ProjectCostChart.h"
#include "projects/ProjectReportScreen.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

// The project card's "Rendiconto", with the keyboard: the totals against the estimate, the
// lines by worker and by month, printed to PDF and exported.
class TestProjectReportScreen : public QObject
{
    Q_OBJECT

    static QWidget *focus() { return QApplication::focusWidget(); }

    // A key in a date box opens the calendar; Enter there takes the date.
    static void pickDate(QLineEdit *box, const QDate &date)
    {
        Modal::on([date](QDialog *d) {
            QCOMPARE(d->objectName(), QString("TfrmCalendario"));
            auto *calendar = ScreenFixture::child<QCalendarWidget>(d, "calAppuntamenti");
            calendar->setSelectedDate(date);
            QTest::keyClick(calendar->findChild<QAbstractItemView *>(), Qt::Key_Return);
        });
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClick(box, Qt::Key_1);
        // The offscreen platform gives no window back its activation when a dialog closes.
        ScreenFixture::activate(box);
    }

    static QString pdfText(const QString &pdf)
    {
        QProcess text;
        text.start("pdftotext", {"-layout", "-enc", "UTF-8", pdf, "-"});
        return text.waitForFinished(30000) ? QString::fromUtf8(text.readAllStandardOutput()) : QString();
    }

private slots:
    void reportFromTheProjectCard()
    {
        ScreenFixture fx;
        using RecordFiles::make;
        QVERIFY(RecordFiles::write(fx.path("2017.prg"),
                                   {make(ProjectRecord::layout(), {{"Nome", "Sito nuovo"}, {"Codice", "PRG-7"}, {"DataInizio", "01/03/2017"},
                                                                   {"DataScade", "28/02/2018"}, {"CostoPrev", "1000,00"},
                                                                   {"TotCosti", "300,00"}})}));
        const auto work = [](const char *cf, const char *surname, const char *date, const char *hours, const char *due,
                             const char *code) {
            return make(WorkRecord::layout(), {{"CodFisc", cf}, {"Cognome", surname}, {"Nome", "A."}, {"Data", date},
                                               {"TotOre", hours}, {"TotDovuto", due}, {"CodiceProg", code}});
        };
        QVERIFY(RecordFiles::write(fx.path("2017.lav"),
                                   {work("RSSMRA80A01H501U", "Rossi", "10/03/2017", "2,50", "50,00", "PRG-7"),
                                    work("BNCLCU75B02F205X", "Bianchi", "11/03/2017", "1,00", "20,00", "prg-7 "),
                                    work("RSSMRA80A01H501U", "Rossi", "12/04/2017", "4,00", "80,00", "PRG-8")}));
        QVERIFY(RecordFiles::write(fx.path("2018.lav"),
                                   {work("RSSMRA80A01H501U", "Rossi", "15/01/2018", "3,00", "100,00", "PRG-7")}));
        auto *card = qobject_cast<ProjectCardScreen *>(YearMenu::openArchive(fx.path("2017.prg")));
        QVERIFY(card);
        ScreenFixture::activate(card);
        card->last();
        QCOMPARE(card->findChild<QLineEdit *>("txtCodice")->text(), QString("PRG-7"));
        card->selectSection(4);   // "Costi"
        card->findChild<QWidget *>("txtTotCosti")->setFocus();
        QTest::keyClick(focus(), Qt::Key_Tab);
        QCOMPARE(focus()->objectName(), QString("btnRendiconto"));

        QTemporaryDir out;
        const QString pdf = out.filePath("rendiconto.pdf");
        QStringList summary, lines;
        Modal::on([&](QDialog *d) {
            QCOMPARE(d->objectName(), QString("TfrmRendiconto"));
            ScreenFixture::activate(d);
            summary = ScreenFixture::child<QLabel>(d, "lblTotale")->text().split('\n');
            lines = ScreenFixture::child<ResultList>(d, "lstRendiconto")->lines();
            Printing::Test::setOutput(pdf);
            QWidget *print = ScreenFixture::child(d, "btnStampa");
            print->setFocus(Qt::TabFocusReason);
            QTest::keyClick(print, Qt::Key_Return);
            Printing::Test::setOutput(QString());
            Dialogs::Test::queueAnswer(true);    // export
            Dialogs::Test::queueAnswer(false);   // do not open it
            QWidget *exportButton = ScreenFixture::child(d, "btnEsporta");
            exportButton->setFocus(Qt::TabFocusReason);
            QTest::keyClick(exportButton, Qt::Key_Return);
        });
        QTest::keyClick(focus(), Qt::Key_Return);
        // Both years' logs: 2,50 + 1,00 + 3,00 hours, 50 + 20 + 100 euro of 1000.
        QCOMPARE(summary, (QStringList{"Totale: 3 lavori, 6,50 ore, dovuto € 170,00",
                                       "Costo preventivato: € 1000,00; dovuto per i lavori registrati: € 170,00 (17,0% del preventivo)",
                                       "Parte del preventivo ancora disponibile: € 830,00",
                                       "Totale importi versati alla data attuale: € 300,00"}));
        QVERIFY(lines.at(1).contains("Bianchi A.") && lines.at(1).contains("BNCLCU75B02F205X"));
        QVERIFY(lines.at(2).contains("Rossi A.") && lines.at(2).contains("5,50 ore") && lines.at(2).contains("€ 150,00"));
        QVERIFY(lines.contains("  03/2017" + QString(38, ' ') + "      2 lavori      3,50 ore        € 70,00"));
        // The command line adds up the same works of each year's log.
        qint64 hours = 0, due = 0;
        for (const char *log : {"2017.lav", "2018.lav"}) {
            const CliRun::Run run = CliRun::cli({"rendiconto", fx.path(log), "--codice", "prg-7"});
            QCOMPARE(run.code, 0);
            const QStringList total = run.out.split('\n', Qt::SkipEmptyParts).last().split('\t');
            hours += *ProjectReport::storedHundredths(total.at(1).toLatin1());
            due += *ProjectReport::storedHundredths(total.at(2).toLatin1());
        }
        QCOMPARE(summary.first(), QString("Totale: 3 lavori, %1 ore, dovuto € %2")
                                      .arg(ProjectReport::hundredths(hours), ProjectReport::hundredths(due)));
        QFile printed(pdf);
        QVERIFY(printed.open(QIODevice::ReadOnly) && printed.read(5) == "%PDF-");
        const QByteArray sheet = fx.fileBytes("Rendiconto_PRG-7.xls");
        QVERIFY(sheet.contains(">Rossi A.</td>") && sheet.contains(">170,00</td>"));
    }

    // The window names the project as typed, markup and all; a period narrows lines, totals
    // and chart; the print and the sheet carry every fact the window shows, the sheet's
    // figures as numbers.
    void periodChartPrintAndSheet()
    {
        ScreenFixture fx;
        using RecordFiles::make;
        const auto work = [](const char *date, const char *hours, const char *due) {
            return make(WorkRecord::layout(), {{"CodFisc", "RSSMRA80A01H501U"}, {"Cognome", "Rossi"}, {"Nome", "A."},
                                               {"Data", date}, {"TotOre", hours}, {"TotDovuto", due}, {"CodiceProg", "PRG-7"}});
        };
        QVERIFY(RecordFiles::write(fx.path("2017.lav"), {work("10/03/2017", "2,50", "50,00"), work("11/05/2017", "1,00", "20,00")}));
        QVERIFY(RecordFiles::write(fx.path("2018.lav"), {work("15/01/2018", "3,00", "100,00"), work("16/01/2018", "tre", "9,00")}));
        ProjectReportScreen screen({"<b>&amp; Sito", "PRG-7", "1000,00", "300,00", fx.path("2017.prg"), "28/02/2018"});
        screen.show();
        ScreenFixture::activate(&screen);
        for (QLabel *label : screen.findChildren<QLabel *>())
            if (label->text().contains("<b>"))
                QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(ScreenFixture::child<QLabel>(&screen, "lblTitolo")->text(),
                 QString("Rendiconto del progetto <b>&amp; Sito (codice PRG-7)"));
        // The sum so far of every month from the first to the last with work.
        const auto &points = screen.chart()->points();
        QCOMPARE(points.size(), 11);
        QCOMPARE(points.first(), (QPair<QString, qint64>("03/2017", 5000)));
        QCOMPARE(points.at(3), (QPair<QString, qint64>("06/2017", 7000)));
        QCOMPARE(points.last(), (QPair<QString, qint64>("01/2018", 17000)));
        QVERIFY(screen.chart()->emptyNote().isEmpty());
        QVERIFY(ScreenFixture::child<QLabel>(&screen, "lblNota")->text().contains("Totale ore non valido: 2018.lav scheda n. 2."));

        // By keys: the period's two boxes, then the list, the chart and the commands.
        auto *dal = ScreenFixture::child<QLineEdit>(&screen, "txtDal");
        auto *al = ScreenFixture::child<QLineEdit>(&screen, "txtAl");
        pickDate(dal, QDate(2017, 4, 1));
        QCOMPARE(dal->text(), QString("01/04/2017"));
        pickDate(al, QDate(2018, 1, 31));
        QCOMPARE(al->text(), QString("31/01/2018"));
        QCOMPARE(focus(), al);
        QStringList order;
        for (int i = 0; i < 6; ++i) {
            QTest::keyClick(focus(), Qt::Key_Tab);
            order << focus()->objectName();
        }
        QCOMPARE(order, (QStringList{"lstRendiconto", "grfCosti", "btnAnteprima", "btnStampa", "btnEsporta", "btnChiudi"}));
        QCOMPARE(ScreenFixture::child<QLabel>(&screen, "lblTotale")->text().split('\n').first(),
                 QString("Totale: 2 lavori, 4,00 ore, dovuto € 120,00"));
        QCOMPARE(points.first(), (QPair<QString, qint64>("05/2017", 2000)));
        QCOMPARE(points.last(), (QPair<QString, qint64>("01/2018", 12000)));

        // Printed: the facts above the lines, the warning below, the chart on a page of its own.
        QTemporaryDir out;
        const QString pdf = out.filePath("rendiconto.pdf");
        Printing::Test::setOutput(pdf);
        QWidget *print = ScreenFixture::child(&screen, "btnStampa");
        print->setFocus(Qt::TabFocusReason);
        QTest::keyClick(print, Qt::Key_Return);
        Printing::Test::setOutput(QString());
        const QString paper = pdfText(pdf);
        const QStringList pages = paper.split('\f', Qt::SkipEmptyParts);
        QVERIFY2(pages.size() >= 2, qPrintable(paper));
        for (const char *fact : {"Rendiconto del progetto <b>&amp; Sito (codice PRG-7)", "Progetto: <b>&amp; Sito", "Codice: PRG-7",
                                 "Periodo: dal 01/04/2017 al 31/01/2018", "Registri letti: 2017.lav, 2018.lav",
                                 "Costo preventivato: € 1000,00; dovuto per i lavori registrati: € 120,00 (12,0% del preventivo)",
                                 "Parte del preventivo ancora disponibile: € 880,00",
                                 "Totale importi versati alla data attuale: € 300,00",
                                 "Totale ore non valido: 2018.lav scheda n. 2."})
            QVERIFY2(paper.contains(QString::fromUtf8(fact)), fact);
        QVERIFY2(pages.last().contains("Costo cumulato dei lavori registrati") && pages.last().contains("05/2017"),
                 qPrintable(pages.last()));

        // Exported: the same facts, the figures as number cells an office suite adds up.
        Dialogs::Test::queueAnswer(true);    // export
        Dialogs::Test::queueAnswer(false);   // do not open it
        QWidget *exportButton = ScreenFixture::child(&screen, "btnEsporta");
        exportButton->setFocus(Qt::TabFocusReason);
        QTest::keyClick(exportButton, Qt::Key_Return);
        const QByteArray sheet = fx.fileBytes("Rendiconto_PRG-7.xls");
        for (const char *cell : {">Registri letti</td>", ">2017.lav, 2018.lav</td>", ">Periodo</td>", ">Codice</td>",
                                 ">&lt;b&gt;&amp;amp; Sito</td>", "x:num=\"120.00\"", "x:num=\"1000.00\"", "x:num=\"12.0\"",
                                 "x:num=\"300.00\"", ">Schede non considerate</td>"})
            QVERIFY2(sheet.contains(cell), cell);
        const QString soffice = QStandardPaths::findExecutable("soffice");
        if (soffice.isEmpty())
            QSKIP("LibreOffice (soffice) is not installed: the worksheet is not opened here");
        QProcess office;
        office.start(soffice, {"--headless", "-env:UserInstallation=file://" + out.filePath("profilo"), "--convert-to", "fods",
                               "--outdir", out.path(), fx.path("Rendiconto_PRG-7.xls")});
        QVERIFY(office.waitForFinished(180000));
        QFile fods(out.filePath("Rendiconto_PRG-7.fods"));
        QVERIFY2(fods.open(QIODevice::ReadOnly), office.readAllStandardError().constData());
        QStringList numbers;
        const QRegularExpression value("office:value-type=\"float\" office:value=\"([-0-9.]+)\"");
        for (auto m = value.globalMatch(QString::fromUtf8(fods.readAll())); m.hasNext();)
            numbers << m.next().captured(1);
        // The worker, the two months and the total: works, hours, amount, part of the estimate;
        // then the estimate, what is left of it and the amounts paid.
        QCOMPARE(numbers, (QStringList{"2", "4", "120", "12", "1", "1", "20", "2", "1", "3", "100", "10",
                                       "2", "4", "120", "12", "1000", "100", "880", "88", "300"}));
    }
};

QTEST_MAIN(TestProjectReportScreen)
#include "TestProjectReportScreen.moc"
