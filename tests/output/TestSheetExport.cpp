#include "cli/Cli.h"
#include "output/SheetExport.h"
#include "schedules/ScheduleRecord.h"
#include "shifts/DailyShiftRecord.h"
#include "support/RecordFiles.h"
#include "support/ScratchMount.h"
#include "workers/WorkerRecord.h"
#include "worklog/WorkRecord.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using RecordFiles::Fields;

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The data cells of the document in order, as written (entities and all).
QList<QByteArray> dataCells(const QByteArray &doc)
{
    QList<QByteArray> cells;
    const QByteArray open = "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">";
    for (qsizetype at = doc.indexOf(open); at >= 0; at = doc.indexOf(open, at)) {
        at += open.size();
        cells << doc.mid(at, doc.indexOf("</td>", at) - at);
    }
    return cells;
}

QByteArray exportOf(const SheetExport::Sheet &sheet, const QString &path)
{
    const SheetExport::Reading r = SheetExport::read(sheet, path);
    return r.readOk ? SheetExport::document(sheet, r.grid) : QByteArray();
}

// Stores bytes in a text field as they are, untrimmed, the way a damaged or foreign card may hold them.
void putRaw(Record &record, const char *field, const QByteArray &bytes)
{
    const RecordLayout::Field &f = record.layout().field(record.layout().indexOf(field));
    record.bytes()[f.offset] = char(bytes.size());
    record.bytes().replace(f.offset + 1, bytes.size(), bytes);
}

}

class TestSheetExport : public QObject
{
    Q_OBJECT
private slots:
    void workerFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Dipendenti.pro");
        QVERIFY(RecordFiles::write(path, {RecordFiles::make(WorkerRecord::layout(),
                                                            {{"Cognome", "Rossi"}, {"Nome", "Mario"}, {"Iva", "00123456789"},
                                                             {"Familiari", "Lun-Ven"}, {"Codice", "Istruttore"},
                                                             {"Note", "<b>x</b> & perché"}})}));
        const QByteArray doc = exportOf(SheetExport::workers(), path);
        QVERIFY(doc.startsWith("<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" xmlns:x=\"urn:schemas-"
                               "microsoft-com:office:excel\" xmlns=\"http://www.w3.org/TR/REC-html40\"><head><meta "
                               "http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\"><!--[if gte mso 9]>"
                               "<xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet><x:Name>Anagrafica Lavoratori"
                               "</x:Name><x:WorksheetOptions><x:Selected/><x:Panes><x:Pane><x:Number>1</x:Number><x:ActiveRow>"
                               "3</x:ActiveRow></x:Pane></x:Panes><x:ProtectContents>False</x:ProtectContents>"
                               "<x:ProtectObjects>False</x:ProtectObjects><x:ProtectScenarios>False</x:ProtectScenarios>"
                               "</x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets></x:ExcelWorkbook></xml>"
                               "<![endif]--></head><body><table x:str><tr><td style=\"text-align: left; font-weight: bold;\" "
                               "width=250>Cognome e nome</td><td style=\"text-align: left; font-weight: bold;\" width=200>"
                               "Codice fiscale</td>"));
        QVERIFY(doc.endsWith("</tr></table></body></html>"));
        QVERIFY(!doc.contains('\n') && !doc.contains('\r'));
        QVERIFY(doc.contains("width=300>Giorni e orari disponibilit\xE0</td>"));   // code page, not UTF-8
        const QList<QByteArray> cells = dataCells(doc);
        QCOMPARE(cells.size(), 25);
        QCOMPARE(cells.at(0), QByteArray("Rossi Mario"));
        QCOMPARE(cells.at(4), QByteArray("00123456789"));
        QCOMPARE(cells.at(13), QByteArray("Lun-Ven"));
        QCOMPARE(cells.at(23), QByteArray("Istruttore"));
        QCOMPARE(cells.at(24), QByteArray("&lt;b&gt;x&lt;/b&gt; &amp; perch\xE9"));
    }

    void bandedArchives_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("headings");   // columns 0, 4, 5, 22, 23 and 24
        QTest::newRow("schedules") << "Orari.pro"
                                   << QStringList{"Nome tabella turni", "Orario 1", "Attività da svolgere 1", "Orario 10",
                                                  "Attività da svolgere 10", "Annotazioni"};
        QTest::newRow("daily shifts") << "2017.ore"
                                      << QStringList{"Nome tabella turni", "Orario 1", "Turnista 1", "Orario 10",
                                                     "Turnista 10", "Annotazioni"};
    }
    void bandedArchives()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, headings);
        const SheetExport::Sheet *sheet = SheetExport::forArchive(file);
        QVERIFY(sheet);
        QCOMPARE(sheet->columns.size(), 25);
        const int at[] = {0, 4, 5, 22, 23, 24};
        for (int i = 0; i < headings.size(); ++i)
            QCOMPARE(sheet->columns.at(at[i]).heading, headings.at(i));
        QCOMPARE(sheet->columns.at(1).heading, file.endsWith(".pro") ? QString::fromUtf8("Periodo validità") : QString("Data"));

        QTemporaryDir dir;
        const QString path = dir.filePath(file);
        Record r(*sheet->layout);
        r.set("Nome", "Mattino");
        r.set("Inizio01", "08:00");
        r.set("Fine01", "12:00");
        r.set("Inizio12", "23:00");                        // bands past the tenth stay out
        r.set(file.endsWith(".pro") ? "Attivita01" : "Lavoratore01", "Sala");
        QVERIFY(RecordFiles::write(path, {r}));
        const QList<QByteArray> cells = dataCells(exportOf(*sheet, path));
        QCOMPARE(cells.size(), 25);
        QCOMPARE(cells.at(4), QByteArray("Dalle 08:00 alle 12:00"));
        QCOMPARE(cells.at(5), QByteArray("Sala"));
        QCOMPARE(cells.at(6), QByteArray("Dalle  alle"));   // an empty band: the last blank trimmed
        QVERIFY(!exportOf(*sheet, path).contains("23:00"));
    }

    void emptyArchiveHasTheHeadingsOnly()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("2017.lav");
        const QByteArray doc = exportOf(SheetExport::workLog(), path);
        QCOMPARE(doc.count("<tr>"), 1);
        QVERIFY(QFile::exists(path));                     // created empty, as the screens do
        QVERIFY(!SheetExport::forArchive("2017.set"));    // weekly tables have no export
    }

    // The command line writes what the screen writes; the second year replaces the first.
    void commandLine()
    {
        QTemporaryDir dir;
        Record card(WorkRecord::layout());
        card.set("Data", "01/02/2023");
        QVERIFY(RecordFiles::write(dir.filePath("2023.lav"), {card, card}));
        card.set("Data", "03/04/2024");
        QVERIFY(RecordFiles::write(dir.filePath("2024.lav"), {card}));
        QString out, err;
        QTextStream o(&out), e(&err);
        Cli::Io io{o, e};
        QCOMPARE(Cli::main({"esporta", dir.filePath("2023.lav")}, io), 0);
        QCOMPARE(Cli::main({"esporta", dir.filePath("2024.lav")}, io), 0);
        const QByteArray written = readAll(dir.filePath("Lavori.xls"));
        QCOMPARE(written, exportOf(SheetExport::workLog(), dir.filePath("2024.lav")));
        QVERIFY(!written.contains("2023"));
        QCOMPARE(Cli::main({"esporta", dir.filePath("2024.lav"), "--file=" + dir.filePath("altro.xls")}, io), 0);
        QCOMPARE(readAll(dir.filePath("altro.xls")), written);
        QCOMPARE(Cli::main({"esporta", dir.filePath("2024.set")}, io), 2);     // no export for it
        QCOMPARE(Cli::main({"esporta", dir.filePath("2025.lav")}, io), 3);     // missing
        QVERIFY(!QFile::exists(dir.filePath("2025.lav")));
    }

    // A failed export leaves the previous file as it was.
    void fullDiskKeepsThePreviousFile()
    {
        ScratchMount mount("64k");
        if (!mount.ok())
            QSKIP("cannot mount a scratch file system here");
        const QString target = mount.path() + "/Lavori.xls";
        QVERIFY(SheetExport::writeFile(target, "vecchio"));
        QString error;
        QVERIFY(!SheetExport::writeFile(target, QByteArray(200 * 1024, 'x'), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(readAll(target), QByteArray("vecchio"));
        QCOMPARE(QDir(mount.path()).entryList(QDir::Files), QStringList{"Lavori.xls"});
    }

    // Texts the cell writer could get wrong: markup at either end of an eight-byte word, bytes
    // to trim, code-page bytes, a field filled to its width. The screen's grid and the streamed
    // command line write the same file.
    void cellTexts_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QByteArray>("cell");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("all blanks") << QByteArray("  \t \x01 ") << QByteArray();
        QTest::newRow("markup only") << QByteArray("&<>") << QByteArray("&amp;&lt;&gt;");
        QTest::newRow("trimmed around") << QByteArray("\x01 a & b\t") << QByteArray("a &amp; b");
        QTest::newRow("code page") << QByteArray("5 \x80 \xE0 \xFF") << QByteArray("5 \x80 \xE0 \xFF");
        QTest::newRow("last of a word") << QByteArray("1234567>") << QByteArray("1234567&gt;");
        QTest::newRow("first of the second word") << QByteArray("12345678<9") << QByteArray("12345678&lt;9");
        QTest::newRow("plain, two words") << QByteArray("0123456789abcdef") << QByteArray("0123456789abcdef");
        QByteArray full = QByteArray("abcdefg&").repeated(31) + "z>";
        QTest::newRow("whole field") << full << QByteArray("abcdefg&amp;").repeated(31) + "z&gt;";
    }
    void cellTexts()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QByteArray, cell);
        QTemporaryDir dir;
        const QString log = dir.filePath("2024.lav");
        Record card(WorkRecord::layout());
        putRaw(card, "Note", stored);
        putRaw(card, "Cognome", stored.left(50));
        QVERIFY(RecordFiles::write(log, {card, card}));
        const SheetExport::Export e = SheetExport::exportArchive(SheetExport::workLog(), log, dir.filePath("Lavori.xls"));
        QVERIFY(e.readOk && e.written);
        QCOMPARE(e.rows, 2);
        const QByteArray written = readAll(dir.filePath("Lavori.xls"));
        QCOMPARE(written, exportOf(SheetExport::workLog(), log));
        const QList<QByteArray> cells = dataCells(written);
        QCOMPARE(cells.size(), 40);
        QCOMPARE(cells.at(20 + 18), cell);
        if (stored.size() <= 50)   // joined with an empty first name: the blank between is trimmed
            QCOMPARE(cells.at(20 + 2), cell);
    }

    // An export that fails part-way, reading or writing, leaves the previous file as it was.
    void failedExportKeepsThePreviousFile()
    {
        QTemporaryDir dir;
        const QString old = dir.filePath("Lavori.xls");
        QVERIFY(SheetExport::writeFile(old, "vecchio"));
        QVERIFY(QDir(dir.path()).mkdir("2023.lav"));     // cannot be read as an archive
        SheetExport::Export e = SheetExport::exportArchive(SheetExport::workLog(), dir.filePath("2023.lav"), old);
        QVERIFY(!e.readOk && !e.written && !e.error.isEmpty());
        QCOMPARE(readAll(old), QByteArray("vecchio"));

        ScratchMount mount("1m");
        if (!mount.ok())
            QSKIP("cannot mount a scratch file system here");
        const QString log = dir.filePath("2024.lav");
        Record card(WorkRecord::layout());
        card.set("Note", QString(250, QLatin1Char('n')));
        QVERIFY(RecordFiles::write(log, QList<Record>(3000, card)));   // a sheet of a few megabytes
        const QString target = mount.path() + "/Lavori.xls";
        QVERIFY(SheetExport::writeFile(target, "vecchio"));
        e = SheetExport::exportArchive(SheetExport::workLog(), log, target);
        QVERIFY(e.readOk);
        QVERIFY(!e.written);
        QVERIFY(!e.error.isEmpty());
        QCOMPARE(readAll(target), QByteArray("vecchio"));
        QCOMPARE(QDir(mount.path()).entryList(QDir::Files), QStringList{"Lavori.xls"});
    }

    // What a user sees in the office suite: every cell as the card holds it, codes as text.
    void opensInTheOfficeSuite()
    {
        const QString soffice = QStandardPaths::findExecutable("soffice");
        if (soffice.isEmpty())
            QSKIP("LibreOffice (soffice) is not installed: the worksheet is not opened here");
        QTemporaryDir dir;
        const QString path = dir.filePath("Dipendenti.pro");
        QVERIFY(RecordFiles::write(path, {RecordFiles::make(WorkerRecord::layout(),
                                                            {{"Cognome", "Nicolò"}, {"Nome", "D'Amico"},
                                                             {"Iva", "00123456789"}, {"TelCasa", "0612345"},
                                                             {"NumDoc", "12345678901234567890"},
                                                             {"Note", "<b>x</b> & 5 €"}})}));
        const QString xls = dir.filePath("Anagrafica_Lavoratori.xls");
        QVERIFY(SheetExport::writeFile(xls, exportOf(SheetExport::workers(), path)));
        QProcess office;
        office.start(soffice, {"--headless", "-env:UserInstallation=file://" + dir.filePath("profilo"), "--convert-to",
                               "csv:Text - txt - csv (StarCalc):44,34,76", "--outdir", dir.path(), xls});
        QVERIFY(office.waitForFinished(180000));
        const QByteArray csv = readAll(dir.filePath("Anagrafica_Lavoratori.csv"));
        QVERIFY2(!csv.isEmpty(), office.readAllStandardError().constData());
        const QStringList rows = QString::fromUtf8(csv).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 2);
        QVERIFY(rows.at(0).startsWith("Cognome e nome,Codice fiscale,Data di nascita"));
        QVERIFY(rows.at(0).contains(QString::fromUtf8("Giorni e orari disponibilità")));
        const QString row = rows.at(1).trimmed();
        QVERIFY2(row.startsWith(QString::fromUtf8("Nicolò D'Amico,")), qPrintable(row));
        for (const char *text : {",00123456789,", ",0612345,", ",12345678901234567890,", "<b>x</b> & 5 €"})
            QVERIFY2(row.contains(QString::fromUtf8(text)), qPrintable(row + " lacks " + QString::fromUtf8(text)));
    }
};

QTEST_MAIN(TestSheetExport)
#include "TestSheetExport.moc"
