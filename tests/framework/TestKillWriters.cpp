#include "settings/Backup.h"
#include "archive/ArchiveFile.h"
#include "output/SheetExport.h"
#include "settings/PasswordFile.h"
#include "support/Numbered.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <csignal>
#include <functional>

// Each writer, run over and over by a child process, killed at random moments: what it
// leaves is the old version or the new one, whole, never a mix, and nothing it had reported
// done is lost. VELTARO_KILL_TRIALS sets the trials per writer (a longer run: 1000, with
// QTEST_FUNCTION_TIMEOUT raised to match).
namespace {

void put(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

const QDateTime Base(QDate(2017, 6, 15), QTime(8, 0));
const QString Kept = QStringLiteral("; kept\n[Altro]\nx=1\n");

int trials()
{
    const int n = qEnvironmentVariableIntValue("VELTARO_KILL_TRIALS");
    return n > 0 ? n : 40;
}

// Both archives of a folder at one version, whole; -1 otherwise.
int folderVersion(const QString &dir)
{
    const int a = Numbered::version(Numbered::read(dir + "Dipendenti.pro"));
    const int b = Numbered::version(Numbered::read(dir + "2017.lav"));
    return a == b ? a : -1;
}

}

class TestKillWriters : public QObject
{
    Q_OBJECT

    // Starts the writer on dir, kills it after up to maxMs and returns the last version it
    // reported done (-1 for none).
    static int runAndKill(const QString &kind, const QString &dir, int maxMs)
    {
        QProcess child;
        child.start(WRITER_CHILD_PATH, {kind, dir});
        if (!child.waitForStarted())
            return -2;
        QThread::usleep(QRandomGenerator::global()->bounded(1000, maxMs * 1000));
        ::kill(pid_t(child.processId()), SIGKILL);
        child.waitForFinished();
        const QList<QByteArray> lines = child.readAllStandardOutput().trimmed().split('\n');
        bool ok = false;
        const int last = lines.last().toInt(&ok);
        return ok ? last : -1;
    }

private slots:
    void killedAnywhere_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char *k : {"append", "rewrite", "password", "export", "rtf", "backup", "restore"})
            QTest::newRow(k) << QString::fromLatin1(k);
    }

    void killedAnywhere()
    {
        QFETCH(QString, kind);
        std::function<void(const QString &)> setUp;
        std::function<void(const QString &, int)> check;   // the folder, the last version reported
        QTemporaryDir expectedDir;
        QByteArray exported[2];
        int halfDone = 0;   // restores killed among their renames

        if (kind == "append") {
            setUp = [](const QString &) {};
            check = [](const QString &d, int last) {
                const QByteArray all = Numbered::read(d + "Dipendenti.pro");
                const qsizetype count = all.size() / 4043;   // a trailing part is not a card
                QVERIFY2(count >= last + 1, qPrintable(QString("%1 cards, %2 reported").arg(count).arg(last + 1)));
                for (qsizetype n = 0; n < count; ++n)
                    QCOMPARE(Numbered::version(all.mid(n * 4043, 4043)), int(n));
            };
        } else if (kind == "rewrite") {
            setUp = [](const QString &d) { put(d + "Dipendenti.pro", Numbered::bytes(999, 4043) + Numbered::bytes(0, 4043)); };
            check = [](const QString &d, int last) {
                // A rewrite cut short is finished by the next opening for writing.
                QVERIFY(ArchiveFile(d + "Dipendenti.pro", 4043).openOrCreate());
                QVERIFY(!QFileInfo::exists(d + ".Dipendenti.pro.in-scrittura"));
                const QByteArray all = Numbered::read(d + "Dipendenti.pro");
                QCOMPARE(all.size(), 2 * 4043);
                QCOMPARE(Numbered::version(all.left(4043)), 999);
                const int v = Numbered::version(all.mid(4043));
                QVERIFY2(v == last + 1 || v == last + 2, qPrintable(QString("card %1, reported %2").arg(v).arg(last)));
            };
        } else if (kind == "password") {
            setUp = [](const QString &d) { put(d + "unins000.dll", Kept.toUtf8() + PasswordFile::initialContent()); };
            check = [](const QString &d, int last) {
                const PasswordFile::Stored s = PasswordFile::read(d + "unins000.dll");
                QCOMPARE(int(s.status), int(PasswordFile::ReadStatus::Ok));
                const QString was = last < 0 ? QString(PasswordFile::InitialPassword) : "P" + QString::number(last + 1);
                QVERIFY2(s.password == was || s.password == "P" + QString::number(last + 2), qPrintable(s.password));
                QVERIFY(Numbered::read(d + "unins000.dll").startsWith(Kept.toUtf8()));
            };
        } else if (kind == "export") {
            const auto sources = [](const QString &d) {
                QByteArray uno, due;
                for (int i = 0; i < 300; ++i)
                    uno += Numbered::bytes(i, 4043);
                for (int i = 0; i < 500; ++i)
                    due += Numbered::bytes(i + 1000, 4043);
                put(d + "uno/Dipendenti.pro", uno);
                put(d + "due/Dipendenti.pro", due);
                put(d + "Anagrafica_Lavoratori.xls", "<html>old</html>");
            };
            const QString e = expectedDir.path() + '/';
            sources(e);
            for (int i = 0; i < 2; ++i) {
                const QString from = e + (i ? "uno/" : "due/") + "Dipendenti.pro";
                QVERIFY(SheetExport::exportArchive(*SheetExport::forArchive(from), from, e + "x.xls").written);
                exported[i] = Numbered::read(e + "x.xls");
            }
            setUp = sources;
            check = [&exported](const QString &d, int last) {
                const QByteArray now = Numbered::read(d + "Anagrafica_Lavoratori.xls");
                QVERIFY(now == exported[0] || now == exported[1] || (last < 0 && now == "<html>old</html>"));
            };
        } else if (kind == "rtf") {
            setUp = [](const QString &d) { put(d + "Progetto.rtf", Numbered::bytes(0, 300000)); };
            check = [](const QString &d, int last) {
                const int v = Numbered::version(Numbered::read(d + "Progetto.rtf"));
                QVERIFY2(v == last + 1 || v == last + 2, qPrintable(QString::number(v)));
            };
        } else if (kind == "backup") {
            setUp = [](const QString &d) {
                put(d + "Dipendenti.pro", Numbered::bytes(0, Numbered::WorkersSize));
                put(d + "2017.lav", Numbered::bytes(0, Numbered::LogSize));
            };
            check = [](const QString &d, int last) {
                const QString base = Backup::folder(d);
                const QStringList dated = QDir(base).entryList({"2*"}, QDir::Dirs);
                for (const QString &name : dated) {
                    const int v = folderVersion(base + name + '/');
                    QVERIFY2(v > 0 && name == Backup::nameFor(Base.addSecs(v - 1)), qPrintable(name));
                }
                // The copy after the last one reported may be made, and the oldest rolled away.
                for (int i = qMax(0, last - Backup::Kept + 2); i <= last; ++i)
                    QVERIFY2(dated.contains(Backup::nameFor(Base.addSecs(i))), qPrintable(QString::number(i)));
            };
        } else if (kind == "restore") {
            setUp = [](const QString &d) {
                for (const auto &[where, v] : {std::pair{QString(), 0}, {"Backup/2017-06-01_080000/", 100},
                                               {"Backup/2017-06-02_080000/", 200}}) {
                    put(d + where + "Dipendenti.pro", Numbered::bytes(v, Numbered::WorkersSize));
                    put(d + where + "2017.lav", Numbered::bytes(v, Numbered::LogSize));
                }
            };
            check = [&halfDone](const QString &d, int last) {
                // A restore cut short is finished (or undone) when the folder is next opened.
                halfDone += QFileInfo::exists(d + ".ripristino-in-corso");
                QCOMPARE(Backup::finishInterrupted(d), QString());
                const auto after = [](int i) { return i < 0 ? 0 : i % 2 ? 100 : 200; };
                const int v = folderVersion(d);
                QVERIFY2(v == after(last) || v == after(last + 1), qPrintable(QString("%1 after %2").arg(v).arg(last)));
                QVERIFY(QDir(d).entryList(QDir::Files | QDir::Hidden).filter(".ripristino").isEmpty());
                const QString base = Backup::folder(d);
                for (const QString &aside : QDir(base).entryList({"*" + QString(Backup::AsideSuffix)}, QDir::Dirs))
                    QVERIFY2(folderVersion(base + aside + '/') >= 0, qPrintable(aside));
            };
        }

        int reported = 0;
        for (int t = 0; t < trials(); ++t) {
            QTemporaryDir dir;
            const QString d = dir.path() + '/';
            setUp(d);
            const int last = runAndKill(kind, dir.path(), 120);
            QVERIFY(last >= -1);
            reported += last + 1;
            check(d, last);
            if (QTest::currentTestFailed()) {
                qWarning("trial %d of %s, last reported %d", t, qPrintable(kind), last);
                return;
            }
        }
        qInfo("%s: %d kills, %d operations reported done before them", qPrintable(kind), trials(), reported);
        if (kind == "restore")
            qInfo("restore: %d kills fell among the renames and were finished at the next opening", halfDone);
    }
};

QTEST_MAIN(TestKillWriters)
#include "TestKillWriters.moc"
