#include "shell/MainMenu.h"
#include "shell/PaymentsMenu.h"
#include "shell/SearchEverywhereScreen.h"
#include "support/RecordFiles.h"
#include "support/ScreenFixture.h"
#include "worklog/WorkRecord.h"

#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace {
// The text a label puts on the screen: markup would be read as such and lost.
QString shown(QLabel *label)
{
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(label);
    return a ? a->text(QAccessible::Name) : QString();
}

void choose(QWidget *screen, const char *name, const QString &item)
{
    auto *c = ScreenFixture::child<QComboBox>(screen, name);
    c->setCurrentIndex(c->findText(item));
}
}

// What the user typed or named is shown as written, never read as markup.
class TestPlainLabels : public QObject
{
    Q_OBJECT

private slots:
    void userTextIsShownAsWritten_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("expected");   // the whole label, or a part of it
        const QString markup = "<b>&amp;";
        QTest::newRow("the search over every archive, the text searched")
            << "search" << "Il testo \"" + markup + "\" non compare in nessuna scheda.";
        QTest::newRow("the main menu, a data folder's name") << "menu" << "/" + markup;
        QTest::newRow("the pay summary, the codice fiscale typed") << "pay" << markup;
    }
    void userTextIsShownAsWritten()
    {
        QFETCH(QString, where);
        QFETCH(QString, expected);
        ScreenFixture fx;
        QLabel *label = nullptr;
        if (where == "search") {
            SearchEverywhereScreen screen;
            ScreenFixture::child<QLineEdit>(&screen, "txtTesto")->setText("<b>&amp;");
            screen.search();
            label = ScreenFixture::child<QLabel>(&screen, "lblNota");
            QCOMPARE(shown(label), expected);
            return;
        }
        if (where == "menu") {
            const QString folder = fx.dir.filePath("<b>&amp;");
            QVERIFY(QDir().mkpath(folder));
            ProgramFolder::set(folder);
            fx.screens->mainMenu->open();
            label = ScreenFixture::child<QLabel>(fx.screens->mainMenu, "lblCartellaDati");
        } else {
            QVERIFY(RecordFiles::write(fx.path("2017.lav"),
                                       {RecordFiles::make(WorkRecord::layout(), {{"Data", "01/03/2017"}, {"TotDovuto", "1,00"}})}));
            fx.screens->mainMenu->open();
            ScreenFixture::click(fx.screens->mainMenu, "btnCompensi");
            ScreenFixture::click(fx.screens->paymentsMenu, "btnRiepiloghi");
            QWidget *setup = fx.screens->paySummarySetup;
            ScreenFixture::child<QLineEdit>(setup, "txtTipologia")->setText("<b>&amp;");
            choose(setup, "txtGiornoInizio", "01");
            choose(setup, "txtMeseInizio", "Marzo");
            choose(setup, "txtGiornoFine", "31");
            choose(setup, "txtMeseFine", "Marzo");
            QString heading;
            QTimer::singleShot(0, [&heading] {
                auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
                QVERIFY(d);
                heading = shown(ScreenFixture::child<QLabel>(d, "titTipologia"));
                d->reject();
            });
            ScreenFixture::click(setup, "btnVisualizza");
            QCOMPARE(heading, expected);
            return;
        }
        QVERIFY2(shown(label).contains(expected), qPrintable(shown(label)));
    }
};

QTEST_MAIN(TestPlainLabels)
#include "TestPlainLabels.moc"
