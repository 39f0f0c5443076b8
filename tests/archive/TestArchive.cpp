#include "archive/ArchiveFile.h"
#include "archive/RecordLayout.h"
#include "archive/TextCodec.h"
#include "support/ScratchMount.h"
#include "workers/WorkerRecord.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QtTest>
#include <csignal>
#include <unistd.h>

namespace {
constexpr std::array<FieldSpec, 3> Small{{{"A", 5}, {"B", 3}, {"Z", 4, FieldKind::ZText}}};
static_assert(recordSize(Small) == 15);

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
}

class TestArchive : public QObject
{
    Q_OBJECT
private slots:
    void codePage()
    {
        QCOMPARE(Cp1252::encode(QString::fromUtf8("€è")), QByteArray("\x80\xe8"));
        QCOMPARE(Cp1252::encode(QString::fromUtf8("a中\U0001F600b")), QByteArray("a??b"));
        QCOMPARE(Cp1252::decode(QByteArray("\x80\xe8z")), QString::fromUtf8("€èz"));
    }

    // The code page's own table reads and writes every byte and character as the platform's
    // converter does.
    void codePageTableMatchesTheConverter()
    {
        QStringDecoder decoder("windows-1252");
        QStringEncoder encoder("windows-1252");
        QVERIFY(decoder.isValid() && encoder.isValid());
        QByteArray all(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b)
            all[b] = char(b);
        const QString text = decoder.decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(Cp1252::decode(all), text);
        for (int b = 0; b < 256; ++b) {
            QCOMPARE(Cp1252::toUnicode(static_cast<unsigned char>(b)), text.at(b).unicode());
            QCOMPARE(Cp1252::fromUnicode(text.at(b).unicode()), b);
        }
        QCOMPARE(Cp1252::encode(text), all);
        QCOMPARE(encoder.encode(text), all);
        // Every other character of the basic plane has no byte: the converter says so too.
        for (char32_t u = 0; u < 0x10000; ++u) {
            if (text.contains(QChar(char16_t(u))) || (u >= 0xD800 && u < 0xE000))
                continue;
            QCOMPARE(Cp1252::fromUnicode(char16_t(u)), -1);
            encoder.resetState();
            const QByteArray out = encoder.encode(QString(QChar(char16_t(u))));
            QVERIFY2(out.isEmpty() || out == "\x1a", qPrintable(QString::number(u, 16)));
        }
    }

    void storeAndLoadRules()
    {
        const RecordLayout layout(Small);
        Record r(layout);
        r.bytes().fill('x');
        r.set("A", "  Rossi  ");
        QCOMPARE(r.bytes().mid(0, 6), QByteArray("\x05Rossi"));
        r.set("B", "abcdef");                       // cut to the field's width, no message
        QCOMPARE(r.bytes().mid(6, 4), QByteArray("\x03" "abc"));
        r.set("B", "a");                            // the rest of the field is cleared
        QCOMPARE(r.bytes().mid(6, 4), QByteArray("\x01" "a\0\0", 4));
        QCOMPARE(r.get("B"), QString("a"));
        r.set("Z", " ab ");                         // ztext is stored untrimmed
        QCOMPARE(r.bytes().mid(10, 5), QByteArray(" ab \0", 5));
        QCOMPARE(r.get("Z"), QString(" ab "));

        r.bytes().replace(6, 4, "\xc8xyz");          // a damaged length byte
        QCOMPARE(r.get("B"), QString("xyz"));
    }

    void workerLayoutOffsets()
    {
        const RecordLayout &l = WorkerRecord::layout();
        QCOMPARE(l.size(), 4043);
        QCOMPARE(l.count(), 51);
        QCOMPARE(l.field(l.indexOf("Preavviso")).offset, 2415);
        QCOMPARE(l.field(l.indexOf("File01")).offset, 2537);
        QCOMPARE(WorkerRecord::provinces().size(), 112);   // every code the boxes must offer
        QCOMPARE(WorkerRecord::provinces().first(), QString("AG"));
        QCOMPARE(WorkerRecord::provinces().last(), QString("VV"));
    }

    void operations()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("t.pro");
        ArchiveFile a(path, 15);
        QVERIFY(a.openOrCreate());
        QVERIFY(QFile::exists(path));
        QCOMPARE(a.recordCount(), 0);
        QByteArray buf;
        QVERIFY(!a.readRecord(1, buf));
        QCOMPARE(a.appendRecord(QByteArray(15, '1')), 1);
        QCOMPARE(a.appendRecord(QByteArray(15, '2')), 2);
        QVERIFY(a.writeRecord(1, QByteArray(15, '3')));
        QVERIFY(!a.writeRecord(3, QByteArray(15, '4')));
        QVERIFY(a.readRecord(2, buf));
        QCOMPARE(buf, QByteArray(15, '2'));
        QVERIFY(a.close());
        QCOMPARE(readAll(path), QByteArray(15, '3') + QByteArray(15, '2'));

        QList<qint64> seen;
        QVERIFY(a.scan([&](qint64 n, const char *rec) { seen << n; return rec[0] != '\0'; }));
        QCOMPARE(seen, (QList<qint64>{1, 2}));
    }

    void trailingPartialRecordIsIgnoredThenOverwritten()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("t.pro");
        writeAll(path, QByteArray(15, 'a') + QByteArray(7, 'z'));
        ArchiveFile a(path, 15);
        QVERIFY(a.openOrCreate());
        QCOMPARE(a.recordCount(), 1);
        QCOMPARE(a.appendRecord(QByteArray(15, 'b')), 2);
        a.close();
        QCOMPARE(readAll(path), QByteArray(15, 'a') + QByteArray(15, 'b'));
    }

    void badPathsFailWithoutHarm()
    {
        QTemporaryDir dir;
        ArchiveFile folder(dir.path(), 15);
        QVERIFY(!folder.openOrCreate());
        QVERIFY(!folder.errorText().isEmpty());
        QVERIFY(!folder.scan([](qint64, const char *) { return true; }));

        ArchiveFile missingFolder(dir.filePath("nope/t.pro"), 15);
        QVERIFY(!missingFolder.openOrCreate());
        QVERIFY(!missingFolder.openForReading());
    }

    void readOnlyFolderKeepsArchive()
    {
        ScratchMount mount("1M");
        if (!mount.ok())
            QSKIP("cannot mount a scratch file system here");
        const QString path = mount.path() + "/t.pro";
        writeAll(path, QByteArray(30, 'k'));
        QVERIFY(mount.makeReadOnly());
        ArchiveFile a(path, 15);
        QVERIFY(!a.openOrCreate());
        QVERIFY(a.openForReading());          // reading still works
        QCOMPARE(a.recordCount(), 2);
        a.close();
        ArchiveFile b(mount.path() + "/new.pro", 15);
        QVERIFY(!b.openOrCreate());
        QCOMPARE(readAll(path), QByteArray(30, 'k'));
    }

    void fullDiskLeavesArchiveAsItWas()
    {
        ScratchMount mount("64k");
        if (!mount.ok())
            QSKIP("cannot mount a scratch file system here");
        const QString path = mount.path() + "/t.pro";
        const int size = 4043;
        ArchiveFile a(path, size);
        QVERIFY(a.openOrCreate());
        qint64 n = 0;
        for (int i = 0; i < 100; ++i) {
            const qint64 got = a.appendRecord(QByteArray(size, char('a' + i % 26)));
            if (got == 0)
                break;
            n = got;
        }
        QVERIFY(n > 0 && n < 100);            // the disk filled up
        QVERIFY(!a.errorText().isEmpty());
        a.close();
        QCOMPARE(QFileInfo(path).size(), n * size);
    }

    void concurrentAppendsLoseNothing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Dipendenti.pro");
        const QString appender = QCoreApplication::applicationDirPath() + "/archive_appender";
        const int writers = 4, each = 2000;
        QList<QProcess *> procs;
        for (int w = 0; w < writers; ++w) {
            auto *p = new QProcess(this);
            p->start(appender, {path, QString::number(w), QString::number(each)});
            procs << p;
        }
        for (QProcess *p : procs) {
            QVERIFY(p->waitForFinished(240000));
            QCOMPARE(p->exitCode(), 0);
        }
        const QByteArray all = readAll(path);
        QCOMPARE(all.size(), writers * each * 4043);
        QSet<QByteArray> tags;
        for (int i = 0; i < writers * each; ++i) {
            const QByteArray rec = all.mid(i * 4043, 4043);
            const QByteArray tag = rec.left(rec.indexOf(';'));
            const char fill = char('A' + tag.left(tag.indexOf(':')).toInt());
            QCOMPARE(rec.at(4042), '#');
            QCOMPARE(rec.at(4000), fill);     // intact: not interleaved with another card
            tags.insert(tag);
        }
        QCOMPARE(tags.size(), writers * each);
    }

    void killedWriterLosesNoAcknowledgedCard()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Dipendenti.pro");
        QProcess writer;
        writer.start(QCoreApplication::applicationDirPath() + "/archive_appender", {path, "1", "100000"});
        QVERIFY(writer.waitForStarted());
        QByteArray acknowledged;
        while (acknowledged.count('\n') < 200 && writer.waitForReadyRead(10000))
            acknowledged += writer.readAllStandardOutput();
        ::kill(pid_t(writer.processId()), SIGKILL);
        writer.waitForFinished();
        acknowledged += writer.readAllStandardOutput();
        const int acked = int(acknowledged.count('\n'));
        QVERIFY(acked >= 200);

        const QByteArray all = readAll(path);
        const qint64 whole = all.size() / 4043;
        QVERIFY(whole >= acked);                     // everything acknowledged is there
        for (qint64 i = 0; i < whole; ++i) {
            const QByteArray rec = all.mid(i * 4043, 4043);
            QCOMPARE(rec.left(rec.indexOf(';')), "1:" + QByteArray::number(i));
            QCOMPARE(rec.at(4042), '#');
        }
        // A torn tail, if any, is ignored and overwritten by the next append.
        ArchiveFile a(path, 4043);
        QVERIFY(a.openOrCreate());
        QCOMPARE(a.recordCount(), whole);
        QCOMPARE(a.appendRecord(QByteArray(4043, 'n')), whole + 1);
        a.close();
        QCOMPARE(QFileInfo(path).size(), (whole + 1) * 4043);
    }
};

QTEST_GUILESS_MAIN(TestArchive)
#include "TestArchive.moc"
