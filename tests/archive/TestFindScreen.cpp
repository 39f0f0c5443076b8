#include "archive/FindScreen.h"
#include "archive/ResultList.h"
#include "support/RecordFiles.h"
#include "support/ScreenFixture.h"
#include "workers/WorkerRecord.h"

#include <QScreen>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
QString remembered;

// A find screen over the worker archive with two filters, the surname in a 12-wide column.
FindDefinition definition()
{
    return {QStringLiteral("TfrmTrovaProva"), QStringLiteral(" Trova prova"), &WorkerRecord::layout(),
            [] { return ProgramFolder::file("Dipendenti.pro"); },
            {{"txtCognome", "Cognome:", "Cognome"}, {"txtNote", "Note:", "Note"}},
            Find::columnLine(WorkerRecord::layout(), {{QString(), {"Cognome"}, 12}, {"  Note: ", {"Note"}, 0}}),
            QStringLiteral("Riepilogo prova"), &remembered};
}

void writeWorkers(const QList<RecordFiles::Fields> &cards)
{
    QList<Record> records;
    for (const auto &c : cards)
        records << RecordFiles::make(WorkerRecord::layout(), c);
    QVERIFY(RecordFiles::write(ProgramFolder::file("Dipendenti.pro"), records));
}

template <class T = QWidget>
T *in(QWidget *w, const char *name)
{
    return ScreenFixture::child<T>(w, name);
}

void search(FindScreen &screen) { QTest::mouseClick(in(&screen, "btnCerca"), Qt::LeftButton); }

void pickRow(ResultList *list, int row)
{
    list->selectRow(row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(row, 0)).center());
}
}

class TestFindScreen : public QObject
{
    Q_OBJECT
private slots:
    void searchListsSortedLinesOnTheResultPanel()
    {
        ScreenFixture fx;
        writeWorkers({{{"Cognome", "rossi"}}, {{"Cognome", "Bianchi"}}, {{"Cognome", "Grossi"}}});
        FindScreen screen(definition());
        screen.show();
        ScreenFixture::activate(&screen);
        // Its designed size, cut to the screen (the test screen is 800 x 600) with room for a frame.
        const QSize room = screen.screen()->availableGeometry().size() - QSize(16, 40);
        QCOMPARE(screen.size(), QSize(862, 560).boundedTo(room));
        QVERIFY(screen.frameGeometry().left() >= screen.screen()->availableGeometry().left());
        QVERIFY(in(&screen, "panAvvio")->isVisible());
        QVERIFY(!in(&screen, "panContainer")->isVisible());
        QVERIFY(!in(&screen, "lblAttendere")->isVisible());
        QCOMPARE(in<QLabel>(&screen, "lblTrovate")->text(), QString("Il presente elenco contiene 0 schede."));

        QTest::mousePress(in(&screen, "btnCerca"), Qt::LeftButton);
        QVERIFY(in(&screen, "lblAttendere")->isVisible());
        QTest::mouseRelease(in(&screen, "btnCerca"), Qt::LeftButton);

        QVERIFY(!in(&screen, "panAvvio")->isVisible());
        QVERIFY(in(&screen, "panContainer")->isVisible());
        QCOMPARE(in<QLabel>(&screen, "lblConta")->text(), QString("0"));
        QCOMPARE(in<QLabel>(&screen, "lblTrovate")->text(), QString("Il presente riepilogo contiene 3 schede."));
        QCOMPARE(in<ResultList>(&screen, "lstRecords")->lines(),
                 (QStringList{"Bianchi       Note: ", "Grossi        Note: ", "rossi         Note: "}));
        // The filled list takes the focus on its first line: arrows and Enter work at once.
        QCOMPARE(QApplication::focusWidget(), in(&screen, "lstRecords"));
        QCOMPARE(in<ResultList>(&screen, "lstRecords")->selectedRow(), 0);

        FindScreen filtered(definition());
        filtered.show();
        filtered.filterBox(0)->setText("ROSS");
        filtered.filterBox(1)->setText("   ");   // blanks only: not counted
        search(filtered);
        QCOMPARE(in<QLabel>(&filtered, "lblConta")->text(), QString("1"));
        QCOMPARE(in<QLabel>(&filtered, "lblTrovate")->text(), QString("Il presente riepilogo contiene 2 schede."));
    }

    void enterWalksTheFilters()
    {
        ScreenFixture fx;
        FindScreen screen(definition());
        screen.show();
        ScreenFixture::activate(&screen);
        QCOMPARE(QApplication::focusWidget(), screen.filterBox(0));
        QVERIFY(in(&screen, "effCognome")->isVisible());
        QTest::keyClick(screen.filterBox(0), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), screen.filterBox(1));
        QTest::keyClick(screen.filterBox(1), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), screen.filterBox(0));
        QVERIFY(!in(&screen, "panContainer")->isVisible());   // Enter never searches
    }

    void inListSearchWrapsAndIsForgottenOnShow()
    {
        ScreenFixture fx;
        writeWorkers({{{"Cognome", "Aa"}}, {{"Cognome", "Bxx"}}, {{"Cognome", "Cc"}},
                      {{"Cognome", "Dd"}}, {{"Cognome", "Exx"}}, {{"Cognome", "Ff"}}});
        FindScreen screen(definition());
        screen.show();
        search(screen);
        auto *list = in<ResultList>(&screen, "lstRecords");
        auto *text = in<QLineEdit>(&screen, "txtTrova");
        QWidget *find = in(&screen, "btnTrova");
        const auto press = [&] {
            QTest::mouseClick(find, Qt::LeftButton);
            return list->selectedRow() + 1;   // 1-based, as the user counts lines
        };
        text->setText("XX");
        QCOMPARE(press(), 2);
        QCOMPARE(press(), 5);
        QCOMPARE(press(), 2);
        text->setText("f");                 // a new text starts again from the first line
        QCOMPARE(press(), 6);
        text->setText("a");
        QCOMPARE(press(), 1);
        QCOMPARE(press(), 1);               // the only line: the search comes back to it
        text->setText("zz");
        QCOMPARE(press(), 1);               // not found: the selection stays
        text->clear();
        QCOMPARE(press(), 1);               // empty text never matches
        QVERIFY(Dialogs::Test::shown().isEmpty());

        // Enter in the search box moves to "Trova" without pressing it.
        ScreenFixture::activate(&screen);
        text->setFocus();
        text->setText("xx");
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), find);
        QCOMPARE(list->selectedRow() + 1, 1);
        QTest::keyClick(find, Qt::Key_Return);
        QCOMPARE(list->selectedRow() + 1, 2);
        screen.close();
        QCOMPARE(list->count(), 0);         // closing empties the list

        // The remembered text belongs to the class and is emptied when a screen is shown.
        FindScreen again(definition());
        again.show();
        search(again);
        in<QLineEdit>(&again, "txtTrova")->setText("xx");
        QTest::mouseClick(in(&again, "btnTrova"), Qt::LeftButton);
        QCOMPARE(in<ResultList>(&again, "lstRecords")->selectedRow() + 1, 2);
    }

    void inListSearchOnAnEmptyList()
    {
        ScreenFixture fx;
        FindScreen screen(definition());
        screen.show();
        search(screen);
        QCOMPARE(in<QLabel>(&screen, "lblTrovate")->text(), QString("Il presente riepilogo contiene 0 schede."));
        in<QLineEdit>(&screen, "txtTrova")->setText("x");
        QTest::mouseClick(in(&screen, "btnTrova"), Qt::LeftButton);
        QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Notice);
        QCOMPARE(Dialogs::Test::last().text, QString("Ricerca non applicabile: la lista non contiene nessuna voce."));
    }

    void pickHandsOverEqualRecordsAndCloses()
    {
        ScreenFixture fx;
        // The surname column is 12 wide: records 1 and 3 give the same line.
        writeWorkers({{{"Cognome", "Mastrolorenzo Uno"}, {"Email", "a"}}, {{"Cognome", "Bianchi"}},
                      {{"Cognome", "Mastrolorenzo Due"}, {"Email", "b"}}});
        QList<QPair<qint64, QString>> handed;
        PickModes::add("TfrmTrovaProva", "prova", [&](const Record &r, qint64 n) { handed.append({n, r.get("Email")}); });

        FindScreen screen(definition());
        screen.setMode("  prova ");
        screen.show();
        search(screen);
        auto *list = in<ResultList>(&screen, "lstRecords");
        QCOMPARE(list->lines().at(1), list->lines().at(2));
        pickRow(list, 2);
        QCOMPARE(handed, (QList<QPair<qint64, QString>>{{1, "a"}, {3, "b"}}));
        QVERIFY(!screen.isVisible());
        QCOMPARE(screen.result(), int(QDialog::Accepted));
        QCOMPARE(list->count(), 0);

        // No line selected, or a mode nobody serves: the screen just closes.
        handed.clear();
        for (const char *mode : {"prova", "sconosciuto"}) {
            FindScreen other(definition());
            other.setMode(mode);
            other.show();
            search(other);
            auto *l = in<ResultList>(&other, "lstRecords");
            if (QByteArray(mode) == "prova") {
                l->clearSelection();
                QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, QPoint(5, l->viewport()->height() - 3));
            } else {
                pickRow(l, 0);
            }
            QVERIFY(!other.isVisible());
        }
        QVERIFY(handed.isEmpty());
        QVERIFY(Dialogs::Test::shown().isEmpty());
    }

    void unreadableArchiveKeepsTheFilters()
    {
        ScreenFixture fx;
        QVERIFY(QDir(fx.dir.path()).mkdir("Dipendenti.pro"));
        FindScreen screen(definition());
        screen.show();
        search(screen);
        QCOMPARE(Dialogs::Test::shown().size(), 1);
        QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Notice);
        QCOMPARE(Dialogs::Test::last().text, Dialogs::archiveAccessText());
        // Told with the ordinary pointer, and the pointer stays ordinary afterwards.
        QVERIFY(!Dialogs::Test::last().waitCursor);
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(in(&screen, "panAvvio")->isVisible());
        QVERIFY(!in(&screen, "lblAttendere")->isVisible());
    }
};

QTEST_MAIN(TestFindScreen)
#include "TestFindScreen.moc"
