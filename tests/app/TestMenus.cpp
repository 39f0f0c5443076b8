#include "app/Calendario.h"
#include "app/Menus.h"
#include "support/RecordFiles.h"
#include "support/ScreenFixture.h"
#include "workers/Istruttori.h"
#include "workers/WorkerRecord.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

class TestMenus : public QObject
{
    Q_OBJECT
private slots:
    void yearMenuOpensModuleAndCloseReturnsToMainMenu()
    {
        ScreenFixture fx;
        Screens &s = *fx.screens;
        s.avvio->open();
        QVERIFY(s.avvio->isVisible());
        ScreenFixture::click(s.avvio, "btnCalendario");
        QVERIFY(s.menuRegistro->isVisible());
        QVERIFY(!s.avvio->isVisible());
        auto *daily = ScreenFixture::child<QLineEdit>(s.menuRegistro, "txtAnnoFatture");
        QCOMPARE(daily->text(), QString("2017"));
        QCOMPARE(ScreenFixture::child<QLineEdit>(s.menuRegistro, "txtAnnoSet")->text(), QString("2017"));
        QCOMPARE(s.menuRegistro->lblMemory()->text(), QString("avvio"));

        ScreenFixture::click(s.menuRegistro, "btnApriFatture");
        QVERIFY(s.turni->isVisible());
        QVERIFY(!s.menuRegistro->isVisible());
        QCOMPARE(s.turni->windowTitle(), QString(" Veltaro - Programmazione turni anno 2017"));
        QCOMPARE(ScreenFixture::child<QLabel>(s.turni, "lblFile")->text(), fx.path("2017.ore"));

        s.turni->close();
        QVERIFY(s.avvio->isVisible());       // back to the main menu, not to the year menu
        QVERIFY(!s.menuRegistro->isVisible());
    }

    void everyMenuPathReachesItsScreen_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("file");
        QTest::newRow("workers") << "btnLavoratori" << "" << "" << "TfrmIstruttori" << "";
        QTest::newRow("schedules") << "imgImpostaOrari" << "" << "" << "TfrmOrari" << "";
        QTest::newRow("weekly") << "btnCalendario" << "TfrmMenuRegistro" << "btnApriAnnoSet" << "TfrmSettimanale" << "2017.set";
        QTest::newRow("projects") << "btnProgetti" << "TfrmMenuReferti" << "btnApriPreventivi" << "TfrmReferti" << "2017.prg";
        QTest::newRow("work log") << "imgLavori" << "TfrmMenuLavori" << "btnApriPreventivi" << "TfrmLavori" << "2017.lav";
        QTest::newRow("summary") << "btnCompensi" << "TfrmMenuPagamenti" << "btnRiepiloghi" << "TfrmMenuRiepilogoPagamenti" << "";
        QTest::newRow("statistics") << "imgCompensi" << "TfrmMenuPagamenti" << "icoDVD" << "TfrmStatistiche" << "";
    }
    void everyMenuPathReachesItsScreen()
    {
        QFETCH(QString, entry);
        QFETCH(QString, menu);
        QFETCH(QString, button);
        QFETCH(QString, screen);
        QFETCH(QString, file);
        ScreenFixture fx;
        fx.screens->avvio->open();
        ScreenFixture::click(fx.screens->avvio, qPrintable(entry));
        if (!menu.isEmpty()) {
            WorkWindow *m = Navigation::current();
            QCOMPARE(m->objectName(), menu);
            ScreenFixture::click(m, qPrintable(button));
        }
        WorkWindow *shown = Navigation::current();
        QCOMPARE(shown->objectName(), screen);
        QVERIFY(shown->isVisible());
        if (!file.isEmpty())
            QCOMPARE(ScreenFixture::child<QLabel>(shown, "lblFile")->text(), fx.path(file));
        shown->close();
        QCOMPARE(Navigation::current(), fx.screens->avvio);
    }

    void yearMustBeFourDigits_data()
    {
        QTest::addColumn<QString>("year");
        QTest::newRow("empty") << "";
        QTest::newRow("two digits") << "17";
        QTest::newRow("pasted path") << "../x";
        QTest::newRow("blanks") << " 201";
    }
    void yearMustBeFourDigits()
    {
        QFETCH(QString, year);
        ScreenFixture fx;
        fx.screens->avvio->open();
        fx.screens->menuLavori->open();
        auto *box = ScreenFixture::child<QLineEdit>(fx.screens->menuLavori, "txtAnnoPreventivi");
        box->setText(year);   // typed or pasted: the check holds either way
        ScreenFixture::click(fx.screens->menuLavori, "btnApriPreventivi");
        QCOMPARE(Dialogs::Test::last().text, QString("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
        QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Warning);
        QVERIFY(fx.screens->menuLavori->isVisible());
        QVERIFY(!fx.screens->lavori->isVisible());
    }

    void yearBoxKeys()
    {
        ScreenFixture fx;
        fx.screens->menuReferti->open();
        ScreenFixture::activate(fx.screens->menuReferti);
        auto *box = ScreenFixture::child<QLineEdit>(fx.screens->menuReferti, "txtAnnoPreventivi");
        box->clear();
        box->setFocus();
        QTest::keyClicks(box, "2a0 1x8");
        QCOMPARE(box->text(), QString("2018"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QString("201"));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("btnApriPreventivi"));
        QVERIFY(fx.screens->menuReferti->isVisible());   // Enter does not press "Apri"
    }

    void exitPictureReturnsToMainMenu()
    {
        ScreenFixture fx;
        fx.screens->avvio->open();
        fx.screens->menuPagamenti->open();
        // The compensation menu opens with its focus in sight on its first choice.
        QCOMPARE(fx.screens->menuPagamenti->focusWidget()->objectName(), QString("btnRiepiloghi"));
        QVERIFY(fx.screens->menuPagamenti->testAttribute(Qt::WA_KeyboardFocusChange));
        ScreenFixture::click(fx.screens->menuPagamenti, "imgEsci");
        QCOMPARE(Navigation::current(), fx.screens->avvio);
        // Back on the main menu, the focus is on its first entry, where it was at the start.
        QCOMPARE(fx.screens->avvio->focusWidget()->objectName(), QString("btnLavoratori"));
        QVERIFY(fx.screens->avvio->testAttribute(Qt::WA_KeyboardFocusChange));
    }

    void closingMainMenuEndsProgram()
    {
        ScreenFixture fx;
        QSignalSpy quit(fx.screens->avvio, &TfrmAvvio::quitRequested);
        fx.screens->avvio->open();
        ScreenFixture::click(fx.screens->avvio, "imgEsci");
        QCOMPARE(quit.count(), 1);
        fx.screens->avvio->open();
        fx.screens->avvio->close();
        QCOMPARE(quit.count(), 2);
    }

    void mainMenuCountsDueContractsAndOpensTheirSummary()
    {
        ScreenFixture fx(QDate(2017, 5, 31));
        const auto worker = [](const char *surname, const char *expiry, const char *notice) {
            return RecordFiles::make(WorkerRecord::layout(), {{"Cognome", surname}, {"Scadenza", expiry}, {"Preavviso", notice}});
        };
        QVERIFY(RecordFiles::write(fx.path("Dipendenti.pro"), {worker("Verdi", "01/01/2030", "0"), worker("Rossi", "10/06/2017", "10"),
                                                              worker("Neri", "10/06/2017", "9"), worker("Bianchi", "01/01/2015", "0")}));
        TfrmAvvio *menu = fx.screens->avvio;
        menu->open();
        auto *due = ScreenFixture::child<QPushButton>(menu, "btnScadenze");
        QTRY_COMPARE(due->text(), QString("2 contratti in scadenza o scaduti"));
        QVERIFY(due->isVisible());
        QVERIFY(ScreenFixture::child<QLabel>(menu, "lblCartellaDati")->text().contains(fx.path("Backup/")));

        // Closed without a pick: back to the main menu.
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        QTest::mouseClick(due, Qt::LeftButton);
        QVERIFY(menu->isVisible());

        // A pick shows that worker's card in the registry.
        QTimer::singleShot(0, [] {
            auto *d = QApplication::activeModalWidget();
            QCOMPARE(d->objectName(), QString("TfrmDaRinnovare"));
            auto *list = ScreenFixture::child<QAbstractItemView>(d, "lstRecords");
            list->setCurrentIndex(list->model()->index(0, 0));
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
        });
        QTest::mouseClick(due, Qt::LeftButton);
        QVERIFY(fx.screens->istruttori->isVisible());
        QCOMPARE(fx.screens->istruttori->lblPosizione()->text(), QString("4"));   // Bianchi, first in the list

        // Counted afresh each time the menu comes back; a missing archive is not created.
        QFile::remove(fx.path("Dipendenti.pro"));
        fx.screens->istruttori->close();
        QVERIFY(menu->isVisible());
        QTRY_COMPARE(due->text(), QString("Nessun contratto in scadenza o scaduto"));
        QVERIFY(!QFile::exists(fx.path("Dipendenti.pro")));

        // An archive that cannot be read is said, not taken for an empty one.
        QVERIFY(QDir(fx.dir.path()).mkdir("Dipendenti.pro"));
        fx.screens->istruttori->open();
        fx.screens->istruttori->close();
        QTRY_COMPARE(due->text(), QString("Contratti in scadenza o scaduti: l'archivio dei lavoratori non è leggibile"));
    }

    void datePickerWritesTaggedBox()
    {
        ScreenFixture fx;
        QLineEdit target;
        TfrmCalendario::registerTarget("turni", &target);
        TfrmCalendario picker;
        QCOMPARE(picker.calendar()->selectedDate(), QDate(2017, 6, 15));
        picker.calendar()->setSelectedDate(QDate(2017, 3, 5));
        picker.lblMemory()->setText("turni ");      // compared exactly: no match
        picker.show();
        ScreenFixture::click(&picker, "btnImportaData");
        QVERIFY(target.text().isEmpty());
        QVERIFY(picker.isVisible());
        picker.lblMemory()->setText("turni");
        ScreenFixture::click(&picker, "btnImportaData");
        QCOMPARE(target.text(), QString("05/03/2017"));
        QVERIFY(!picker.isVisible());
    }
};

QTEST_MAIN(TestMenus)
#include "TestMenus.moc"
