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
};

QTEST_MAIN(TestGuidePdf)
#include "TestGuidePdf.moc"
