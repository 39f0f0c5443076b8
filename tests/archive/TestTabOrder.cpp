#include "shell/ScreenRegistry.h"
#include "archive/CardScreen.h"
#include "support/ScreenFixture.h"
#include "workers/WorkerCardScreen.h"

#include <QLabel>
#include <QLineEdit>

#include <functional>

// Tab reaches every box and every button of a card, each button right after the box it
// belongs to; no box keeps the focus for itself.
class TestTabOrder : public QObject
{
    Q_OBJECT

    static QStringList walk(QWidget *screen, QWidget *start, int presses)
    {
        QStringList seen;
        start->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < presses; ++i) {
            QWidget *now = QApplication::focusWidget();
            if (!now)
                break;
            seen << now->objectName();
            QTest::keyClick(now, Qt::Key_Tab);
        }
        Q_UNUSED(screen);
        return seen;
    }

private slots:
    void buttonsFollowTheirBoxes_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("pairs");   // box, then the button Tab reaches next
        QTest::newRow("workers") << "istruttori" << ""
                                 << QStringList{"txtCodFisc", "btnCodFisc", "txtIva", "btnIva", "txtEmail", "btnEmail",
                                                "txtIban", "btnIban", "txtCarta", "btnCarta"};
        QTest::newRow("daily shifts") << "turni" << "2017.ore"
                                      << QStringList{"txtNome", "impNome", "txtData", "impData", "txtLavoratore01",
                                                     "impLavoratore01", "txtLavoratore12", "impLavoratore12"};
        QTest::newRow("weekly shifts") << "settimanale" << "2017.set"
                                       << QStringList{"txtNome", "impNome", "txtDataInizio", "impDatainizio", "txtDataFine",
                                                      "impDataFine"};
        QTest::newRow("projects") << "referti" << "2017.prg" << QStringList{"txtResponsabile", "impResponsabile"};
        QTest::newRow("work log") << "lavori" << "2017.lav" << QStringList{"txtData", "impData"};
    }
    void buttonsFollowTheirBoxes()
    {
        QFETCH(QString, screen);
        QFETCH(QString, file);
        QFETCH(QStringList, pairs);
        ScreenFixture fx;
        const QHash<QString, QWidget *> screens = {
            {"istruttori", fx.screens->workers}, {"turni", fx.screens->dailyShifts}, {"settimanale", fx.screens->weeklyShifts},
            {"referti", fx.screens->projects}, {"lavori", fx.screens->workLog}, {"orari", fx.screens->schedules}};
        QWidget *w = screens.value(screen);
        if (auto *label = w->findChild<QLabel *>("lblFile"))
            label->setText(fx.path(file));
        w->show();
        ScreenFixture::activate(w);
        const QStringList seen = walk(w, w->findChild<QWidget *>(pairs.first()), 400);
        for (qsizetype i = 0; i < pairs.size(); i += 2) {
            const qsizetype at = seen.indexOf(pairs[i]);
            QVERIFY2(at >= 0, qPrintable(pairs[i] + " never has the focus"));
            QVERIFY2(at + 1 < seen.size() && seen[at + 1] == pairs[i + 1],
                     qPrintable(pairs[i] + " is followed by " + seen.value(at + 1)));
        }
        // Tab goes round the whole screen: it comes back to where it started.
        QVERIFY2(seen.indexOf(pairs.first(), 1) > 0, qPrintable(seen.join(' ')));
        w->hide();
    }

    // Tab follows the bands as they are read, row after row; Ctrl+Tab leaves the table for the
    // control after it and Ctrl+Shift+Tab for the one before it.
    void bandsGoRowByRow_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("row");   // a band's controls in Tab order, then the next band's first
        QTest::addColumn<QString>("lastCell");
        QTest::newRow("schedules") << "orari" << "" << QStringList{"txtInizio01", "txtFine01", "txtAttivita01", "txtInizio02"}
                                   << "txtAttivita12";
        QTest::newRow("weekly shifts") << "settimanale" << "2017.set"
                                       << QStringList{"txtInizio05", "txtFine05", "txtLun05", "txtMar05", "txtMer05",
                                                      "txtGio05", "txtVen05", "txtSab05", "txtDom05", "txtInizio06"}
                                       << "txtDom12";
    }
    void bandsGoRowByRow()
    {
        QFETCH(QString, screen);
        QFETCH(QString, file);
        QFETCH(QStringList, row);
        QFETCH(QString, lastCell);
        ScreenFixture fx;
        QWidget *w = screen == "orari" ? fx.screens->schedules : fx.screens->weeklyShifts;
        if (auto *label = w->findChild<QLabel *>("lblFile"))
            label->setText(fx.path(file));
        w->show();
        ScreenFixture::activate(w);
        const QStringList seen = walk(w, w->findChild<QWidget *>(row.first()), int(row.size()));
        QCOMPARE(seen, row);
        // Shift+Tab goes back along the same band, and from a band's first cell to the one before.
        for (qsizetype i : {qsizetype(2), row.size() - 1}) {
            QWidget *cell = w->findChild<QWidget *>(row.at(i));
            cell->setFocus(Qt::TabFocusReason);
            QTest::keyClick(cell, Qt::Key_Backtab, Qt::ShiftModifier);
            QCOMPARE(QApplication::focusWidget()->objectName(), row.at(i - 1));
        }

        QWidget *inside = w->findChild<QWidget *>(row.at(2));
        inside->setFocus(Qt::TabFocusReason);
        QTest::keyClick(inside, Qt::Key_Tab, Qt::ControlModifier);
        QWidget *after = QApplication::focusWidget();
        QVERIFY(after && after != inside);
        // What Ctrl+Tab reaches is what Tab reaches from the table's last cell.
        QWidget *last = w->findChild<QWidget *>(lastCell);
        last->setFocus(Qt::TabFocusReason);
        QTest::keyClick(last, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), after);
        w->hide();
    }
};

QTEST_MAIN(TestTabOrder)
#include "TestTabOrder.moc"
