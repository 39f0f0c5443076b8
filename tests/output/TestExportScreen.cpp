#include "output/ExportScreen.h"
#include "support/Modal.h"
#include "support/RecordFiles.h"
#include "support/ScreenFixture.h"
#include "workers/WorkerCardScreen.h"
#include "workers/WorkerRecord.h"

#include <QDir>
#include <QTableView>

// The export screen as a user meets it from a card screen.
class TestExportScreen : public QObject
{
    Q_OBJECT
private slots:
    void exportFromTheRegistry_data()
    {
        QTest::addColumn<bool>("exportYes");
        QTest::addColumn<bool>("openYes");
        QTest::addColumn<bool>("blocked");      // the file's place is taken by a folder
        QTest::addColumn<QStringList>("said");
        const QString ask = SheetExport::exportQuestion(), done = SheetExport::doneQuestion();
        QTest::newRow("exported and opened") << true << true << false << QStringList{ask, done};
        QTest::newRow("exported, not opened") << true << false << false << QStringList{ask, done};
        QTest::newRow("not exported") << false << false << false << QStringList{ask};
        QTest::newRow("cannot write") << true << false << true << QStringList{ask, SheetExport::failureNotice()};
    }
    void exportFromTheRegistry()
    {
        QFETCH(bool, exportYes);
        QFETCH(bool, openYes);
        QFETCH(bool, blocked);
        QFETCH(QStringList, said);
        ScreenFixture fx;
        QVERIFY(RecordFiles::write(fx.path("Dipendenti.pro"),
                                   {RecordFiles::make(WorkerRecord::layout(), {{"Cognome", "Rossi"}, {"Nome", "Mario"}}),
                                    RecordFiles::make(WorkerRecord::layout(), {{"Cognome", "Bianchi"}})}));
        const QString xls = fx.path("Anagrafica_Lavoratori.xls");
        if (blocked)
            QVERIFY(QDir().mkdir(xls));
        fx.screens->workers->open();
        Dialogs::Test::queueAnswer(exportYes);
        Dialogs::Test::queueAnswer(openYes);
        Modal::on([](QDialog *d) {
            QCOMPARE(d->objectName(), QString("TfrmExpIstruttori"));
            QCOMPARE(d->windowTitle(), QString(" Esporta archivio lavoratori in Microsoft Excel"));
            auto *grid = ScreenFixture::child<QTableView>(d, "grdRecords");
            QCOMPARE(grid->model()->rowCount(), 2);
            QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QString("N."));
            QCOMPARE(grid->model()->index(1, 0).data().toInt(), 2);
            QCOMPARE(grid->model()->index(0, 1).data().toString(), QString("Rossi Mario"));
            QCOMPARE(grid->rowHeight(0), 21);
            // A read-only grid: the arrows move in it, Tab leaves it.
            ScreenFixture::activate(d);
            grid->setFocus(Qt::TabFocusReason);
            // The current cell is on a highlighted row from the moment the grid has the focus.
            QVERIFY(grid->currentIndex().isValid());
            QVERIFY(grid->selectionModel()->isRowSelected(grid->currentIndex().row(), QModelIndex()));
            QTest::keyClick(grid, Qt::Key_Right);
            QVERIFY(grid->currentIndex().isValid());
            QTest::keyClick(grid, Qt::Key_Down);
            QCOMPARE(grid->selectionModel()->selectedRows(), QModelIndexList{grid->model()->index(1, 0)});
            QTest::keyClick(grid, Qt::Key_Tab);
            QVERIFY(QApplication::focusWidget() != grid);
            ScreenFixture::click(d, "cmdEsporta");
        });
        ScreenFixture::click(fx.screens->workers, "cmdEsporta");
        QStringList shown;
        for (const Dialogs::Shown &s : Dialogs::Test::shown())
            shown << s.text;
        QCOMPARE(shown, said);
        QCOMPARE(QFileInfo(xls).isFile(), exportYes && !blocked);
        if (exportYes && !blocked)
            QVERIFY(fx.fileBytes("Anagrafica_Lavoratori.xls").contains(">Bianchi</td>"));
        QCOMPARE(Desktop::Test::opened().size(), openYes ? 1 : 0);
        if (openYes)
            QCOMPARE(Desktop::Test::opened().first(), QUrl::fromLocalFile(xls));
    }
};

QTEST_MAIN(TestExportScreen)
#include "TestExportScreen.moc"
