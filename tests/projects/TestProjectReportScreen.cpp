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

#include <QLabel>
#include <QLineEdit>

// The project card's "Rendiconto", with the keyboard: the totals against the estimate, the
// lines by worker and by month, printed to PDF and exported.
class TestProjectReportScreen : public QObject
{
    Q_OBJECT

    static QWidget *focus() { return QApplication::focusWidget(); }

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
};

QTEST_MAIN(TestProjectReportScreen)
#include "TestProjectReportScreen.moc"
