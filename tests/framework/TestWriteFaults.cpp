#include "settings/Backup.h"
#include "archive/ArchiveFile.h"
#include "framework/FileOps.h"
#include "framework/Report.h"
#include "output/SheetExport.h"
#include "projects/ProjectRtf.h"
#include "settings/PasswordFile.h"
#include "settings/ProgramFolder.h"
#include "shell/GuideWriter.h"
#include "support/ScreenFixture.h"
#include "workers/WorkerCardScreen.h"

#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

// Every writer, made to fail at each of its file operations in turn: what the user had
// stays byte for byte (or absent), no temporary file is left, the failure is said in words,
// and the same operation run again without the fault succeeds.
namespace {

using Files = QMap<QString, QByteArray>;

void put(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

// Every file under dir, hidden ones included, by relative path; `keep` narrows it.
Files snapshot(const QString &dir, const std::function<bool(const QString &)> &keep)
{
    Files files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = path.mid(dir.size() + 1);
        if (!keep || keep(name)) {
            QFile f(path);
            files[name] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
            // A drawing carries its own creation time: any whole one stands for the new file.
            if (files[name].startsWith("%PDF-") && files[name].trimmed().endsWith("%%EOF"))
                files[name] = "<whole pdf>";
        }
    }
    return files;
}

QByteArray record(int size, char fill)
{
    QByteArray r(size, fill);
    r[size - 1] = '#';
    return r;
}

const QDateTime When(QDate(2017, 6, 15), QTime(8, 30));

struct Writer {
    // Puts the files the user has before the operation into the folder (ending with '/').
    std::function<void(const QString &)> setUp;
    // The operation; false on failure, with what the user is told in *told.
    std::function<bool(const QString &, QString *)> run;
    // The files that must be as they were after a failure; all when empty.
    std::function<bool(const QString &)> watched;
};

}

class TestWriteFaults : public QObject
{
    Q_OBJECT

private slots:
    void everyCallFails_data()
    {
        QTest::addColumn<QString>("writer");
        for (const char *w : {"card append", "card rewrite", "password change", "password delivery", "export", "rtf",
                              "pdf", "guide", "backup", "restore"})
            QTest::newRow(w) << QString::fromLatin1(w);
    }

    void everyCallFails()
    {
        QFETCH(QString, writer);
        const Writer w = writers().value(writer);
        QVERIFY(w.run);

        // Counted once, undisturbed.
        QTemporaryDir clean;
        const QString cleanDir = clean.path() + '/';
        w.setUp(cleanDir);
        FileOps::Test::reset();
        QString told;
        QVERIFY2(w.run(cleanDir, &told), qPrintable(told));
        const int calls = FileOps::Test::calls();
        QVERIFY(calls > 0);
        const Files after = snapshot(clean.path(), w.watched);

        static const int errors[] = {ENOSPC, EIO, EACCES};
        int failed = 0;
        for (int k = 1; k <= calls; ++k) {
            const int error = errors[k % 3];
            QTemporaryDir dir;
            const QString data = dir.path() + '/';
            w.setUp(data);
            const Files before = snapshot(dir.path(), w.watched);
            FileOps::Test::reset();
            FileOps::Test::failCall(k, error);
            told.clear();
            const bool ok = w.run(data, &told);
            FileOps::Test::disarm();
            const QByteArray where = QByteArray("call ") + QByteArray::number(k) + " of " + QByteArray::number(calls);
            if (ok) {
                // Past the point of no return (the data already on the disk): then whole.
                QVERIFY2(snapshot(dir.path(), w.watched) == after, where.constData());
                QVERIFY2(told.isEmpty(), where.constData());
                continue;
            }
            ++failed;
            QVERIFY2(snapshot(dir.path(), w.watched) == before, where.constData());
            QVERIFY2(!told.isEmpty(), where.constData());
            told.clear();
            QVERIFY2(w.run(data, &told), (where + ", again: " + told.toUtf8()).constData());
            QVERIFY2(snapshot(dir.path(), w.watched) == after, (where + ", again").constData());
        }
        qInfo("%s: %d failure points tried, %d reported as failures", qPrintable(writer), calls, failed);
        QVERIFY(failed > 0);
    }

    // On the card screen: a save failing at any call is said once, in the program's words,
    // and leaves the archive as it was; pressed again without the fault, it is saved.
    void cardScreenSaysItOnce_data()
    {
        QTest::addColumn<bool>("rewrite");
        QTest::newRow("new card") << false;
        QTest::newRow("stored card") << true;
    }

    void cardScreenSaysItOnce()
    {
        QFETCH(bool, rewrite);
        int calls = 0;
        for (int k = 0; k == 0 || k <= calls; ++k) {
            ScreenFixture fx;
            WorkerCardScreen *screen = fx.screens->workers;
            screen->open();
            const auto text = [screen](const char *box, const QString &value) {
                ScreenFixture::child<QLineEdit>(screen, box)->setText(value);
            };
            text("txtCognome", "Rossi");
            text("txtNome", "Maria");
            if (rewrite) {
                ScreenFixture::click(screen, "cmdSalva");
                text("txtNote", "nota");
            }
            const QByteArray before = fx.fileBytes("Dipendenti.pro");
            Dialogs::Test::clear();
            FileOps::Test::reset();
            FileOps::Test::failCall(k, EIO);
            ScreenFixture::click(screen, "cmdSalva");
            FileOps::Test::disarm();
            if (k == 0) {   // counted, undisturbed
                calls = FileOps::Test::calls();
                continue;
            }
            const QByteArray where = "call " + QByteArray::number(k) + " of " + QByteArray::number(calls);
            QVERIFY2(Dialogs::Test::shown().size() == 1, where.constData());
            if (fx.fileBytes("Dipendenti.pro") != before) {
                // Past the point of no return: the card is on the disk and said so.
                QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Information);
                continue;
            }
            QVERIFY2(Dialogs::Test::last().text == Dialogs::archiveAccessText(), where.constData());
            QVERIFY(QDir(fx.dir.path()).entryList(QDir::Files | QDir::Hidden).filter(".in-scrittura").isEmpty());
            Dialogs::Test::clear();
            ScreenFixture::click(screen, "cmdSalva");
            QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Information);
            QVERIFY(fx.fileBytes("Dipendenti.pro") != before);
        }
        QVERIFY(calls > 0);
        qInfo("card screen, %s: %d failure points tried", rewrite ? "stored card" : "new card", calls);
    }

    // The in-place rewrite cannot lean on a rename: when the card's bytes went out but did
    // not reach the disk, the card it replaced is written back before the failure is said.
    void failedRewriteWritesTheOldCardBack()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + "/Dipendenti.pro";
        put(path, record(4043, 'a') + record(4043, 'b'));
        ArchiveFile a(path, 4043);
        QVERIFY(a.openOrCreate());
        QByteArray found;
        // The archive's sync is a rewrite's last call: counted once, then made to fail.
        FileOps::Test::reset();
        QCOMPARE(a.overwriteIfUnchanged(2, record(4043, 'b'), record(4043, 'b'), found), ArchiveFile::Overwrite::Written);
        const int sync = FileOps::Test::calls();
        FileOps::Test::reset();
        FileOps::Test::failCall(sync, EIO);
        QCOMPARE(a.overwriteIfUnchanged(2, record(4043, 'z'), record(4043, 'b'), found), ArchiveFile::Overwrite::Failed);
        FileOps::Test::disarm();
        QVERIFY2(a.errorText().contains("sync"), qPrintable(a.errorText()));
        QVERIFY(a.close());
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), record(4043, 'a') + record(4043, 'b'));
    }

    // A rewrite killed half-way leaves its card in the journal: the next opening for writing
    // puts it in place whole; a journal that is not whole is dropped.
    void interruptedRewriteIsFinished()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + "/Dipendenti.pro", journal = dir.path() + "/.Dipendenti.pro.in-scrittura";
        const QByteArray torn = record(4043, 'a') + record(4043, 'z').left(100) + record(4043, 'b').mid(100);
        QByteArray entry = QByteArray("VLTSCHD1") + QByteArray("\x02\0\0\0\0\0\0\0", 8) + record(4043, 'z');
        put(path, torn);
        put(journal, entry);
        QVERIFY(ArchiveFile(path, 4043).openOrCreate());
        QVERIFY(!QFileInfo::exists(journal));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), record(4043, 'a') + record(4043, 'z'));
        f.close();

        put(journal, entry.left(3000));
        QVERIFY(ArchiveFile(path, 4043).openOrCreate());
        QVERIFY(!QFileInfo::exists(journal));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), record(4043, 'a') + record(4043, 'z'));
    }

private:
    static QMap<QString, Writer> writers()
    {
        const auto archives = [](const QString &d) {
            put(d + "Dipendenti.pro", record(4043, 'a') + record(4043, 'b'));
            put(d + "2017.lav", record(2913, 'l'));
        };
        const auto archivesOnly = [](const QString &name) { return !name.startsWith("Backup/"); };
        QMap<QString, Writer> w;
        w["card append"] = {archives,
                            [](const QString &d, QString *told) {
                                ArchiveFile a(d + "Dipendenti.pro", 4043);
                                const bool ok = a.openOrCreate() && a.appendRecord(record(4043, 'n')) > 0;
                                if (!ok)
                                    *told = a.errorText();
                                a.close();
                                return ok;
                            },
                            {}};
        w["card rewrite"] = {archives,
                             [](const QString &d, QString *told) {
                                 ArchiveFile a(d + "Dipendenti.pro", 4043);
                                 QByteArray found;
                                 const bool ok = a.openOrCreate()
                                     && a.overwriteIfUnchanged(2, record(4043, 'n'), record(4043, 'b'), found)
                                            == ArchiveFile::Overwrite::Written;
                                 if (!ok)
                                     *told = a.errorText();
                                 a.close();
                                 return ok;
                             },
                             {}};
        w["password change"] = {[](const QString &d) {
                                    put(d + "unins000.dll", "; kept\r\n[Altro]\r\nx=1\r\n" + PasswordFile::initialContent());
                                },
                                [](const QString &d, QString *told) {
                                    const QString path = d + "unins000.dll";
                                    const PasswordFile::ChangeResult r = PasswordFile::change(path, "accesso", "NUOVA", "NUOVA");
                                    // Already changed by the run before: changed back and forth.
                                    if (r == PasswordFile::ChangeResult::OldPasswordWrong)
                                        return PasswordFile::change(path, "nuova", "ACCESSO", "ACCESSO") == PasswordFile::ChangeResult::Changed
                                            && PasswordFile::change(path, "accesso", "NUOVA", "NUOVA") == PasswordFile::ChangeResult::Changed;
                                    if (r != PasswordFile::ChangeResult::Changed)
                                        *told = PasswordFile::message(r).text;
                                    return r == PasswordFile::ChangeResult::Changed;
                                },
                                {}};
        w["password delivery"] = {[](const QString &) {},
                                  [](const QString &d, QString *told) {
                                      *told = ProgramFolder::prepare({d, ProgramFolder::Origin::Chosen}, d + "nowhere/");
                                      return told->isEmpty();
                                  },
                                  {}};
        w["export"] = {[archives](const QString &d) {
                           archives(d);
                           put(d + "Anagrafica_Lavoratori.xls", "<html>old</html>");
                       },
                       [](const QString &d, QString *told) {
                           const QString archive = d + "Dipendenti.pro";
                           const SheetExport::Export e = SheetExport::exportArchive(*SheetExport::forArchive(archive), archive,
                                                                                    d + "Anagrafica_Lavoratori.xls");
                           if (!e.written)
                               *told = SheetExport::failureNotice() + e.error;
                           return e.written;
                       },
                       {}};
        w["rtf"] = {[](const QString &d) { put(d + "Progetto.rtf", "{\\rtf1 old}"); },
                    [](const QString &d, QString *told) {
                        QString error;
                        if (ProjectRtf::write(d + "Progetto.rtf", "{\\rtf1 new}", &error))
                            return true;
                        *told = ProjectRtf::failedNotice() + error;
                        return false;
                    },
                    {}};
        w["pdf"] = {[](const QString &d) { put(d + "Scheda.pdf", "%PDF old"); },
                    [](const QString &d, QString *told) {
                        if (Report::writePdf(Report::listTemplate("Prova", {"una riga"}), d + "Scheda.pdf"))
                            return true;
                        *told = "scrittura non riuscita";
                        return false;
                    },
                    {}};
        w["guide"] = {[](const QString &d) { put(d + "Guida.pdf", "%PDF old"); },
                      [](const QString &d, QString *told) { return GuideWriter::write(d + "Guida.pdf", told); },
                      {}};
        w["backup"] = {archives,
                       [](const QString &d, QString *told) {
                           const Backup::Outcome o = Backup::run(d, When);
                           if (o.status == Backup::Outcome::Failed)
                               *told = Backup::failureText(d, o);
                           return o.status == Backup::Outcome::Made || o.status == Backup::Outcome::Unchanged;
                       },
                       {}};
        w["restore"] = {[archives](const QString &d) {
                            archives(d);
                            put(d + "Backup/2017-06-01_080000/Dipendenti.pro", record(4043, 'o'));
                            put(d + "Backup/2017-06-01_080000/2017.lav", record(2913, 'p'));
                            put(d + "Backup/2017-06-01_080000/2016.lav", record(2913, 'q'));
                        },
                        [](const QString &d, QString *told) {
                            // Every run sets aside a copy of its own.
                            static int second = 0;
                            const Backup::Restored r = Backup::restore(d, "2017-06-01_080000", When.addSecs(++second));
                            if (!r.ok)
                                *told = r.error;
                            return r.ok;
                        },
                        archivesOnly};
        return w;
    }
};

QTEST_MAIN(TestWriteFaults)
#include "TestWriteFaults.moc"
