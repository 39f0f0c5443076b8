#include "shell/MainMenu.h"
#include "framework/WrappedLineEdit.h"
#include "shell/PaymentsMenu.h"
#include "shell/YearMenu.h"
#include "support/ScreenFixture.h"

#include <QLayout>
#include <QLineEdit>
#include <QStyle>

// The shift tables and the preset schedules show each value whole on a 1024x768 screen: the
// header boxes on lines wide enough for their longest realistic text, the narrow cells of the
// tables on two lines once left.
class TestShiftTableWidths : public QObject
{
    Q_OBJECT

    static QWidget *open(ScreenFixture &fx, const QString &which)
    {
        fx.screens->mainMenu->open();
        if (which == "orari") {
            ScreenFixture::click(fx.screens->mainMenu, "imgImpostaOrari");
            return fx.screens->schedules;
        }
        ScreenFixture::click(fx.screens->mainMenu, "imgCalendario");
        ScreenFixture::click(fx.screens->shiftCalendarMenu, which == "turni" ? "btnApriFatture" : "btnApriAnnoSet");
        return which == "turni" ? fx.screens->dailyShifts : fx.screens->weeklyShifts;
    }

private slots:
    void valuesShowWhole_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QSize>("screenSize");
        for (const char *which : {"orari", "turni", "settimanale"}) {
            QTest::addRow("%s 1024x768", which) << QString(which) << QSize(1024, 768);
            QTest::addRow("%s 1280x800", which) << QString(which) << QSize(1280, 800);
        }
    }
    void valuesShowWhole()
    {
        QFETCH(QString, which);
        QFETCH(QSize, screenSize);
        ScreenFixture fx;
        QWidget *screen = open(fx, which);
        QVERIFY(screen && screen->isVisible());
        screen->showNormal();
        screen->resize(screenSize - QSize(0, 40));   // room for a title bar
        screen->layout()->activate();
        QApplication::processEvents();
        QCOMPARE(screen->size(), screenSize - QSize(0, 40));

        // Full-length texts as an office writes them.
        const QMap<QString, QString> header = {
            {"Nome", "Turni del Reparto Accoglienza e Segreteria - Nord1"},
            {"Periodo", "dal 1 dicembre 2026 al 31 gennaio 2027, compresi.."},
            {"Sede", "Sede Centrale di Via Garibaldi 12 - Primo Piano AB"},
        };
        const QMap<QString, QString> cells = {
            {"Lun", "Bianchi L., Dell'Acqua N. - reparto Nord"},
            {"Dom", "Rossi M. G., Esposito G., Ferrari Giulia"},
            {"Lavoratore",
             "Bianchi Luca, Dell'Acqua Nicoletta, Rossi Maria Grazia, Esposito Gennaro, Ferrari Giulia, "
             "Romano Alessandro, Colombo An."},
            {"Attivita", "Accoglienza degli ospiti al banco e telefonate, prenotazioni e pratiche di segreteria del "
                         "reparto nord e sud, ogni sera."},
        };
        int checked = 0;
        for (auto it = header.begin(); it != header.end(); ++it) {
            auto *b = screen->findChild<QLineEdit *>("txt" + it.key());
            if (!b)
                continue;
            QCOMPARE(it.value().size(), b->maxLength());
            b->setText(it.value());
            const int frame = b->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b);
            const int room = b->width() - 2 * frame - 4;   // the line edit's own margins
            QVERIFY2(b->fontMetrics().horizontalAdvance(it.value()) <= room,
                     qPrintable(QString("%1: %2 > %3").arg(it.key()).arg(b->fontMetrics().horizontalAdvance(it.value())).arg(room)));
            ++checked;
        }
        for (auto it = cells.begin(); it != cells.end(); ++it) {
            for (int band : {1, 12}) {
                auto *c = screen->findChild<QLineEdit *>(QString("txt%1%2").arg(it.key()).arg(band, 2, 10, QChar('0')));
                if (!c || (which == "orari" && it.key() == "Attivita"))
                    continue;
                auto *wrapped = dynamic_cast<WrappedLineEdit *>(c);
                QVERIFY2(wrapped, qPrintable(c->objectName()));
                QCOMPARE(it.value().size(), c->maxLength());
                c->setText(it.value());
                QVERIFY(!c->hasFocus());
                const QStringList shown = wrapped->shownLines();
                QCOMPARE(shown.join(' ').remove(' '), QString(it.value()).remove(' '));
                QVERIFY2(wrapped->shownPointSize() >= WrappedLineEdit::SmallestPointSize,
                         qPrintable(QString::number(wrapped->shownPointSize())));
                // While it is edited, the box is an ordinary one-line box again.
                c->setFocus();
                QCOMPARE(wrapped->shownLines(), QStringList{it.value()});
                screen->findChild<QLineEdit *>("txtNome")->setFocus();
                ++checked;
            }
        }
        QVERIFY(checked >= 3);
        // Nothing pushed out of the window's width.
        const QRect inside = screen->rect();
        for (QWidget *w : screen->findChildren<QLineEdit *>(QRegularExpression("^txt")))
            QVERIFY2(w->mapTo(screen, QPoint(w->width(), 0)).x() <= inside.right() + 1, qPrintable(w->objectName()));
    }
};

QTEST_MAIN(TestShiftTableWidths)
#include "TestShiftTableWidths.moc"
