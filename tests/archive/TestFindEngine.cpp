#include "archive/FindEngine.h"
#include "archive/TextCodec.h"
#include "workers/WorkerRecord.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
using Fields = QList<QPair<QString, QString>>;

Record worker(const Fields &fields)
{
    Record r(WorkerRecord::layout());
    for (const auto &[name, text] : fields)
        r.set(name, text);
    return r;
}

void writeArchive(const QString &path, const QList<Record> &records, const QByteArray &tail = {})
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    for (const Record &r : records)
        f.write(r.bytes());
    f.write(tail);
}

// Name in a 10-wide column, then the job in a 6-wide one, then the notes in full.
Find::LineBuilder shortLine()
{
    return Find::columnLine(WorkerRecord::layout(), {{QString(), {"Cognome", "Nome"}, 10},
                                                     {QStringLiteral("  M. "), {"Codice"}, 6},
                                                     {QStringLiteral(" € "), {"Note"}, 0}});
}

QString build(const Find::LineBuilder &line, const Record &r)
{
    QByteArray out("old:");   // builders append
    line(r.bytes().constData(), out);
    return QString::fromLatin1(out);
}
}

class TestFindEngine : public QObject
{
    Q_OBJECT
private slots:
    void matchRule_data()
    {
        QTest::addColumn<QStringList>("filters");   // "Field=text", text as typed
        QTest::addColumn<bool>("listed");
        QTest::newRow("no filter") << QStringList{} << true;
        QTest::newRow("empty boxes") << QStringList{"Cognome=", "Nome="} << true;
        QTest::newRow("substring anywhere") << QStringList{"Cognome=oss"} << true;
        QTest::newRow("capitals fold") << QStringList{"Cognome=rOSSI"} << true;
        QTest::newRow("longer than field text") << QStringList{"Cognome=Rossini"} << false;
        QTest::newRow("two filters, both occur") << QStringList{"Cognome=ross", "Nome=ari"} << true;
        QTest::newRow("two filters, one fails") << QStringList{"Cognome=ross", "Nome=luca"} << false;
        QTest::newRow("trailing blank as typed") << QStringList{"Cognome=rossi "} << false;
        QTest::newRow("trailing blank present") << QStringList{"Note=patente "} << true;
        QTest::newRow("leading blank as typed") << QStringList{"Note= B"} << true;
        QTest::newRow("blank-only filter alone") << QStringList{"Cognome=   "} << true;
        // Not counted in N, yet it adds to M where the field holds two blanks.
        QTest::newRow("blank-only stands in for a failing filter") << QStringList{"Nome=luca", "Note=  "} << true;
        QTest::newRow("blank-only with no blanks in field") << QStringList{"Nome=luca", "Cognome=  "} << false;
        QTest::newRow("accented capitals do not fold") << QStringList{"Categoria=àrea"} << false;
        QTest::newRow("accented letter kept, A-Z folded") << QStringList{"Categoria=ÀREA"} << true;
        QTest::newRow("euro sign") << QStringList{"Note=€ 5"} << true;
        QTest::newRow("character outside the code page") << QStringList{"Cognome=Ross中"} << false;
        QTest::newRow("outside the code page, not a question mark") << QStringList{"Note=中"} << false;
        QTest::newRow("digits anywhere") << QStringList{"Iva=4567"} << true;
    }
    void matchRule()
    {
        QFETCH(QStringList, filters);
        QFETCH(bool, listed);
        const Record r = worker({{"Cognome", "Rossi"},
                                 {"Nome", "Mario"},
                                 {"Categoria", "Àrea tecnica"},
                                 {"Iva", "01234567890"},
                                 {"Note", "ha la patente  B, € 5 di anticipo?"}});
        QVector<Find::Filter> typed;
        for (const QString &f : filters)
            typed.append({WorkerRecord::layout().indexOf(f.section('=', 0, 0)), f.section('=', 1)});
        QCOMPARE(Find::Matcher(WorkerRecord::layout(), typed).matches(r.bytes().constData()), listed);
    }

    void longFieldsFoldAtEveryPosition()
    {
        // Folding works in blocks of eight bytes; a match must be found wherever it falls.
        for (int at = 0; at < 40; ++at) {
            const QString note = QString(at, QLatin1Char('x')) + QString::fromUtf8("ÈrOSsI");
            const Record r = worker({{"Note", note}});
            const Find::Matcher hit(WorkerRecord::layout(), {{WorkerRecord::layout().indexOf("Note"), QString::fromUtf8("Èross")}});
            const Find::Matcher miss(WorkerRecord::layout(), {{WorkerRecord::layout().indexOf("Note"), QString::fromUtf8("èross")}});
            QVERIFY2(hit.matches(r.bytes().constData()), qPrintable(note));
            QVERIFY2(!miss.matches(r.bytes().constData()), qPrintable(note));
        }
    }

    void order()
    {
        QStringList lines = {"b", "Ab", "_x", "a 2", "1", QString::fromUtf8("àb"), "ab", QString::fromUtf8("€"),
                             "Zeta", "A 1", "", "a"};
        ListOrder::sort(lines);
        // A-Z equal to a-z (equal lines keep their order), then character codes of the code page.
        const QStringList expected = {"", "1", "a", "A 1", "a 2", "Ab", "ab", "b", "Zeta", "_x",
                                      QString::fromUtf8("€"), QString::fromUtf8("àb")};
        QCOMPARE(lines, expected);
        QVERIFY(ListOrder::compare(QString("ROSSI"), QString("rossi")) == 0);
        QVERIFY(ListOrder::less(QString::fromUtf8("Rossi Z"), QString::fromUtf8("Rossi é")));
    }

    void linesDecodeEveryByte()
    {
        // Every byte value, shifted through the eight-byte steps of the UTF-8 writer, comes out
        // as the code page's character, as text and as UTF-8.
        ListOrder::Lines lines;
        for (int shift = 0; shift < 9; ++shift) {
            QByteArray line(shift, 'x');
            for (int b = 0; b < 256; ++b)
                line += char(b);
            lines.append(line);
        }
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QString text = Cp1252::decode(lines.bytes(i));
            QCOMPARE(lines.at(i), text);
            QByteArray utf8(lines.utf8Room(i), '\0');
            utf8.truncate(lines.utf8(i, utf8.data()) - utf8.constData());
            QCOMPARE(utf8, text.toUtf8());
        }
    }

    void longLinesOrderPastTheirFirstWords()
    {
        // Lines equal for their first 30 characters (case aside) are told apart further on.
        const QString head = "Rossi Mario                   C.F. ";
        QStringList lines = {head + "b", head + "C", head + "a", head.toUpper() + "B", head};
        ListOrder::sort(lines);
        QCOMPARE(lines, (QStringList{head, head + "a", head + "b", head.toUpper() + "B", head + "C"}));
    }

    void columnLine()
    {
        const auto line = shortLine();
        QCOMPARE(build(line, worker({{"Cognome", "Rossi"}, {"Nome", "Mario"}, {"Codice", "Istruttore"}, {"Note", "ok"}})),
                 QString::fromLatin1("old:Rossi Mari  M. Istrut \x80 ok"));
        // Short texts are padded; an empty name still leaves the joining blank.
        QCOMPARE(build(line, worker({{"Cognome", "Neri"}})), QString::fromLatin1("old:Neri        M.        \x80 "));

        // Text stored with blanks around it (not by this program) is trimmed in the line.
        Record raw(WorkerRecord::layout());
        raw.bytes().replace(0, 6, QByteArray("\x05 Ugo "));
        QCOMPARE(build(line, raw), QString::fromLatin1("old:Ugo         M.        \x80 "));
    }

    void searchListsSortedMatches()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Dipendenti.pro");
        writeArchive(path,
                     {worker({{"Cognome", "rossi"}, {"Nome", "Anna"}}), worker({{"Cognome", "Grossi"}, {"Nome", "Ugo"}}),
                      worker({{"Cognome", "Bianchi"}, {"Nome", "Luca"}}), worker({{"Cognome", "Rossi"}, {"Nome", "Aldo"}})},
                     QByteArray(100, 'z'));   // a torn tail is not a card
        const auto line = shortLine();
        const int surname = WorkerRecord::layout().indexOf("Cognome");

        Find::Listing all = Find::search(path, WorkerRecord::layout(), {}, line);
        QVERIFY(all.ok);
        QCOMPARE(all.lines.size(), 4);
        QVERIFY(all.lines.at(0).startsWith("Bianchi"));
        QVERIFY(all.lines.at(1).startsWith("Grossi"));
        QVERIFY(all.lines.at(2).startsWith("Rossi Aldo"));
        QVERIFY(all.lines.at(3).startsWith("rossi Anna"));

        Find::Listing some = Find::search(path, WorkerRecord::layout(), {{surname, "ROSS"}}, line);
        QCOMPARE(some.lines.size(), 3);
        QVERIFY(some.lines.at(0).startsWith("Grossi"));

        const Find::Listing missing = Find::search(dir.filePath("Nuovo.pro"), WorkerRecord::layout(), {}, line);
        QVERIFY(missing.ok);
        QVERIFY(missing.lines.isEmpty());
        QVERIFY(QFile::exists(dir.filePath("Nuovo.pro")));

        QVERIFY(QDir(dir.path()).mkdir("Cartella.pro"));
        const Find::Listing failed = Find::search(dir.filePath("Cartella.pro"), WorkerRecord::layout(), {}, line);
        QVERIFY(!failed.ok);
        QVERIFY(!failed.error.isEmpty());
    }

    void pickHandsOverEveryEqualRecordInFileOrder()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Dipendenti.pro");
        // Records 1 and 3 give the same (cut) line; record 2 shares its cut name only.
        const Fields same = {{"Cognome", "Rossi"}, {"Nome", "Mario"}, {"Codice", "Istruttore di nuoto"}};
        writeArchive(path, {worker(same + Fields{{"Email", "uno"}}), worker({{"Cognome", "Rossi"}, {"Nome", "Mariolino"}}),
                            worker(same + Fields{{"Email", "tre"}})});
        const auto line = shortLine();
        const Find::Listing all = Find::search(path, WorkerRecord::layout(), {}, line);
        QCOMPARE(all.lines.size(), 3);
        const QString picked = all.lines.at(2);
        QCOMPARE(picked, all.lines.at(1));
        QVERIFY(picked.contains("Istrut"));

        QList<qint64> handed;
        QStringList emails;
        QVERIFY(Find::pick(path, WorkerRecord::layout(), line, "  " + picked + "  ", [&](qint64 n, const char *record) {
            handed << n;
            emails << Record::load(WorkerRecord::layout().field(WorkerRecord::layout().indexOf("Email")), record);
        }));
        QCOMPARE(handed, (QList<qint64>{1, 3}));
        QCOMPARE(emails, (QStringList{"uno", "tre"}));

        handed.clear();
        QVERIFY(Find::pick(path, WorkerRecord::layout(), line, picked.toUpper(), [&](qint64 n, const char *) { handed << n; }));
        QVERIFY(handed.isEmpty());   // exact, case-sensitive
    }
};

QTEST_GUILESS_MAIN(TestFindEngine)
#include "TestFindEngine.moc"
