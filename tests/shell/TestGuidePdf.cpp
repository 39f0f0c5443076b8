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

    // Every topic shows its screen: one picture in the pages of each topic, none elsewhere.
    void everyTopicHasItsPicture()
    {
        const QString pdf = QStringLiteral(VELTARO_BIN_DIR "/Guida.pdf");
        QProcess p;
        p.start("pdfimages", {"-list", pdf});
        QVERIFY2(p.waitForFinished(60000) && p.exitCode() == 0, p.readAllStandardError().constData());
        QList<int> imagePages;
        for (const QString &line : QString::fromUtf8(p.readAllStandardOutput()).split('\n').mid(2)) {
            const QStringList cells = line.simplified().split(' ');
            if (cells.size() > 2 && cells.at(2) == "image")
                imagePages << cells.at(0).toInt();
        }
        // The page where each topic's heading stands.
        p.start("pdftotext", {"-enc", "UTF-8", pdf, "-"});
        QVERIFY(p.waitForFinished(60000));
        const QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split('\f');
        const QVector<HelpTopics::Topic> &topics = HelpTopics::all();
        QList<int> starts;
        for (qsizetype t = 0; t < topics.size(); ++t) {
            const QString heading = QString("%1. %2").arg(t + 1).arg(topics.at(t).title);
            qsizetype at = starts.isEmpty() ? 1 : starts.last();   // past the contents
            while (at < pages.size() && !pages.at(at).simplified().startsWith(heading))
                ++at;
            QVERIFY2(at < pages.size(), qPrintable(heading));
            starts << int(at);
        }
        starts << int(pages.size());
        for (qsizetype t = 0; t < topics.size(); ++t) {
            const auto inTopic = std::count_if(imagePages.cbegin(), imagePages.cend(), [&](int page) {
                return page - 1 >= starts.at(t) && page - 1 < starts.at(t + 1);
            });
            QVERIFY2(inTopic == 1, qPrintable(QString("%1: %2 pictures").arg(topics.at(t).title).arg(inTopic)));
        }
        QCOMPARE(imagePages.size(), topics.size());
    }
};

QTEST_MAIN(TestGuidePdf)
#include "TestGuidePdf.moc"
