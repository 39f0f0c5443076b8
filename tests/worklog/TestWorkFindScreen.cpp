#include "archive/TextCodec.h"
#include "projects/ProjectFind.h"
#include "projects/ProjectRecord.h"
#include "support/Modal.h"
#include "support/RecordFiles.h"
#include "support/ScreenFixture.h"
#include "worklog/WorkCardScreen.h"
#include "worklog/WorkFind.h"
#include "worklog/WorkRecord.h"

#include <QCheckBox>
#include <QLabel>
#include <QDir>
#include <QLineEdit>

namespace {
using RecordFiles::Fields;
Record work(const Fields &f) { return RecordFiles::make(WorkRecord::layout(), f); }
Record project(const Fields &f) { return RecordFiles::make(ProjectRecord::layout(), f); }

QList<Record> works()
{
    return {
        work({{"Attivita", "Pulizia sala"}, {"Data", "02/03/2017"}, {"Cognome", "Rossi"}, {"Nome", "Mario"},
              {"CodFisc", "RSSMRA80A01H501U"}, {"Recapito", "333"}, {"TotDovuto", "45,00"}, {"Incompleto", "S\u00ec"}}),
        work({{"Attivita", QString(50, 'a')}, {"Data", "05/04/2017"}, {"Cognome", "Grossi"}, {"Incompleto", "No"}}),
        work({{"Attivita", "Custodia"}, {"Data", "09/03/2017"}, {"Cognome", "Bianchi"}, {"Incompleto", ""},
              {"Note", "prima"}}),
        work({{"Attivita", "Custodia"}, {"Data", "09/03/2017"}, {"Cognome", "Bianchi"}, {"Incompleto", "S\u00ec"},
              {"Note", "seconda"}}),
    };
}

QString line(const Record &r)
{
    QByteArray out;
    WorkFind::line()(r.bytes().constData(), out);
    return Cp1252::decode(out);
}
}

class TestWorkFindScreen : public QObject
{
    Q_OBJECT

    WorkCardScreen *screen = nullptr;
    QLineEdit *box(const char *f) { return ScreenFixture::child<QLineEdit>(screen, qPrintable(QString("txt") + f)); }
    void openLog(ScreenFixture &fx)
    {
        screen = qobject_cast<WorkCardScreen *>(fx.screens->workLog);
        screen->findChild<QLabel *>("lblFile")->setText(fx.path("2017.lav"));
        screen->open();
        ScreenFixture::activate(screen);
        for (const char *c : {"cmdTrova", "cmdIncompleti", "impProgetto"})
            QVERIFY(ScreenFixture::child(screen, c)->isEnabled());
    }

private slots:
    void workLine()
    {
        QCOMPARE(line(works()[0]), "Pulizia sala" + QString(32, ' ') + " Data: 02/03/2017  Rossi Mario" + QString(17, ' ')
                                       + QString::fromUtf8("  C.F. RSSMRA80A01H501U  Tel. 333") + QString(11, ' ')
                                       + QString::fromUtf8("  Tot. € 45,00"));
        QVERIFY(line(works()[1]).startsWith(QString(44, 'a') + " Data: "));
    }

    void findAndIncompleteLoadTheWork()
    {
        ScreenFixture fx;
        QVERIFY(RecordFiles::write(fx.path("2017.lav"), works()));
        openLog(fx);

        Modal::on([](QDialog *d) {
            QCOMPARE(d->windowTitle(), QString(" Trova prestazioni lavorative in archivio"));
            QCOMPARE(Modal::search(d, {{"txtCognome", "ROS"}, {"txtData", "/03/"}}), QStringList{line(works()[0])});
            Modal::pick(d);
        });
        ScreenFixture::click(screen, "cmdTrova");
        QCOMPARE(box("Cognome")->text(), QString("Rossi"));
        QCOMPARE(screen->lblPosizione()->text(), QString("1"));
        QVERIFY(ScreenFixture::child<QCheckBox>(screen, "chkIncompleto")->isChecked());

        Modal::on([](QDialog *d) {
            QCOMPARE(Modal::search(d, {}).size(), 4);
            QCOMPARE(ScreenFixture::child<QLabel>(d, "lblTrovate")->text(), QString("Il presente riepilogo contiene 4 schede."));
        });
        ScreenFixture::click(screen, "cmdTrova");

        // Only "Sì" is listed; identical lines load the card stored last.
        Modal::on([](QDialog *d) {
            QCOMPARE(d->windowTitle(), QString(" Riepilogo lavori incompleti"));
            auto *list = ScreenFixture::child<ResultList>(d, "lstRecords");
            QCOMPARE(list->lines(), (QStringList{line(works()[3]), line(works()[0])}));
            Modal::pick(d, 0);
        });
        ScreenFixture::click(screen, "cmdIncompleti");
        QCOMPARE(box("Note")->text(), QString("seconda"));
        QCOMPARE(screen->lblPosizione()->text(), QString("4"));

        // A log that cannot be read is said, not shown as a year without incomplete works.
        QVERIFY(QFile::remove(fx.path("2017.lav")) && QDir().mkdir(fx.path("2017.lav")));
        Dialogs::Test::clear();
        Modal::on([](QDialog *) { QTRY_COMPARE(Dialogs::Test::shown().size(), 1); });
        ScreenFixture::click(screen, "cmdIncompleti");
        QCOMPARE(Dialogs::Test::last().text, Dialogs::archiveAccessText());
    }

    void importsAProject()
    {
        ScreenFixture fx;
        QVERIFY(RecordFiles::write(fx.path("2016.prg"),
                                   {project({{"Nome", "  " + QString(45, 'p')}, {"Codice", "C-1 "}, {"Ambito", "Sport"}}),
                                    project({{"Nome", "Altro"}})}));
        openLog(fx);
        box("Cognome")->setText("Rossi");

        Modal::on([](QDialog *d) {
            QCOMPARE(d->windowTitle(), QString(" Importazione dati progetto"));
            auto *year = ScreenFixture::child<QLineEdit>(d, "txtAnno");
            QCOMPARE(year->text(), QString("2017"));
            year->clear();
            QTest::keyClicks(year, "2x01");
            QCOMPARE(year->text(), QString("201"));
            QTest::mouseClick(ScreenFixture::child(d, "btnApri"), Qt::LeftButton);
            QCOMPARE(Dialogs::Test::last().text, QString("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
            QTest::keyClicks(year, "8");
            QTest::mouseClick(ScreenFixture::child(d, "btnApri"), Qt::LeftButton);
            QCOMPARE(ScreenFixture::child<ResultList>(d, "lstRecords")->count(), 0);
        });
        ScreenFixture::click(screen, "impProgetto");
        QCOMPARE(fx.fileBytes("2018.prg"), QByteArray());
        QVERIFY(QFile::exists(fx.path("2018.prg")));

        Modal::on([](QDialog *d) {
            auto *year = ScreenFixture::child<QLineEdit>(d, "txtAnno");
            year->setText("2016");
            QTest::mouseClick(ScreenFixture::child(d, "btnApri"), Qt::LeftButton);
            auto *list = ScreenFixture::child<ResultList>(d, "lstRecords");
            QCOMPARE(list->count(), 2);
            QCOMPARE(list->line(1).left(40), QString(40, 'p'));
            Modal::pick(d, 1);
        });
        ScreenFixture::click(screen, "impProgetto");
        QCOMPARE(box("NomeProg")->text(), "  " + QString(45, 'p'));

        // A year whose archive cannot be read: told so, and still on the year.
        QVERIFY(QDir().mkdir(fx.path("2015.prg")));
        Modal::on([](QDialog *d) {
            auto *year = ScreenFixture::child<QLineEdit>(d, "txtAnno");
            year->setText("2015");
            Dialogs::Test::clear();
            QTest::mouseClick(ScreenFixture::child(d, "btnApri"), Qt::LeftButton);
            QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Notice);
            QCOMPARE(Dialogs::Test::last().text, Dialogs::archiveAccessText());
            QVERIFY(year->isVisible());
            QVERIFY(!ScreenFixture::child(d, "lstRecords")->isVisible());
            d->reject();
        });
        ScreenFixture::click(screen, "impProgetto");
        QCOMPARE(box("CodiceProg")->text(), QString("C-1 "));
        QCOMPARE(box("AmbitoProg")->text(), QString("Sport"));
        QCOMPARE(box("Cognome")->text(), QString("Rossi"));
    }
};

QTEST_MAIN(TestWorkFindScreen)
#include "TestWorkFindScreen.moc"
