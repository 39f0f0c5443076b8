#include "archive/ResultList.h"
#include "framework/Clock.h"
#include "framework/Dialogs.h"
#include "framework/Printing.h"
#include "framework/Report.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QStringList numbered(int n)
{
    QStringList lines;
    for (int i = 1; i <= n; ++i)
        lines << QStringLiteral("Riga %1 del riepilogo").arg(i, 3, 10, QLatin1Char('0'));
    return lines;
}

QVector<Report::Placed> named(const Report::Page &page, const QString &name)
{
    QVector<Report::Placed> out;
    for (const Report::Placed &p : page)
        if (p.name == name)
            out << p;
    return out;
}

int pdfPages(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pdf = f.readAll();
    if (!pdf.startsWith("%PDF"))
        return -1;
    const auto m = QRegularExpression(QStringLiteral("/Type\\s*/Pages.*?/Count\\s+(\\d+)"),
                                      QRegularExpression::DotMatchesEverythingOption)
                       .match(QString::fromLatin1(pdf));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}
}

class TestReport : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        Clock::setToday(QDate(2017, 6, 15));
        Dialogs::Test::setEnabled(true);
        Printing::Test::reset();
    }

    void listFlowsOverPages()
    {
        const QStringList lines = numbered(130);
        const Report::Template t = Report::listTemplate("Riepilogo lavoratori in archivio", lines);
        QCOMPARE(t.pageLayout().orientation(), QPageLayout::Landscape);
        QCOMPARE(t.pageLayout().pageSize().id(), QPageSize::A4);
        QCOMPARE(t.pageLayout().margins(QPageLayout::Millimeter), QMarginsF(10, 10, 10, 10));
        const QRectF body = t.body();

        const QVector<Report::Page> pages = Report::layout(t);
        QCOMPARE(pages.size(), 3);
        QStringList printed;
        for (int p = 0; p < pages.size(); ++p) {
            const auto title = named(pages[p], "txtTitolo");
            QCOMPARE(title.size(), p == 0 ? 1 : 0);
            const auto footer = named(pages[p], "txtPagina");
            QCOMPARE(footer.size(), 1);
            QCOMPARE(footer[0].text, QString("Stampa eseguita in data 15/06/2017"));
            QVERIFY(qAbs(footer[0].rect.bottom() - body.bottom()) < 0.01);
            QCOMPARE(footer[0].style.background, QColor(0x70, 0x80, 0x90));
            QVERIFY(footer[0].style.bold);
            double previous = p == 0 ? title[0].rect.bottom() : body.top() - 0.01;
            for (const Report::Placed &l : named(pages[p], "txtRiepilogo")) {
                QVERIFY(l.rect.top() >= previous - 0.01);          // in order, no overlap
                QVERIFY(l.rect.bottom() <= footer[0].rect.top());  // clear of the footer
                QCOMPARE(l.style.family, QString("Courier New"));
                QVERIFY(qAbs(l.rect.height() - 12.822) < 1e-9);
                QCOMPARE(l.rect.width(), body.width());
                previous = l.rect.bottom();
                printed << l.text;
            }
        }
        QCOMPARE(printed, lines);   // every line once, in list order
        const auto title = named(pages[0], "txtTitolo");
        QCOMPARE(title[0].text, QString("Riepilogo lavoratori in archivio"));
        QCOMPARE(title[0].style.family, QString("Verdana"));
        QCOMPARE(title[0].style.colour, QColor(Qt::white));
        QCOMPARE(title[0].style.alignment & Qt::AlignHCenter, Qt::AlignHCenter);
        QCOMPARE(title[0].rect.topLeft(), body.topLeft());

        const QVector<Report::Page> empty = Report::layout(Report::listTemplate("Vuoto", {}));
        QCOMPARE(empty.size(), 1);
        QCOMPARE(named(empty[0], "txtTitolo").size(), 1);
        QCOMPARE(named(empty[0], "txtPagina").size(), 1);
        QVERIFY(named(empty[0], "txtRiepilogo").isEmpty());
    }

    // A line longer than the page prints in the type of the others, the whole list a little
    // smaller: every column stays under the one above it, and the long line is whole.
    void longLineKeepsTheColumns()
    {
        const QString tail(180, QLatin1Char('x'));
        const QStringList lines = {"Alfa      Uno       01/02/2017", "Beta      Due       03/04/2017  " + tail};
        QTemporaryDir dir;
        const QString pdf = dir.filePath("elenco.pdf");
        QVERIFY(Report::writePdf(Report::listTemplate("Elenco", lines), pdf));
        QProcess p;
        p.start("pdftotext", {"-bbox", "-enc", "UTF-8", pdf, "-"});
        QVERIFY(p.waitForFinished(60000));
        const QString html = QString::fromUtf8(p.readAllStandardOutput());
        QHash<QString, QRectF> words;
        static const QRegularExpression word(
            R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*?)</word>)re");
        for (auto it = word.globalMatch(html); it.hasNext();) {
            const auto m = it.next();
            words.insert(m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                               QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())));
        }
        QVERIFY2(words.contains("Uno") && words.contains("Due") && words.contains(tail), qPrintable(html));
        QVERIFY(qAbs(words["Uno"].left() - words["Due"].left()) < 0.5);
        QVERIFY(qAbs(words["01/02/2017"].left() - words["03/04/2017"].left()) < 0.5);
        QVERIFY(qAbs(words["Uno"].height() - words["Due"].height()) < 0.1);
        const double pageWidth = 297 / 25.4 * 72;
        QVERIFY(words[tail].right() <= pageWidth - 10 / 25.4 * 72);
    }

    void slotsAreFoundByName()
    {
        Report::Template t = Report::listTemplate("Prima", {"a"});
        t.setText("txtTitolo", "Dopo");
        t.setLines("txtRiepilogo", {"x", "y"});
        QCOMPARE(t.find("txtTitolo")->text, QString("Dopo"));
        QVERIFY(!t.find("txtNessuno"));
        const auto page = Report::layout(t).first();
        QCOMPARE(named(page, "txtTitolo").first().text, QString("Dopo"));
        QCOMPARE(named(page, "txtRiepilogo").size(), 2);
    }

    void paintedPageShowsBarsAndLines()
    {
        const Report::Template t = Report::listTemplate("Riepilogo", numbered(3));
        const Report::Page page = Report::layout(t).first();
        QImage image(t.pageSize().toSize(), QImage::Format_RGB32);
        image.setDotsPerMeterX(int(96 / 0.0254));
        image.setDotsPerMeterY(int(96 / 0.0254));
        image.fill(Qt::white);
        QPainter painter(&image);
        Report::paintPage(painter, page, 1.0);
        painter.end();

        const QColor slate(0x70, 0x80, 0x90);
        const QRectF title = named(page, "txtTitolo").first().rect;
        const QRectF footer = named(page, "txtPagina").first().rect;
        QCOMPARE(image.pixelColor((title.topLeft() + QPointF(3, 3)).toPoint()), slate);
        QCOMPARE(image.pixelColor((footer.bottomRight() - QPointF(3, 3)).toPoint()), slate);
        const auto inked = [&](const QRectF &r) {
            int dark = 0;
            for (int y = int(r.top()); y < int(r.bottom()); ++y)
                for (int x = int(r.left()); x < int(r.right()); ++x)
                    dark += qGray(image.pixel(x, y)) < 128;
            return dark;
        };
        const QRectF first = named(page, "txtRiepilogo").first().rect;
        QVERIFY(inked(first) > 50);                               // the line's text is there
        QCOMPARE(inked(first.translated(0, 4 * first.height())), 0);   // and nothing past the list
        QCOMPARE(image.pixelColor(title.center().toPoint() + QPoint(int(title.width() / 2) - 3, 0)), slate);
    }

    void listPrintGoesToThePrinterChosen()
    {
        QTemporaryDir dir;
        QString remembered;
        ResultPanel panel("Riepilogo lavoratori in archivio", &remembered, true);
        panel.setLines(numbered(130));
        auto *print = panel.findChild<QPushButton *>("btnStampa");

        const QString pdf = dir.filePath("elenco.pdf");
        Printing::Test::setOutput(pdf);
        QTest::mouseClick(print, Qt::LeftButton);
        QCOMPARE(Printing::Test::asked(), 1);
        QCOMPARE(pdfPages(pdf), 3);

        // Cancelling the printer dialog prints nothing.
        const QString other = dir.filePath("annullato.pdf");
        Printing::Test::setOutput(QString());
        QVERIFY(!Report::print(Report::listTemplate("x", {"y"}), nullptr));
        QVERIFY(!QFile::exists(other));
        QCOMPARE(Printing::Test::asked(), 2);

        // An empty list still prints its page.
        Printing::Test::setOutput(other);
        panel.setLines(QStringList());
        QTest::mouseClick(print, Qt::LeftButton);
        QCOMPARE(pdfPages(other), 1);
    }
};

QTEST_MAIN(TestReport)
#include "TestReport.moc"
