#include "shell/HelpTopics.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

// The guide the build wrote beside the program says what the help screens say.
class TestGuidePdf : public QObject
{
    Q_OBJECT

private slots:
    void guideMatchesTheTopics()
    {
        const QString pdf = QStringLiteral(VELTARO_BIN_DIR "/Guida.pdf");
        QVERIFY2(QFile::exists(pdf), qPrintable(pdf));
        QProcess p;
        p.start("pdftotext", {"-enc", "UTF-8", pdf, "-"});
        QVERIFY2(p.waitForFinished(60000) && p.exitCode() == 0, p.readAllStandardError().constData());
        const auto flat = [](QString s) { return s.replace(QRegularExpression("\\s+"), " ").trimmed(); };
        const QString text = flat(QString::fromUtf8(p.readAllStandardOutput()));
        QVERIFY(text.startsWith("Veltaro"));
        for (const HelpTopics::Topic &t : HelpTopics::all()) {
            QVERIFY2(text.contains(t.title), qPrintable(t.title));
            for (const QString &paragraph : t.paragraphs)
                QVERIFY2(text.contains(flat(paragraph)), qPrintable(paragraph));
        }
    }

    // Every topic shows its screen: one picture on the page of each topic, none elsewhere.
    void everyTopicHasItsPicture()
    {
        const QString pdf = QStringLiteral(VELTARO_BIN_DIR "/Guida.pdf");
        QProcess p;
        p.start("pdfimages", {"-list", pdf});
        QVERIFY2(p.waitForFinished(60000) && p.exitCode() == 0, p.readAllStandardError().constData());
        QMap<int, int> perPage;
        for (const QString &line : QString::fromUtf8(p.readAllStandardOutput()).split('\n').mid(2)) {
            const QStringList cells = line.simplified().split(' ');
            if (cells.size() > 2 && cells.at(2) == "image")
                ++perPage[cells.at(0).toInt()];
        }
        QCOMPARE(perPage.size(), HelpTopics::all().size());
        for (auto it = perPage.cbegin(); it != perPage.cend(); ++it) {
            p.start("pdftotext", {"-f", QString::number(it.key()), "-l", QString::number(it.key()), "-enc", "UTF-8", pdf, "-"});
            QVERIFY(p.waitForFinished(60000));
            const QString page = QString::fromUtf8(p.readAllStandardOutput());
            const auto topic = std::find_if(HelpTopics::all().cbegin(), HelpTopics::all().cend(),
                                            [&](const HelpTopics::Topic &t) { return page.contains(t.title); });
            QVERIFY2(topic != HelpTopics::all().cend(), qPrintable(QString("page %1").arg(it.key())));
        }
    }
};

QTEST_MAIN(TestGuidePdf)
#include "TestGuidePdf.moc"
