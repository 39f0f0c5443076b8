#include "archive/TextCodec.h"
#include "projects/ProjectCardScreen.h"
#include "projects/ProjectFind.h"
#include "projects/ProjectRecord.h"
#include "projects/ProjectRtf.h"
#include "support/Modal.h"
#include "support/RecordFiles.h"
#include "support/ScreenFixture.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {
using RecordFiles::Fields;
Record stored(const Fields &f) { return RecordFiles::make(ProjectRecord::layout(), f); }

// Today is 15/06/2017 in every screen test.
QList<Record> projects()
{
    return {
        stored({{"Nome", "Zeta"}, {"Codice", "Z1"}, {"DataScade", "14/06/2017"}, {"Terminato", "No"},
                {"Responsabile", "Mario ROSSI"}, {"Recapito", "333"}}),
        stored({{"Nome", "alfa"}, {"DataScade", "15/06/2017"}, {"Terminato", "No"}, {"Responsabile", "Rossini"}}),
        stored({{"Nome", "Beta"}, {"DataScade", "14/06/2017"}, {"Terminato", "S\u00ec"}, {"Responsabile", "Bianchi"}}),
        stored({{"Nome", "Gamma"}, {"DataScade", "01/01/2017"}, {"Terminato", ""}}),
        stored({{"Nome", "Delta"}, {"DataScade", "31/02/2017"}, {"Terminato", "No"}}),
        stored({{"Nome", "Eta"}, {"DataScade", "01/06/2017"}, {"Terminato", "No"}, {"Stato", "prima"}}),
        stored({{"Nome", "Eta"}, {"DataScade", "01/06/2017"}, {"Terminato", "No"}, {"Stato", "seconda"}}),
    };
}

QString line(const Record &r)
{
    QByteArray out;
    ProjectFind::line()(r.bytes().constData(), out);
    return Cp1252::decode(out);
}
}

class TestProjectFindScreen : public QObject
{
    Q_OBJECT

    ProjectCardScreen *openYear(ScreenFixture &fx)
    {
        auto *screen = qobject_cast<ProjectCardScreen *>(fx.screens->projects);
        screen->findChild<QLabel *>("lblFile")->setText(fx.path("2017.prg"));
        screen->open();
        ScreenFixture::activate(screen);
        return screen;
    }

private slots:
    void lineIsFixedWidth()
    {
        const Record r = stored({{"Nome", QString(45, 'n')}, {"Codice", " C "}, {"DataInizio", "01/02/2017"},
                                 {"DataScade", "1/3/17"}, {"Responsabile", " Rossi "}, {"Recapito", " 02 "}});
        QCOMPARE(line(r), QString(40, 'n') + "  Cod. C" + QString(25, ' ') + "  Inizio: 01/02/2017  Scad. 1/3/17    "
                     + "  Rossi  Tel. 02");
    }

    void expiredAgainstToday()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("2017.prg");
        QVERIFY(RecordFiles::write(path, projects()));
        const ProjectFind::Expired e = ProjectFind::expired(path, QDate(2017, 6, 15));
        QVERIFY(e.listing.ok);
        QCOMPARE(e.unreadable, 1);   // 31/02 is said, not the end of the list
        QCOMPARE(e.listing.lines.toStringList(), (QStringList{line(projects()[5]), line(projects()[6]), line(projects()[0])}));
        QCOMPARE(ProjectFind::expired(path, QDate(2017, 6, 14)).listing.lines.size(), 2);
    }

    void findAndExpiredLoadTheProject()
    {
        ScreenFixture fx;
        QVERIFY(RecordFiles::write(fx.path("2017.prg"), projects()));
        ProjectCardScreen *screen = openYear(fx);
        screen->selectSection(3);

        Modal::on([](QDialog *d) {
            QCOMPARE(d->windowTitle(), QString(" Trova progetti in archivio"));
            QCOMPARE(Modal::search(d, {{"txtResponsabile", "rossi"}}), (QStringList{line(projects()[1]), line(projects()[0])}));
            QCOMPARE(ScreenFixture::child<QLabel>(d, "lblTrovate")->text(), QString("Il presente riepilogo contiene 2 schede."));
            Modal::pick(d, 1);
        });
        ScreenFixture::click(screen, "cmdTrova");
        QCOMPARE(screen->findChild<QLineEdit *>("txtNome")->text(), QString("Zeta"));
        QCOMPARE(screen->lblPosizione()->text(), QString("1"));
        QCOMPARE(screen->selectedSection(), 3);

        // Identical lines: the last card is loaded. The unreadable due date is said once.
        Modal::on([](QDialog *d) {
            QCOMPARE(d->objectName(), QString("TfrmProgettiScaduti"));
            auto *list = ScreenFixture::child<ResultList>(d, "lstRecords");
            QCOMPARE(list->count(), 3);
            // On a 1024-wide screen the due date, why a project is listed, is in view unscrolled.
            d->setFixedWidth(1000);
            QApplication::processEvents();
            QVERIFY(QFontMetrics(list->font()).horizontalAdvance(QString(ProjectFind::DueDateColumnEnd, 'X'))
                    <= list->viewport()->width());
            QVERIFY(list->font().pointSize() >= 9);
            Modal::pick(d, 0);
        });
        ScreenFixture::click(screen, "cmdScaduti");
        QCOMPARE(screen->findChild<QLineEdit *>("txtStato")->text(), QString("seconda"));
        QCOMPARE(screen->lblPosizione()->text(), QString("7"));

        // An archive that cannot be read is said, not shown as a year with nothing expired.
        QVERIFY(QFile::remove(fx.path("2017.prg")) && QDir().mkdir(fx.path("2017.prg")));
        Dialogs::Test::clear();
        Modal::on([](QDialog *) { QTRY_COMPARE(Dialogs::Test::shown().size(), 1); });
        ScreenFixture::click(screen, "cmdScaduti");
        QCOMPARE(Dialogs::Test::last().text, Dialogs::archiveAccessText());
    }

    void rtfDocumentPieces()
    {
        // As the screen shows them: a character the code page lacks is still there.
        const QHash<QString, QString> shown = {{"Nome", " {Prova}\\x "}, {"Fasi", "uno\ndue"}, {"Ambito", QString::fromUtf8("€ è Ω")}};
        const QByteArray doc = ProjectRtf::document([&](const QString &f) { return shown.value(f); });
        QVERIFY(doc.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1040{\\fonttbl{\\f0\\fnil\\fcharset0 Verdana;}"
                               "{\\f1\\fnil Verdana;}}{\\colortbl ;\\red0\\green0\\blue0;}\\viewkind4\\uc1\\pard\\qc\\cf1\\b\\f0"
                               "\\fs24 SCHEDA RIEPILOGATIVA PROGETTO\\f1\\fs16\\par \\fs24 " + QByteArray(48, '_') + "\\par"
                               "\\par \\pard\\f0\\fs20 Nome progetto:\\b0\\f1  \\f0 \\{Prova\\}\\\\x\\par"
                               "\\par \\b Codice identificativo:\\b0\\f1  \\f0 \\par"
                               "\\par \\b Ambito:\\b0\\f1  \\f0 \x80 \xe8 \\u937?\\par"));
        QVERIFY(doc.contains("Fasi previste:\\b0\\f1  \\f0 uno\\line due\\par"));
        QVERIFY(doc.endsWith("\\par \\b Annotazioni:\\b0\\f1  \\f0 \\b\\par\\par }"));
    }

    void rtfCardFromTheScreen()
    {
        ScreenFixture fx;
        ProjectCardScreen *screen = openYear(fx);
        screen->findChild<QLineEdit *>("txtNome")->setText("Prova non salvata");
        const QString path = fx.path("Scheda_Progetto.rtf");
        QVERIFY(RecordFiles::write(path, {}));   // an earlier card, empty

        // No to the first question writes nothing.
        Modal::on([](QDialog *d) { QTest::mouseClick(ScreenFixture::child(d, "btnStampa"), Qt::LeftButton); });
        ScreenFixture::click(screen, "cmdStampa");
        QCOMPARE(fx.fileBytes("Scheda_Progetto.rtf"), QByteArray());

        Dialogs::Test::queueAnswer(true);
        Dialogs::Test::queueAnswer(true);
        Modal::on([](QDialog *d) { QTest::mouseClick(ScreenFixture::child(d, "btnStampa"), Qt::LeftButton); });
        ScreenFixture::click(screen, "cmdStampa");
        const QByteArray doc = fx.fileBytes("Scheda_Progetto.rtf");
        QVERIFY(doc.contains("Nome progetto:\\b0\\f1  \\f0 Prova non salvata\\par"));
        QVERIFY(doc.contains("Costo preventivato:\\b0\\f1  \\f0 0,00\\par"));
        QCOMPARE(Desktop::Test::opened().size(), 1);
        QCOMPARE(Desktop::Test::opened().first().toLocalFile(), path);

        // A document that cannot be replaced stays as it was and the notice says so.
        QFile::remove(path);
        QVERIFY(QDir(fx.dir.path()).mkdir("Scheda_Progetto.rtf"));
        Dialogs::Test::queueAnswer(true);
        Modal::on([](QDialog *d) { QTest::mouseClick(ScreenFixture::child(d, "btnStampa"), Qt::LeftButton); });
        ScreenFixture::click(screen, "cmdStampa");
        QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Notice);
        QCOMPARE(Dialogs::Test::last().text, ProjectRtf::failedNotice());
        QCOMPARE(Desktop::Test::opened().size(), 1);
    }

    void rtfOpensInAWordProcessor()
    {
        const QString soffice = QStandardPaths::findExecutable("soffice");
        if (soffice.isEmpty())
            QSKIP("LibreOffice (soffice) is not installed: the RTF card is not converted to text");
        QHash<QString, QString> shown;
        int i = 0;
        for (const ProjectRtf::Entry &e : ProjectRtf::entries())
            shown.insert(e.field, QString("v%1").arg(++i));
        shown.insert("Fasi", "riga uno\r\nriga {due}");
        shown.insert("Nome", QString::fromUtf8("Caffè € Ω"));
        QTemporaryDir dir;
        const QString rtf = dir.filePath(ProjectRtf::fileName());
        QVERIFY(ProjectRtf::write(rtf, ProjectRtf::document([&](const QString &f) { return shown.value(f); })));
        QProcess p;
        p.start(soffice, {"-env:UserInstallation=file://" + dir.filePath("profilo"), "--headless", "--convert-to",
                          "txt:Text (encoded):UTF8", "--outdir", dir.path(), rtf});
        QVERIFY(p.waitForFinished(240000));
        QFile txt(dir.filePath("Scheda_Progetto.txt"));
        QVERIFY2(txt.open(QIODevice::ReadOnly), p.readAllStandardError().constData());
        const QString text = QString::fromUtf8(txt.readAll());
        QVERIFY(text.contains("SCHEDA RIEPILOGATIVA PROGETTO"));
        // Every label with its value, as the reader shows them.
        const QRegularExpression labelOf(R"((?:\\b |\\fs20 )([^\\]+):\\b0)");
        i = 0;
        for (const ProjectRtf::Entry &e : ProjectRtf::entries()) {
            ++i;
            const QString label = labelOf.match(QString::fromLatin1(e.prefix)).captured(1);
            QVERIFY2(!label.isEmpty(), e.prefix);
            if (qstrcmp(e.field, "Nome") != 0 && qstrcmp(e.field, "Fasi") != 0)
                QVERIFY2(text.contains(label + QString(": v%1\n").arg(i)), qPrintable(label));
        }
        QVERIFY(text.contains(QString::fromUtf8("Nome progetto: Caffè € Ω")));
        // \line: the two lines of the phases stay two lines.
        QVERIFY(text.contains("Fasi previste: riga uno\nriga {due}\n"));
    }
};

QTEST_MAIN(TestProjectFindScreen)
#include "TestProjectFindScreen.moc"
