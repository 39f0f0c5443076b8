#include "worklog/WorkRecord.h"

#include <QtTest>

class TestWorkRecord : public QObject
{
    Q_OBJECT
private slots:
    // Every field written through the layout must land at the offset other programs read it
    // from; the offsets are spelt out here rather than taken from the table under test.
    void fieldsAtTheirOffsets_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("width");
        const struct {
            const char *name;
            int offset, width;
        } rows[] = {
            {"Cognome", 0, 50},       {"Nome", 51, 50},        {"CodFisc", 102, 16},
            {"Recapito", 119, 50},    {"Mansione", 170, 50},   {"Categoria", 221, 50},
            {"Data", 272, 10},        {"Luogo", 283, 50},      {"Attivita", 334, 250},
            {"DaOre", 585, 2},        {"DaMin", 588, 2},       {"AOre", 591, 2},
            {"AMin", 594, 2},         {"OraInizio", 597, 5},   {"OraFine", 603, 5},
            {"TotOre", 609, 6},       {"CompensoOra", 616, 15}, {"TotDovuto", 632, 15},
            {"NomeProg", 648, 120},   {"CodiceProg", 769, 30}, {"AmbitoProg", 800, 50},
            {"Postazione", 851, 50},  {"Materiali", 902, 250}, {"Note", 1153, 250},
            {"Incompleto", 1404, 2},  {"File01", 1407, 250},   {"File02", 1658, 250},
            {"File03", 1909, 250},    {"Desc01", 2160, 250},   {"Desc02", 2411, 250},
            {"Desc03", 2662, 250},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << QString(r.name) << r.offset << r.width;
    }
    void fieldsAtTheirOffsets()
    {
        QFETCH(QString, field);
        QFETCH(int, offset);
        QFETCH(int, width);
        const RecordLayout &l = WorkRecord::layout();
        QCOMPARE(l.size(), 2913);
        QCOMPARE(l.count(), 31);

        Record r(l);
        r.bytes().fill('#');
        // A value longer than any field: the field takes exactly its width and no more.
        const QString value = QString("x").repeated(300);
        r.set(field, value);
        QByteArray expected(2913, '#');
        expected[offset] = char(width);
        expected.replace(offset + 1, width, QByteArray(width, 'x'));
        QCOMPARE(r.bytes(), expected);
        QCOMPARE(r.get(field), value.left(width));
        const auto p = WorkRecord::place(field.toStdString());
        QCOMPARE(p.offset, offset);
        QCOMPARE(p.width, width);
    }

    void incompleteMark()
    {
        Record r(WorkRecord::layout());
        r.set("Incompleto", WorkRecord::incompletoText(true));
        QCOMPARE(r.bytes().mid(1404, 3), QByteArray("\x02\x53\xec"));
        r.set("Incompleto", WorkRecord::incompletoText(false));
        QCOMPARE(r.bytes().mid(1404, 3), QByteArray("\x02No"));

        QCOMPARE(WorkRecord::incompletoFromText(QString::fromUtf8(" Sì ")), std::optional<bool>(true));
        QCOMPARE(WorkRecord::incompletoFromText("No"), std::optional<bool>(false));
        QCOMPARE(WorkRecord::incompletoFromText("Si"), std::optional<bool>());
        QCOMPARE(WorkRecord::incompletoFromText(""), std::optional<bool>());
    }

    void namesAndTimes()
    {
        QCOMPARE(WorkRecord::fileName(" 2017 "), QString("2017.lav"));
        QCOMPARE(WorkRecord::filePath("/cartella/", "2017"), QString("/cartella/2017.lav"));
        QCOMPARE(WorkRecord::timeText(" 08", "30 "), QString("08:30"));
    }

    void trimmedBytesFollowTheLoadRule()
    {
        Record r(WorkRecord::layout());
        const auto p = WorkRecord::place("CodFisc");
        QByteArray &b = r.bytes();
        b[p.offset] = 6;
        b.replace(p.offset + 1, 6, QByteArray(" \tAB\x01 "));
        QCOMPARE(WorkRecord::trimmedBytes(b.constData(), p), QByteArrayView("AB"));
        // A damaged length byte never reaches into the next field.
        b[p.offset] = char(200);
        b.replace(p.offset + 1, 17, QByteArray("ABCDEFGHIJKLMNOPQ"));
        QCOMPARE(WorkRecord::trimmedBytes(b.constData(), p), QByteArrayView("ABCDEFGHIJKLMNOP"));
    }
};

QTEST_GUILESS_MAIN(TestWorkRecord)
#include "TestWorkRecord.moc"
