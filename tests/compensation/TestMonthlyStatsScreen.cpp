#include "shell/MainMenu.h"
#include "compensation/MonthlyStats.h"
#include "compensation/MonthlyStatsScreen.h"
#include "framework/Printing.h"
#include "shell/PaymentsMenu.h"
#include "shell/YearMenu.h"
#include "support/ScreenFixture.h"
#include "WorkLogFixture.h"

#include <QProcess>
#include <QBarSet>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QGraphicsSimpleTextItem>
#include <QPieSeries>
#include <QPieSlice>
#include <QStackedBarSeries>

namespace {

const QStringList Months = {"Gennaio", "Febbraio", "Marzo",     "Aprile",  "Maggio",   "Giugno",
                            "Luglio",  "Agosto",   "Settembre", "Ottobre", "Novembre", "Dicembre"};

// What the chart shows: each month's label and value, in order.
QStringList points(StatsChart *chart)
{
    QStringList out;
    if (auto *bars = qobject_cast<QStackedBarSeries *>(chart->series())) {
        const QList<QBarSet *> sets = bars->barSets();
        for (int m = 0; m < sets.size(); ++m) {
            // Each month's set holds its value in its own column and nothing elsewhere.
            double elsewhere = 0;
            for (int c = 0; c < sets[m]->count(); ++c)
                elsewhere += c == m ? 0 : qAbs(sets[m]->at(c));
            out << sets[m]->label() + "=" + QString::number(sets[m]->at(m)) + (elsewhere ? "!" : "");
        }
    } else if (auto *pie = qobject_cast<QPieSeries *>(chart->series())) {
        for (QPieSlice *s : pie->slices())
            out << s->label().section(':', 0, 0) + "=" + QString::number(s->value());
    }
    return out;
}

QStringList expected(const QList<double> &values)
{
    QStringList out;
    for (int m = 0; m < 12; ++m)
        out << Months[m] + "=" + QString::number(values.value(m));
    return out;
}

struct Pdf {
    int pages = -1;
    bool landscape = false;
};
Pdf readPdf(const QString &path)
{
    Pdf out;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return out;
    const QString pdf = QString::fromLatin1(f.readAll());
    const auto count = QRegularExpression("/Type\\s*/Pages.*?/Count\\s+(\\d+)",
                                          QRegularExpression::DotMatchesEverythingOption).match(pdf);
    const auto box = QRegularExpression("/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)").match(pdf);
    out.pages = count.hasMatch() ? count.captured(1).toInt() : -1;
    out.landscape = box.hasMatch() && box.captured(1).toDouble() > box.captured(2).toDouble();
    return out;
}

}

class TestMonthlyStatsScreen : public QObject
{
    Q_OBJECT

    MonthlyStatsScreen *screen = nullptr;

    QLineEdit *year() { return ScreenFixture::child<QLineEdit>(screen, "txtAnno"); }
    QWidget *panel(const char *name) { return ScreenFixture::child(screen, name); }
    void openScreen(ScreenFixture &fx)
    {
        fx.screens->mainMenu->open();
        ScreenFixture::click(fx.screens->mainMenu, "btnCompensi");
        ScreenFixture::click(fx.screens->paymentsMenu, "btnStatistiche");
        screen = qobject_cast<MonthlyStatsScreen *>(fx.screens->monthlyStats);
        QVERIFY(screen && screen->isVisible());
        ScreenFixture::activate(screen);
    }
    void apri() { ScreenFixture::click(screen, "btnApri"); }

private slots:
    void init() { Printing::Test::reset(); }

    void monthTotalsOnTheChart()
    {
        ScreenFixture fx;
        QVERIFY(writeLog(fx.path("2017.lav"), {{"10/01/2017", "10,40"},
                                               {"31/01/2017", "10,20"},
                                               {"05/02/2017", "99,49"},
                                               {"06/02/2017", "1O,00"},   // unreadable total
                                               {"15/03/2016", "50,00"},   // another year
                                               {"5/3/2017", "30,00"},     // no leading zeros
                                               {"01/12/2017", "0,50"},
                                               {"02/12/2017", ""}}));     // no total
        openScreen(fx);
        QCOMPARE(screen->windowTitle(), QString(" Veltaro - Statistiche rimunerazioni mensili"));
        QCOMPARE(year()->text(), QString("2017"));
        QCOMPARE(QApplication::focusWidget(), year());
        QVERIFY(panel("panAvvio")->isVisible());
        QVERIFY(!panel("panContainer")->isVisible());
        QTest::keyClick(year(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("btnApri"));

        apri();
        QVERIFY(!panel("panAvvio")->isVisible());
        QVERIFY(panel("panContainer")->isVisible());
        QCOMPARE(ScreenFixture::child<QLabel>(screen, "lblFile")->text(), fx.path("2017.lav"));
        QCOMPARE(ScreenFixture::child<QLabel>(screen, "lblTitolo")->text(),
                 QString("Rappresentazione grafica delle rimunerazioni mensili dell'anno 2017."));
        QCOMPARE(ScreenFixture::child<QLabel>(screen, "memGennaio")->text(), QString("21"));
        QCOMPARE(ScreenFixture::child<QLabel>(screen, "memFebbraio")->text(), QString("99"));
        QCOMPARE(ScreenFixture::child<QLabel>(screen, "memMarzo")->text(), QString("0"));
        QCOMPARE(ScreenFixture::child<QLabel>(screen, "memDicembre")->text(), QString("1"));
        QCOMPARE(points(screen->chart()), expected({21, 99, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
        QCOMPARE(screen->chart()->series()->objectName(), QString("Series1"));

        // The cards that could not be added up no longer keep the chart away; one notice says which.
        QCOMPARE(Dialogs::Test::shown().size(), 1);
        QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Notice);
        QCOMPARE(Dialogs::Test::last().text,
                 QString::fromUtf8("Attenzione: 2 schede dell'archivio non sono state considerate nel grafico.\n\r\n\r"
                                   "Totale dovuto non valido: schede n. 4, 8.\n\r\n\r"
                                   "Correggere le schede indicate nella schermata di registrazione dei lavori."));
    }

    void chartKindStaysChosen()
    {
        ScreenFixture fx;
        QVERIFY(writeLog(fx.path("2017.lav"), {{"10/04/2017", "40,00"}, {"10/05/2017", "60,00"}}));
        openScreen(fx);
        apri();
        const QStringList values = expected({0, 0, 0, 40, 60});
        QVERIFY(qobject_cast<QStackedBarSeries *>(screen->chart()->series()));
        ScreenFixture::click(screen, "btnTorta");
        QVERIFY(qobject_cast<QPieSeries *>(screen->chart()->series()));
        QCOMPARE(points(screen->chart()), values);
        QCOMPARE(screen->chart()->series()->objectName(), QString("Series1"));
        auto *pie = qobject_cast<QPieSeries *>(screen->chart()->series());
        QCOMPARE(pie->slices().at(3)->color(), QColor(0xFF, 0x00, 0xFF));
        QCOMPARE(pie->slices().at(9)->color(), QColor(0x87, 0xCE, 0xEB));

        // Leaving and coming back: the year panel again, no points, but still a pie.
        ScreenFixture::click(screen, "btnEsci");
        QVERIFY(fx.screens->mainMenu->isVisible());
        openScreen(fx);
        QVERIFY(panel("panAvvio")->isVisible());
        QVERIFY(!screen->chart()->series());
        apri();
        QVERIFY(qobject_cast<QPieSeries *>(screen->chart()->series()));
        QCOMPARE(points(screen->chart()), values);
        ScreenFixture::click(screen, "btnBarre");
        QCOMPARE(points(screen->chart()), values);
        QVERIFY(qobject_cast<QStackedBarSeries *>(screen->chart()->series()));
        QVERIFY(Dialogs::Test::shown().isEmpty());
    }

    void yearRefusedOrLogMissing()
    {
        ScreenFixture fx;
        openScreen(fx);
        for (const char *bad : {"17", "2O17"}) {
            year()->setText(QLatin1String(bad));
            ScreenFixture::child(screen, "imgEsci")->setFocus();
            apri();
            QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Warning);
            QCOMPARE(Dialogs::Test::last().text, QString("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
            QCOMPARE(QApplication::focusWidget(), year());
            QVERIFY(panel("panAvvio")->isVisible());
        }
        QCOMPARE(Dialogs::Test::shown().size(), 2);

        // A log that cannot be read leaves the year panel in front, and says why.
        QVERIFY(QDir(fx.dir.path()).mkdir("2015.lav"));
        year()->setText("2015");
        apri();
        QCOMPARE(Dialogs::Test::shown().size(), 3);
        QCOMPARE(Dialogs::Test::last().text, QString("Attenzione: il file di archivio non risulta accessibile."));
        QVERIFY(panel("panAvvio")->isVisible());

        // A year without a log gets an empty one and twelve zeros.
        year()->setText("2016");
        apri();
        QVERIFY(panel("panContainer")->isVisible());
        QVERIFY(QFile::exists(fx.path("2016.lav")));
        QCOMPARE(points(screen->chart()), expected({}));
        QCOMPARE(Dialogs::Test::shown().size(), 3);
        // Twelve zeros draw nothing: the chart says so in words, as bars and as a pie.
        for (const char *kind : {"btnTorta", "btnBarre"}) {
            ScreenFixture::click(screen, kind);
            QVERIFY(screen->chart()->showsEmptyNote());
            const QList<QGraphicsItem *> items = screen->chart()->childItems();
            QVERIFY(std::any_of(items.begin(), items.end(), [](QGraphicsItem *i) {
                auto *t = dynamic_cast<QGraphicsSimpleTextItem *>(i);
                return t && t->isVisible() && t->text() == StatsChart::emptyText();
            }));
        }
        // A year with pay has no such words.
        QVERIFY(writeLog(fx.path("2018.lav"), {{"10/04/2018", "40,00"}}));
        year()->setText("2018");
        ScreenFixture::click(screen, "btnEsci");
        openScreen(fx);
        year()->setText("2018");
        apri();
        QVERIFY(!screen->chart()->showsEmptyNote());
    }

    void printing_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("copies");   // null: the copies box is cancelled
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("pages");        // -1: no file
        QTest::newRow("question answered no") << false << "2" << 0 << -1;
        QTest::newRow("copies cancelled") << true << QString() << 0 << -1;
        QTest::newRow("two copies") << true << "2" << 1 << 2;
        QTest::newRow("leading zeros") << true << "003" << 1 << 3;
        QTest::newRow("not only digits") << true << "2a" << 1 << 1;
        QTest::newRow("a space before") << true << " 2" << 1 << 1;
        QTest::newRow("blank") << true << "  " << 1 << 1;
        QTest::newRow("none") << true << "0" << 1 << -1;
    }
    void printing()
    {
        QFETCH(bool, yes);
        QFETCH(QString, copies);
        QFETCH(int, asked);
        QFETCH(int, pages);

        ScreenFixture fx;
        openScreen(fx);
        apri();
        const QString pdf = fx.path("grafico.pdf");
        Printing::Test::setOutput(pdf);
        Dialogs::Test::queueAnswer(yes);
        Dialogs::Test::queueInput(copies);
        ScreenFixture::click(screen, "btnStampa");
        QCOMPARE(Dialogs::Test::shown().first().kind, Dialogs::Kind::Question);
        QCOMPARE(Dialogs::Test::shown().first().text, QString("Si vuole stampare il presente grafico statistico?"));
        QCOMPARE(Printing::Test::asked(), asked);
        const Pdf printed = readPdf(pdf);
        QCOMPARE(printed.pages, pages);
        if (pages > 0) {
            QVERIFY(printed.landscape);
            // The page says which year it shows.
            QProcess text;
            text.start("pdftotext", {"-enc", "UTF-8", pdf, "-"});
            QVERIFY(text.waitForFinished(30000));
            const QString words = QString::fromUtf8(text.readAllStandardOutput()).simplified();
            QVERIFY2(words.contains("Statistiche rimunerazioni mensili - anno " + year()->text()), qPrintable(words));
        }
    }

    // The page is drawn from a chart laid out for it: every month with pay shows its colour.
    void printedChartShowsItsPoints()
    {
        const std::array<double, 12> values{10, 20, 30, 40, 50, 60, 0, 80, 90, 100, 110, 120};
        QImage page(1123, 794, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        StatsChart::paintOnPage(painter, QRectF(38, 38, 1047, 718), StatsChart::Kind::Pie, values);
        painter.end();
        QHash<QRgb, int> seen;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                ++seen[page.pixel(x, y)];
        for (int m : {0, 5, 11})
            QVERIFY2(seen.value(QColor::fromRgba(MonthlyStats::Points[m].argb).rgb()) > 1000, qPrintable(Months[m]));
        QVERIFY(seen.value(QColor::fromRgba(MonthlyStats::Points[6].argb).rgb()) < 300);   // July: its legend mark only
    }
};

QTEST_MAIN(TestMonthlyStatsScreen)
#include "TestMonthlyStatsScreen.moc"
