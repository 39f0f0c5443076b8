#include "shell/MainMenu.h"
#include "framework/Printing.h"
#include "projects/ProjectCardScreen.h"
#include "shell/PaymentsMenu.h"
#include "shell/YearMenu.h"
#include "support/Modal.h"
#include "support/ScreenFixture.h"
#include "workers/WorkerCardScreen.h"
#include "worklog/WorkCardScreen.h"

#include <QLineEdit>
#include <QPushButton>

// A day's work with the keyboard alone, from the main menu: a card of each kind made, saved,
// found and loaded again; a preset, a worker and a project imported; a table printed to PDF;
// the registry exported.
// Every control is reached with Tab and pressed with Enter, as a user without a mouse would.
class TestKeysOnly : public QObject
{
    Q_OBJECT

    static QWidget *focus() { return QApplication::focusWidget(); }
    static QString focusName() { return focus() ? focus()->objectName() : QString(); }
    // The window a command opened becomes the active one (a window manager's part).
    static void shown(QWidget *screen)
    {
        QVERIFY(screen && screen->isVisible());
        ScreenFixture::activate(screen);
    }
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QVERIFY(focus());
        QTest::keyClick(focus(), key, modifiers);
    }
    static void type(const QString &text)
    {
        QVERIFY(focus());
        QTest::keyClicks(focus(), text);
    }
    // Tab until the named control has the focus; fails when it is never reached.
    static void tabTo(const char *name)
    {
        QStringList seen;
        for (int i = 0; i < 400 && focus() && focus()->objectName() != QLatin1String(name); ++i) {
            seen << focusName();
            press(Qt::Key_Tab);
        }
        seen.removeDuplicates();
        QVERIFY2(focus() && focus()->objectName() == QLatin1String(name),
                 qPrintable(QString("%1 not reached by Tab; went through %2").arg(name, seen.join(' '))));
    }
    static void pressButton(const char *name)
    {
        tabTo(name);
        press(Qt::Key_Return);
    }
    // In a find screen: a filter (the first unless named), Cerca, then Enter on the first line found.
    static void findAndPick(const QString &filter, const char *screenName, const char *filterBox = nullptr)
    {
        Modal::on([filter, screenName, filterBox](QDialog *d) {
            QCOMPARE(d->objectName(), QString(screenName));
            shown(d);
            QVERIFY(d->isAncestorOf(focus()));
            if (filterBox)
                tabTo(filterBox);
            type(filter);
            pressButton("btnCerca");
            QVERIFY2(focusName() == "lstRecords", qPrintable(QString("%1: %2 found nothing").arg(d->objectName(), filter)));
            press(Qt::Key_Return);
            QVERIFY(!d->isVisible());
        });
    }
    static QString text(QWidget *screen, const char *box)
    {
        return ScreenFixture::child<QLineEdit>(screen, box)->text();
    }

// Stops the walk at the first step that failed: what follows would only repeat it.
#define STEP(x) \
    do { \
        x; \
        if (QTest::currentTestFailed()) \
            return; \
    } while (false)

private slots:
    void aDayWithTheKeyboard()
    {
        ScreenFixture fx;
        QTemporaryDir out;
        fx.screens->mainMenu->open();
        STEP(shown(fx.screens->mainMenu));

        // A preset schedule: made, saved, found again.
        STEP(pressButton("btnImpostaOrari"));
        QWidget *orari = fx.screens->schedules;
        STEP(shown(orari));
        QCOMPARE(focusName(), QString("txtNome"));
        STEP(type("Mattino"));
        STEP(press(Qt::Key_Tab));
        STEP(type("tutto l'anno"));
        STEP(pressButton("btnSalva"));
        QVERIFY(QFileInfo(fx.path("Orari.pro")).size() > 0);
        STEP(pressButton("btnNuovo"));
        QCOMPARE(text(orari, "txtNome"), QString());
        STEP(findAndPick("Matt", "TfrmTrovaOrari"));
        STEP(pressButton("btnTrova"));
        STEP(shown(orari));   // back from the dialog
        QCOMPARE(text(orari, "txtNome"), QString("Mattino"));
        QCOMPARE(text(orari, "txtPeriodo"), QString("tutto l'anno"));
        STEP(pressButton("btnEsci"));
        STEP(shown(fx.screens->mainMenu));

        // A worker: made, saved, found again, the registry exported.
        STEP(pressButton("btnLavoratori"));
        QWidget *workers = fx.screens->workers;
        STEP(shown(workers));
        STEP(tabTo("txtCognome"));
        STEP(type("Rossi"));
        STEP(tabTo("txtNome"));
        STEP(type("Mario"));
        STEP(tabTo("txtCodFisc"));
        STEP(type("RSSMRA80A01H501U"));
        STEP(pressButton("cmdSalva"));
        QVERIFY(QFileInfo(fx.path("Dipendenti.pro")).size() > 0);
        STEP(pressButton("cmdNuovo"));
        STEP(findAndPick("Ros", "TfrmTrovaIstruttori"));
        STEP(pressButton("cmdTrova"));
        STEP(shown(workers));   // back from the dialog
        QCOMPARE(text(workers, "txtNome"), QString("Mario"));
        Dialogs::Test::queueAnswer(true);    // export
        Dialogs::Test::queueAnswer(false);   // do not open it
        Modal::on([](QDialog *d) {
            QCOMPARE(d->objectName(), QString("TfrmExpIstruttori"));
            shown(d);
            pressButton("cmdEsporta");
        });
        STEP(pressButton("cmdEsporta"));
        STEP(shown(workers));   // back from the dialog
        QVERIFY(fx.fileBytes("Anagrafica_Lavoratori.xls").contains("Rossi Mario"));
        STEP(pressButton("cmdEsci"));
        STEP(shown(fx.screens->mainMenu));

        // A daily table: the preset and the worker imported, the date picked, saved, printed.
        STEP(pressButton("btnCalendario"));
        STEP(shown(fx.screens->shiftCalendarMenu));
        STEP(pressButton("btnApriFatture"));
        QWidget *daily = fx.screens->dailyShifts;
        STEP(shown(daily));
        QCOMPARE(focusName(), QString("txtNome"));
        STEP(findAndPick("Matt", "TfrmTrovaOrari"));
        STEP(pressButton("impNome"));
        STEP(shown(daily));   // back from the dialog
        QCOMPARE(text(daily, "txtNome"), QString("Mattino"));
        STEP(tabTo("txtData"));
        Modal::on([](QDialog *d) {
            shown(d);
            press(Qt::Key_Return);
        });   // Enter takes the day shown
        STEP(press(Qt::Key_Space));
        STEP(shown(daily));   // back from the dialog
        QCOMPARE(text(daily, "txtData"), QString("15/06/2017"));
        STEP(findAndPick("Ros", "TfrmTrovaIstruttori"));
        STEP(pressButton("impLavoratore01"));
        STEP(shown(daily));   // back from the dialog
        QCOMPARE(text(daily, "txtLavoratore01"), QString("Rossi Mario"));
        STEP(pressButton("btnSalva"));
        QVERIFY(QFileInfo(fx.path("2017.ore")).size() > 0);
        STEP(pressButton("btnNuovo"));
        STEP(findAndPick("Matt", "TfrmTrovaTurni"));
        STEP(pressButton("btnTrova"));
        STEP(shown(daily));   // back from the dialog
        QCOMPARE(text(daily, "txtLavoratore01"), QString("Rossi Mario"));
        const QString pdf = out.filePath("turni.pdf");
        Printing::Test::setOutput(pdf);
        Modal::on([](QDialog *d) {
            shown(d);
            QCOMPARE(qobject_cast<QPushButton *>(focus())->text(), QString("Stampa"));
            press(Qt::Key_Return);
        });
        STEP(pressButton("btnStampa"));
        Printing::Test::setOutput(QString());
        STEP(shown(daily));
        QFile printed(pdf);
        QVERIFY(printed.open(QIODevice::ReadOnly));
        QVERIFY(printed.read(5) == "%PDF-");
        STEP(pressButton("btnEsci"));
        QVERIFY(!daily->isVisible());
        QVERIFY(fx.screens->mainMenu->isVisible() || fx.screens->shiftCalendarMenu->isVisible());
        STEP(shown(fx.screens->mainMenu->isVisible() ? static_cast<QWidget *>(fx.screens->mainMenu) : fx.screens->shiftCalendarMenu));
        if (fx.screens->mainMenu->isVisible()) {
            STEP(pressButton("btnCalendario"));
            STEP(shown(fx.screens->shiftCalendarMenu));
        }

        // A weekly table: both dates from the calendar, saved, found again.
        STEP(pressButton("btnApriAnnoSet"));
        QWidget *weekly = fx.screens->weeklyShifts;
        STEP(shown(weekly));
        STEP(type("Settimana corta"));
        for (const char *date : {"txtDataInizio", "txtDataFine"}) {
            STEP(tabTo(date));
            Modal::on([](QDialog *d) {
                shown(d);
                press(Qt::Key_Return);
            });
            STEP(press(Qt::Key_Space));
            STEP(shown(weekly));
        }
        STEP(tabTo("txtLun01"));
        STEP(type("Rossi M."));
        STEP(pressButton("btnSalva"));
        QVERIFY(QFileInfo(fx.path("2017.set")).size() > 0);
        STEP(pressButton("btnNuovo"));
        findAndPick("Sett", "TfrmTrovaSet");
        STEP(pressButton("btnTrova"));
        STEP(shown(weekly));
        QCOMPARE(text(weekly, "txtDataFine"), QString("15/06/2017"));
        QCOMPARE(text(weekly, "txtLun01"), QString("Rossi M."));
        STEP(pressButton("btnEsci"));
        QVERIFY(!weekly->isVisible());
        STEP(shown(fx.screens->mainMenu->isVisible() ? static_cast<QWidget *>(fx.screens->mainMenu) : fx.screens->shiftCalendarMenu));
        if (!fx.screens->mainMenu->isVisible()) {
            STEP(pressButton("imgEsci"));
            STEP(shown(fx.screens->mainMenu));
        }

        // A project: its dates picked from the calendar with Enter.
        STEP(pressButton("btnProgetti"));
        STEP(shown(fx.screens->projectMenu));
        STEP(pressButton("btnApriPreventivi"));
        QWidget *projects = fx.screens->projects;
        STEP(shown(projects));
        STEP(tabTo("txtNome"));
        STEP(type("Sito nuovo"));
        STEP(tabTo("txtCodice"));
        STEP(type("PRG-7"));
        for (const char *date : {"txtDataInizio", "txtDataScade"}) {
            STEP(tabTo(date));
            Modal::on([](QDialog *d) {
                shown(d);
                press(Qt::Key_Return);
            });
            STEP(press(Qt::Key_Space));
            STEP(shown(projects));
            QCOMPARE(text(projects, date), QString("15/06/2017"));
        }
        STEP(tabTo("txtCostoPrev"));
        STEP(type("1.250,50"));
        STEP(tabTo("txtResponsabile"));
        STEP(type("Bianchi"));
        STEP(pressButton("cmdSalva"));
        QVERIFY(QFileInfo(fx.path("2017.prg")).size() > 0);
        STEP(pressButton("cmdNuovo"));
        findAndPick("Sito", "TfrmTrovaProgetti");
        STEP(pressButton("cmdTrova"));
        STEP(shown(projects));
        QCOMPARE(text(projects, "txtCodice"), QString("PRG-7"));
        QCOMPARE(text(projects, "txtCostoPrev"), QString("1250,50"));
        STEP(pressButton("cmdEsci"));
        QVERIFY(!projects->isVisible());
        STEP(shown(fx.screens->mainMenu->isVisible() ? static_cast<QWidget *>(fx.screens->mainMenu) : fx.screens->projectMenu));
        if (!fx.screens->mainMenu->isVisible()) {
            STEP(pressButton("imgEsci"));
            STEP(shown(fx.screens->mainMenu));
        }

        // A work card: today's date, the worker and the project imported.
        STEP(pressButton("btnLavori"));
        STEP(shown(fx.screens->workLogMenu));
        STEP(pressButton("btnApriPreventivi"));
        QWidget *works = fx.screens->workLog;
        STEP(shown(works));
        findAndPick("Ros", "TfrmTrovaIstruttori");
        STEP(pressButton("impLavoratore"));
        STEP(shown(works));
        QCOMPARE(text(works, "txtCodFisc"), QString("RSSMRA80A01H501U"));
        STEP(pressButton("impData"));
        QCOMPARE(text(works, "txtData"), QString("15/06/2017"));
        STEP(tabTo("txtAttivita"));
        STEP(type("Sopralluogo"));
        Modal::on([](QDialog *d) {
            QCOMPARE(d->objectName(), QString("TfrmImportaProgetti"));
            shown(d);
            QCOMPARE(focusName(), QString("txtAnno"));
            press(Qt::Key_Return);   // to Apri
            press(Qt::Key_Return);   // the year's projects
            QCOMPARE(focusName(), QString("lstRecords"));
            press(Qt::Key_Return);
        });
        STEP(pressButton("impProgetto"));
        STEP(shown(works));
        QCOMPARE(text(works, "txtCodiceProg"), QString("PRG-7"));
        STEP(pressButton("cmdSalva"));
        QVERIFY(QFileInfo(fx.path("2017.lav")).size() > 0);
        STEP(pressButton("cmdNuovo"));
        findAndPick("Ros", "TfrmTrovaLavori", "txtCognome");
        STEP(pressButton("cmdTrova"));
        STEP(shown(works));
        QCOMPARE(text(works, "txtAttivita"), QString("Sopralluogo"));
        QCOMPARE(text(works, "txtNomeProg"), QString("Sito nuovo"));
    }
};

QTEST_MAIN(TestKeysOnly)
#include "TestKeysOnly.moc"
