#include "shell/MainMenu.h"
#include "archive/CardScreen.h"
#include "shell/ArchiveKinds.h"
#include "shell/PaymentsMenu.h"
#include "shell/SearchEverywhere.h"
#include "shell/YearMenu.h"
#include "support/CliRun.h"
#include "support/Modal.h"
#include "support/RecordFiles.h"
#include "support/ScreenFixture.h"
#include "workers/WorkerCardScreen.h"
#include "workers/WorkerRecord.h"
#include "worklog/WorkRecord.h"

#include <QLabel>
#include <QLineEdit>

// The search over every archive from the main menu, with the keyboard: Ctrl+F, the text,
// Enter; the lines in the order of the menu's archives, the newest year first; Enter on a
// line opens that card in its own screen.
class TestSearchEverywhereScreen : public QObject
{
    Q_OBJECT

    static QWidget *focus() { return QApplication::focusWidget(); }

private slots:
    void findsAndOpensWithTheKeyboard()
    {
        ScreenFixture fx;
        using RecordFiles::make;
        QVERIFY(RecordFiles::write(fx.path("Dipendenti.pro"), {make(WorkerRecord::layout(), {{"Cognome", "Bianchi"}}),
                                                               make(WorkerRecord::layout(), {{"Cognome", "Rossi"}})}));
        QVERIFY(RecordFiles::write(fx.path("2016.lav"), {make(WorkRecord::layout(), {{"Cognome", "Rossi"}, {"Data", "01/02/2016"}})}));
        QVERIFY(RecordFiles::write(fx.path("2017.lav"), {make(WorkRecord::layout(), {{"Cognome", "Verdi"}}),
                                                         make(WorkRecord::layout(), {{"Note", "da Rossi"}, {"Data", "03/04/2017"}})}));
        fx.screens->mainMenu->open();
        ScreenFixture::activate(fx.screens->mainMenu);
        QTest::keyClick(focus(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(focus()->objectName(), QString("txtCercaOvunque"));
        QTest::keyClicks(focus(), "ross");

        QStringList shown;
        Modal::on([&shown](QDialog *d) {
            QCOMPARE(d->objectName(), QString("TfrmCercaOvunque"));
            ScreenFixture::activate(d);
            auto *list = ScreenFixture::child<ResultList>(d, "lstRecords");
            shown = list->lines();
            QCOMPARE(ScreenFixture::child<QLabel>(d, "lblTrovate")->text(), QString("Il presente riepilogo contiene 3 schede."));
            QCOMPARE(focus(), list);
            QTest::keyClick(list, Qt::Key_Down);
            QTest::keyClick(list, Qt::Key_Return);   // the 2017 work card
        });
        QTest::keyClick(focus(), Qt::Key_Return);
        QCOMPARE(shown.size(), 3);
        QVERIFY(shown[0].startsWith("Lavoratori             n. 2      Cognome"));
        QVERIFY(shown[1].startsWith("Registro lavori 2017   n. 2      Note"));
        QVERIFY(shown[2].startsWith("Registro lavori 2016   n. 1      Cognome"));
        // The same cards as the command line finds, each with its find line.
        const CliRun::Run run = CliRun::cli({"cerca", "ross", "--cartella", fx.dir.path()});
        QCOMPARE(run.code, 0);
        const QStringList cli = run.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(cli.size(), shown.size());
        for (const QString &line : cli)
            QVERIFY2(std::any_of(shown.cbegin(), shown.cend(),
                                 [&](const QString &s) {
                                     return s.contains(QString("n. %1 ").arg(line.section('\t', 1, 1)))
                                         && s.endsWith(line.section('\t', 3));
                                 }),
                     qPrintable(line));
        auto *works = qobject_cast<CardScreen *>(fx.screens->workLog);
        QVERIFY(works->isVisible());
        QCOMPARE(works->windowTitle(), QString(" Veltaro - Registrazione lavori anno 2017"));
        QCOMPARE(works->findChild<QLineEdit *>("txtNote")->text(), QString("da Rossi"));
        QCOMPARE(works->lblPosizione()->text(), QString("2"));
    }

    // The search looks at what the cards show: every field has its control on its card
    // screen, but for the few no screen shows, which have none.
    void searchedFieldsAreThoseTheScreensShow()
    {
        ScreenFixture fx;
        const QList<QPair<QString, WorkWindow *>> kinds = {
            {"lavoratori", fx.screens->workers}, {"orari", fx.screens->schedules}, {"turni", fx.screens->dailyShifts},
            {"settimanale", fx.screens->weeklyShifts}, {"progetti", fx.screens->projects}, {"lavori", fx.screens->workLog}};
        for (const auto &[kind, screen] : kinds) {
            screen->ensureBuilt();
            const QStringList &unshown = ArchiveKinds::unshownFields(kind);
            for (const RecordLayout::Field &f : SearchEverywhere::kind(kind)->layout().fields()) {
                bool control = false;
                for (const char *prefix : {"txt", "chk", "lbl"})
                    control = control || screen->findChild<QWidget *>(prefix + f.name);
                QVERIFY2(control != unshown.contains(f.name), qPrintable(kind + " " + f.name));
            }
        }
    }

    // The shortest text is said under the menu's box; one letter opens no window.
    void tooShortIsSaidWhereTyped()
    {
        ScreenFixture fx;
        fx.screens->mainMenu->open();
        ScreenFixture::activate(fx.screens->mainMenu);
        QTest::keyClick(focus(), Qt::Key_F, Qt::ControlModifier);
        QTest::keyClicks(focus(), "r");
        bool opened = false;
        QTimer::singleShot(0, [&opened] {
            if (QWidget *d = QApplication::activeModalWidget()) {
                opened = true;
                d->close();
            }
        });
        QTest::keyClick(focus(), Qt::Key_Return);
        QCoreApplication::processEvents();
        QVERIFY(!opened);
        QCOMPARE(focus()->objectName(), QString("txtCercaOvunque"));
        auto *note = ScreenFixture::child<QLabel>(fx.screens->mainMenu, "lblCercaOvunque");
        QVERIFY(note && note->isVisible());
        QCOMPARE(note->text(), QString("Indicare almeno 2 caratteri da cercare."));

        // The window's own box says it too; Enter there searches and presses nothing else.
        QTest::keyClicks(focus(), "o");
        QStringList notes;
        Modal::on([&notes](QDialog *d) {
            ScreenFixture::activate(d);
            auto *box = ScreenFixture::child<QLineEdit>(d, "txtTesto");
            auto *note = ScreenFixture::child<QLabel>(d, "lblNota");
            notes << note->text();
            for (const char *typed : {"x", "xy"}) {
                box->setFocus();
                box->clear();
                QTest::keyClicks(box, typed);
                QTest::keyClick(box, Qt::Key_Return);
                notes << note->text();
            }
        });
        QTest::keyClick(focus(), Qt::Key_Return);
        QCOMPARE(notes, (QStringList{"Il testo \"ro\" non compare in nessuna scheda.",
                                     "Indicare almeno 2 caratteri da cercare.",
                                     "Il testo \"xy\" non compare in nessuna scheda."}));
        QCOMPARE(Dialogs::Test::shown().size(), 0);
    }
};

QTEST_MAIN(TestSearchEverywhereScreen)
#include "TestSearchEverywhereScreen.moc"
