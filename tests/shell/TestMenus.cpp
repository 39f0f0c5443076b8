#include "framework/CalendarDialog.h"
#include "shell/MainMenu.h"
#include "shell/PaymentsMenu.h"
#include "shell/YearMenu.h"
#include "support/RecordFiles.h"
#include "support/ScreenFixture.h"
#include "workers/WorkerCardScreen.h"
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
        ScreenRegistry &s = *fx.screens;
        s.mainMenu->open();
        QVERIFY(s.mainMenu->isVisible());
        ScreenFixture::click(s.mainMenu, "btnCalendario");
        QVERIFY(s.shiftCalendarMenu->isVisible());
        QVERIFY(!s.mainMenu->isVisible());
        auto *daily = ScreenFixture::child<QLineEdit>(s.shiftCalendarMenu, "txtAnnoFatture");
        QCOMPARE(daily->text(), QString("2017"));
        QCOMPARE(ScreenFixture::child<QLineEdit>(s.shiftCalendarMenu, "txtAnnoSet")->text(), QString("2017"));
        QCOMPARE(s.shiftCalendarMenu->lblMemory()->text(), QString("avvio"));

        ScreenFixture::click(s.shiftCalendarMenu, "btnApriFatture");
        QVERIFY(s.dailyShifts->isVisible());
        QVERIFY(!s.shiftCalendarMenu->isVisible());
        QCOMPARE(s.dailyShifts->windowTitle(), QString(" Veltaro - Programmazione turni anno 2017"));
        QCOMPARE(ScreenFixture::child<QLabel>(s.dailyShifts, "lblFile")->text(), fx.path("2017.ore"));

        s.dailyShifts->close();
        QVERIFY(s.mainMenu->isVisible());       // back to the main menu, not to the year menu
        QVERIFY(!s.shiftCalendarMenu->isVisible());
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
        fx.screens->mainMenu->open();
        ScreenFixture::click(fx.screens->mainMenu, qPrintable(entry));
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
        QCOMPARE(Navigation::current(), fx.screens->mainMenu);
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
        fx.screens->mainMenu->open();
        fx.screens->workLogMenu->open();
        auto *box = ScreenFixture::child<QLineEdit>(fx.screens->workLogMenu, "txtAnnoPreventivi");
        box->setText(year);   // typed or pasted: the check holds either way
        ScreenFixture::click(fx.screens->workLogMenu, "btnApriPreventivi");
        QCOMPARE(Dialogs::Test::last().text, QString("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
        QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Warning);
        QVERIFY(fx.screens->workLogMenu->isVisible());
        QVERIFY(!fx.screens->workLog->isVisible());
    }

    void yearBoxKeys()
    {
        ScreenFixture fx;
        fx.screens->projectMenu->open();
        ScreenFixture::activate(fx.screens->projectMenu);
        auto *box = ScreenFixture::child<QLineEdit>(fx.screens->projectMenu, "txtAnnoPreventivi");
        box->clear();
        box->setFocus();
        QTest::keyClicks(box, "2a0 1x8");
        QCOMPARE(box->text(), QString("2018"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QString("201"));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("btnApriPreventivi"));
        QVERIFY(fx.screens->projectMenu->isVisible());   // Enter does not press "Apri"
    }

    void exitPictureReturnsToMainMenu()
    {
        ScreenFixture fx;
        fx.screens->mainMenu->open();
        fx.screens->paymentsMenu->open();
        // The compensation menu opens with its focus in sight on its first choice.
        QCOMPARE(fx.screens->paymentsMenu->focusWidget()->objectName(), QString("btnRiepiloghi"));
        QVERIFY(fx.screens->paymentsMenu->testAttribute(Qt::WA_KeyboardFocusChange));
        ScreenFixture::click(fx.screens->paymentsMenu, "imgEsci");
        QCOMPARE(Navigation::current(), fx.screens->mainMenu);
        // Back on the main menu, the focus is on its first entry, where it was at the start.
        QCOMPARE(fx.screens->mainMenu->focusWidget()->objectName(), QString("btnLavoratori"));
        QVERIFY(fx.screens->mainMenu->testAttribute(Qt::WA_KeyboardFocusChange));
    }

    void closingMainMenuEndsProgram()
    {
        ScreenFixture fx;
        QSignalSpy quit(fx.screens->mainMenu, &MainMenu::quitRequested);
        fx.screens->mainMenu->open();
        ScreenFixture::click(fx.screens->mainMenu, "imgEsci");
        QCOMPARE(quit.count(), 1);
        fx.screens->mainMenu->open();
        fx.screens->mainMenu->close();
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
        MainMenu *menu = fx.screens->mainMenu;
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
        QVERIFY(fx.screens->workers->isVisible());
        QCOMPARE(fx.screens->workers->lblPosizione()->text(), QString("4"));   // Bianchi, first in the list

        // Counted afresh each time the menu comes back; a missing archive is not created.
        QFile::remove(fx.path("Dipendenti.pro"));
        fx.screens->workers->close();
        QVERIFY(menu->isVisible());
        QTRY_COMPARE(due->text(), QString("Nessun contratto in scadenza o scaduto"));
        QVERIFY(!QFile::exists(fx.path("Dipendenti.pro")));

        // An archive that cannot be read is said, not taken for an empty one.
        QVERIFY(QDir(fx.dir.path()).mkdir("Dipendenti.pro"));
        fx.screens->workers->open();
        fx.screens->workers->close();
        QTRY_COMPARE(due->text(), QString("Contratti in scadenza o scaduti: l'archivio dei lavoratori non è leggibile"));
    }

    void datePickerWritesTaggedBox()
    {
        ScreenFixture fx;
        QLineEdit target;
        CalendarDialog::registerTarget("turni", &target);
        CalendarDialog picker;
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
