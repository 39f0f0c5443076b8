#include "settings/Backup.h"
#include "framework/Dialogs.h"
#include "settings/PasswordFile.h"
#include "settings/ProgramFolder.h"
#include "shell/StartBackup.h"
#include "support/ScratchMount.h"

#include "shell/MainMenu.h"
#include "support/ScreenFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>
#include <fcntl.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QDateTime Start(QDate(2017, 6, 15), QTime(8, 30, 0));

void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Archives as the screens leave them; other files in the folder are not archives.
struct DataFolder {
    QTemporaryDir dir;
    QString path() const { return dir.path() + '/'; }
    DataFolder()
    {
        put(path() + "Dipendenti.pro", QByteArray(4043, 'a'));
        put(path() + "2017.lav", QByteArray(2913, 'l'));
        put(path() + "unins000.dll", "[Accesso]\n");
        put(path() + "Anagrafica_Lavoratori.xls", "<html>");
    }
    QStringList backups() const
    {
        return QDir(path() + "Backup").entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    }
};

// Sets the last change of a folder and of what it holds that many hours back.
void ageBy(const QString &folder, int hours)
{
    const struct timespec then[2] = {{::time(nullptr) - hours * 3600, 0}, {::time(nullptr) - hours * 3600, 0}};
    for (const QString &f : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(folder + '/' + f).constData(), then, 0), 0);
    QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), then, 0), 0);
}

QString identity(QByteArray id)
{
    return QString::fromLatin1(id.replace('-', QByteArray()));
}

// Permissions do not stop root: for as long as it lives, this thread reaches files as an
// ordinary user would, in a folder that user owns.
struct AsOrdinaryUser {
    explicit AsOrdinaryUser(const QString &folder)
    {
        if (::geteuid() != 0)
            return;
        const QStringList owned = QDir(folder).entryList(QDir::Files) << ".";
        for (const QString &f : owned)
            QCOMPARE(::chown(QFile::encodeName(folder + '/' + f).constData(), 65534, 65534), 0);
        ::setfsuid(65534);
    }
    ~AsOrdinaryUser()
    {
        if (::geteuid() == 0)
            ::setfsuid(0);
    }
};

}

class TestBackup : public QObject
{
    Q_OBJECT
private slots:
    void dataFolderChoice_data()
    {
        QTest::addColumn<QString>("layout");   // how the executable's folder looks
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("origin");
        QTest::newRow("writable folder keeps its data") << "portable" << "" << int(ProgramFolder::Origin::Own);
        QTest::newRow("read-only folder") << "read-only" << "" << int(ProgramFolder::Origin::PerUser);
        QTest::newRow("installed copy, even if writable") << "installed" << "" << int(ProgramFolder::Origin::PerUser);
        QTest::newRow("--cartella wins on an installed copy") << "installed" << "elsewhere" << int(ProgramFolder::Origin::Chosen);
        QTest::newRow("--cartella wins on a writable folder") << "portable" << "elsewhere" << int(ProgramFolder::Origin::Chosen);
    }
    void dataFolderChoice()
    {
        QFETCH(QString, layout);
        QFETCH(QString, chosen);
        QFETCH(int, origin);
        QTemporaryDir root;
        QString exe = root.path() + "/usr/bin";
        QVERIFY(QDir().mkpath(exe));
        if (layout == "installed") {
            QVERIFY(QDir().mkpath(root.path() + "/usr/share/veltaro"));
            put(root.path() + "/usr/share/veltaro/unins000.dll", PasswordFile::initialContent());
        }
        std::optional<ScratchMount> readOnly;
        if (layout == "read-only") {
            // Permissions do not stop root: a read-only mount does.
            readOnly.emplace("1M");
            exe = readOnly->path();
            if (::geteuid() != 0)
                QVERIFY(QFile::setPermissions(exe, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
            else if (!readOnly->ok() || !readOnly->makeReadOnly())
                QSKIP("no read-only folder can be made here");
        }
        const QString perUser = root.path() + "/home/.local/share/Veltaro";
        const QString other = chosen.isEmpty() ? QString() : root.path() + "/" + chosen;
        const ProgramFolder::Choice c = ProgramFolder::choose(exe, other, perUser);
        QCOMPARE(int(c.origin), origin);
        const QString expected = origin == int(ProgramFolder::Origin::Own)       ? exe + "/"
                                 : origin == int(ProgramFolder::Origin::Chosen) ? other + "/"
                                                                                : perUser + "/";
        QCOMPARE(c.path, expected);
    }

    void firstStartGivesTheUserTheDeliveredPassword()
    {
        QTemporaryDir root;
        const QString exe = root.path() + "/usr/bin";
        QVERIFY(QDir().mkpath(exe));
        QVERIFY(QDir().mkpath(root.path() + "/usr/share/veltaro"));
        const QByteArray delivered = "; delivered\n" + PasswordFile::initialContent();
        put(root.path() + "/usr/share/veltaro/unins000.dll", delivered);
        const ProgramFolder::Choice c{root.path() + "/home/.local/share/Veltaro/", ProgramFolder::Origin::PerUser};
        QCOMPARE(ProgramFolder::prepare(c, exe), QString());
        QCOMPARE(bytes(c.path + "unins000.dll"), delivered);
        QCOMPARE(PasswordFile::login(c.path + "unins000.dll", "accesso"), PasswordFile::LoginResult::Admitted);

        // A password changed since is never put back.
        put(c.path + "unins000.dll", "[Accesso]\nValore=00\n");
        QCOMPARE(ProgramFolder::prepare(c, exe), QString());
        QCOMPARE(bytes(c.path + "unins000.dll"), QByteArray("[Accesso]\nValore=00\n"));

        // A home where nothing can be created: said in words, nothing else happens.
        const ProgramFolder::Choice blocked{"/proc/veltaro/", ProgramFolder::Origin::PerUser};
        QVERIFY(ProgramFolder::prepare(blocked, exe).contains("/proc/veltaro/"));
    }

    void everyDataFolderCanBeEnteredTheFirstTime_data()
    {
        QTest::addColumn<int>("origin");
        QTest::newRow("new folder given on the command line") << int(ProgramFolder::Origin::Chosen);
        QTest::newRow("writable program folder") << int(ProgramFolder::Origin::Own);
        QTest::newRow("per-user folder") << int(ProgramFolder::Origin::PerUser);
    }
    void everyDataFolderCanBeEnteredTheFirstTime()
    {
        QFETCH(int, origin);
        const mode_t before = ::umask(022);
        QTemporaryDir root;
        const QString exe = root.path() + "/usb";
        QVERIFY(QDir().mkpath(exe));
        put(exe + "/unins000.dll", PasswordFile::initialContent());
        const ProgramFolder::Choice c{origin == int(ProgramFolder::Origin::Own) ? exe + "/" : root.path() + "/new/data/",
                                      ProgramFolder::Origin(origin)};
        QCOMPARE(ProgramFolder::prepare(c, exe), QString());
        QCOMPARE(PasswordFile::login(c.path + "unins000.dll", "ACCESSO"), PasswordFile::LoginResult::Admitted);
        QFile made(c.path + "Dipendenti.pro");
        QVERIFY(made.open(QIODevice::WriteOnly));
        made.close();
        const mode_t after = ::umask(before);
        struct stat folder, password, archive;
        QCOMPARE(::stat(QFile::encodeName(c.path).constData(), &folder), 0);
        QCOMPARE(::stat(QFile::encodeName(c.path + "unins000.dll").constData(), &password), 0);
        QCOMPARE(::stat(QFile::encodeName(c.path + "Dipendenti.pro").constData(), &archive), 0);
        if (origin == int(ProgramFolder::Origin::PerUser)) {
            // Personal data: the folder and what is written in it are the user's alone.
            QCOMPARE(folder.st_mode & 0777, mode_t(0700));
            QCOMPARE(password.st_mode & 0777, mode_t(0600));
            QCOMPARE(archive.st_mode & 0777, mode_t(0600));
            QCOMPARE(after, mode_t(077));
        } else {
            // A chosen or shared folder keeps what the users' umask and the folder give.
            QCOMPARE(archive.st_mode & 0777, mode_t(0644));
            QCOMPARE(password.st_mode & 0777, mode_t(0644));
            QCOMPARE(after, mode_t(022));
        }
        // No temporary file is left beside it.
        QCOMPARE(QDir(c.path).entryList(QDir::Files | QDir::Hidden), (QStringList{"Dipendenti.pro", "unins000.dll"}));
    }

    void anOlderPerUserFolderIsClosed()
    {
        QTemporaryDir root;
        const QString dir = root.path() + "/Veltaro/";
        QVERIFY(QDir().mkpath(dir + "Backup"));
        put(dir + "unins000.dll", PasswordFile::initialContent());
        put(dir + "2024.lav", "x");
        QVERIFY(QFile::setPermissions(dir + "2024.lav", QFile::permissions(dir + "2024.lav") | QFileDevice::ReadOther));
        const mode_t before = ::umask(022);
        QCOMPARE(ProgramFolder::prepare({dir, ProgramFolder::Origin::PerUser}, root.path()), QString());
        ::umask(before);
        for (const char *name : {"", "Backup", "2024.lav", "unins000.dll"}) {
            struct stat st;
            QCOMPARE(::stat(QFile::encodeName(dir + name).constData(), &st), 0);
            QCOMPARE(st.st_mode & 0077, mode_t(0));
        }
        QCOMPARE(bytes(dir + "2024.lav"), QByteArray("x"));
    }

    void backupIsMadeOnlyWhenSomethingChanged()
    {
        DataFolder data;
        Backup::Outcome o = Backup::run(data.path(), Start);
        QCOMPARE(int(o.status), int(Backup::Outcome::Made));
        QCOMPARE(o.name, QString("2017-06-15_083000"));
        const QString first = data.path() + "Backup/2017-06-15_083000/";
        QCOMPARE(QDir(first).entryList(QDir::Files, QDir::Name), (QStringList{"2017.lav", "Dipendenti.pro"}));
        QCOMPARE(bytes(first + "Dipendenti.pro"), bytes(data.path() + "Dipendenti.pro"));

        o = Backup::run(data.path(), Start.addSecs(60));
        QCOMPARE(int(o.status), int(Backup::Outcome::Unchanged));
        QCOMPARE(data.backups(), QStringList{"2017-06-15_083000"});

        // A card saved in place: same size, new bytes.
        QFile f(data.path() + "Dipendenti.pro");
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.write("b");
        QVERIFY(f.flush());   // written out now, so the close does not set the time afresh
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
        f.close();
        o = Backup::run(data.path(), Start.addSecs(120));
        QCOMPARE(int(o.status), int(Backup::Outcome::Made));
        QCOMPARE(bytes(data.path() + "Backup/2017-06-15_083200/Dipendenti.pro").left(2), QByteArray("ba"));
        // The year log did not change: both backups hold it, on the disk once.
        struct stat log {};
        QCOMPARE(::stat(QFile::encodeName(data.path() + "Backup/2017-06-15_083200/2017.lav").constData(), &log), 0);
        QCOMPARE(log.st_nlink, nlink_t(2));
        QCOMPARE(bytes(data.path() + "Backup/2017-06-15_083200/2017.lav"), QByteArray(2913, 'l'));

        // A new yearly archive counts as a change too.
        put(data.path() + "2018.lav", QByteArray(2913, 'n'));
        QCOMPARE(int(Backup::run(data.path(), Start.addSecs(180)).status), int(Backup::Outcome::Made));
        QCOMPARE(data.backups().size(), 3);
    }

    void onlyTheLastTenAreKept()
    {
        DataFolder data;
        // The user's own folder under Backup is not part of the rolling.
        QVERIFY(QDir().mkpath(data.path() + "Backup/mia copia"));
        for (int i = 0; i < 12; ++i) {
            put(data.path() + "Dipendenti.pro", QByteArray(4043 * (i + 1), 'a'));
            QCOMPARE(int(Backup::run(data.path(), Start.addDays(i)).status), int(Backup::Outcome::Made));
        }
        QStringList kept = data.backups();
        QVERIFY(kept.removeOne("mia copia"));
        QCOMPARE(kept.size(), 10);
        QCOMPARE(kept.first(), QString("2017-06-17_083000"));
        QCOMPARE(kept.last(), QString("2017-06-26_083000"));
        // Shared with the backups rolled away, the unchanged log is still whole in the kept ones.
        QCOMPARE(bytes(data.path() + "Backup/2017-06-17_083000/2017.lav"), QByteArray(2913, 'l'));
    }

    void nothingToCopyAndFailure()
    {
        QTemporaryDir empty;
        QCOMPARE(int(Backup::run(empty.path() + '/', Start).status), int(Backup::Outcome::NothingToCopy));
        QVERIFY(!QFileInfo::exists(empty.path() + "/Backup"));

        // "Backup" taken by a file: the copy fails, the archives stay as they were.
        DataFolder data;
        put(data.path() + "Backup", "not a folder");
        const Backup::Outcome o = Backup::run(data.path(), Start);
        QCOMPARE(int(o.status), int(Backup::Outcome::Failed));
        QVERIFY(!o.error.isEmpty());
        QCOMPARE(bytes(data.path() + "Dipendenti.pro"), QByteArray(4043, 'a'));
        QVERIFY(Backup::failureText(data.path(), o).startsWith("Attenzione: "));
    }

    void fullDiskLeavesNoHalfCopy()
    {
        ScratchMount disk("96k");
        if (!disk.ok())
            QSKIP("a small disk of its own cannot be mounted here");
        const QString data = disk.path() + '/';
        put(data + "Dipendenti.pro", QByteArray(4043 * 14, 'a'));   // room for one copy, not two
        const Backup::Outcome o = Backup::run(data, Start);
        QCOMPARE(int(o.status), int(Backup::Outcome::Failed));
        QVERIFY2(o.error.contains("Dipendenti.pro"), qPrintable(o.error));
        QCOMPARE(QDir(data + "Backup").entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
        QCOMPARE(bytes(data + "Dipendenti.pro"), QByteArray(4043 * 14, 'a'));
    }

    void startBackupSaysAFailureOnceAndGoesOn()
    {
        Dialogs::Test::setEnabled(true);
        Dialogs::Test::clear();
        DataFolder data;
        put(data.path() + "Backup", "not a folder");
        StartBackup backup;
        QSignalSpy done(&backup, &StartBackup::finished);
        backup.start(data.path());
        QVERIFY(done.wait(10000));
        QCOMPARE(Dialogs::Test::shown().size(), 1);
        QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Warning);
        QVERIFY(Dialogs::Test::last().text.contains(QDir::toNativeSeparators(data.path() + "Backup/")));

        QFile::remove(data.path() + "Backup");
        backup.start(data.path());
        QVERIFY(done.wait(10000));
        QCOMPARE(Dialogs::Test::shown().size(), 1);
        QCOMPARE(data.backups().size(), 1);
    }

    // A copy cut short leaves a hidden folder, named for the computer and the process that
    // made it; the next start sweeps it when that process is provably gone, and one it cannot
    // tell from a copy still under way on another computer only after a day of silence.
    void leftoversOfACopyCutShortAreSwept_data()
    {
        QTest::addColumn<QString>("made");   // by which computer and process
        QTest::addColumn<int>("hoursSilent");
        QTest::addColumn<bool>("swept");
        QTest::newRow("this computer, process gone") << "here gone" << 0 << true;
        QTest::newRow("this computer, before a restart") << "earlier boot" << 0 << true;
        QTest::newRow("this computer, still copying") << "here alive" << 0 << false;
        QTest::newRow("this computer, a process of that number now") << "here alive" << 30 << true;
        QTest::newRow("another computer, copying") << "elsewhere" << 2 << false;
        QTest::newRow("another computer, silent for a day") << "elsewhere" << 30 << true;
        QTest::newRow("unnamed computer, copying") << "old name" << 0 << false;
        QTest::newRow("unnamed computer, silent for a day") << "old name" << 30 << true;
    }
    void leftoversOfACopyCutShortAreSwept()
    {
        QFETCH(QString, made);
        QFETCH(int, hoursSilent);
        QFETCH(bool, swept);
        DataFolder data;
        QCOMPARE(int(Backup::run(data.path(), Start).status), int(Backup::Outcome::Made));

        QProcess finished;
        finished.start("true");
        QVERIFY(finished.waitForStarted());
        const qint64 gone = finished.processId();
        QVERIFY(finished.waitForFinished());
        const QString machine = identity(QSysInfo::machineUniqueId()), boot = identity(QSysInfo::bootUniqueId());
        const QString other(32, 'e');
        QString owner;
        if (made == "here gone")
            owner = QString("%1-%2-%3").arg(machine, boot).arg(gone);
        else if (made == "earlier boot")
            owner = QString("%1-%2-%3").arg(machine, other).arg(QCoreApplication::applicationPid());
        else if (made == "here alive")
            owner = QString("%1-%2-%3").arg(machine, boot).arg(QCoreApplication::applicationPid());
        else if (made == "elsewhere")
            owner = QString("%1-%2-%3").arg(other, other).arg(gone);
        else
            owner = QString::number(gone);
        const QString part = data.path() + "Backup/.2017-06-15_090000.part-ufficio-2-" + owner;
        QVERIFY(QDir().mkpath(part));
        put(part + "/Dipendenti.pro", QByteArray(4043, 'h'));
        if (hoursSilent)
            ageBy(part, hoursSilent);

        // Nothing changed since the last copy: the sweep does not wait for one.
        QCOMPARE(int(Backup::run(data.path(), Start.addSecs(3600)).status), int(Backup::Outcome::Unchanged));
        QCOMPARE(!QFileInfo::exists(part), swept);
        QCOMPARE(data.backups(), QStringList{"2017-06-15_083000"});
    }

    // An archive that cannot be read is left out, the others are copied, and the last copy
    // that holds it outlives the rolling.
    void anUnreadableArchiveIsLeftOutAndSaid()
    {
        DataFolder data;
        const AsOrdinaryUser user(data.dir.path());
        QCOMPARE(int(Backup::run(data.path(), Start).status), int(Backup::Outcome::Made));
        put(data.path() + "Dipendenti.pro", QByteArray(8086, 'b'));
        QVERIFY(QFile::setPermissions(data.path() + "2017.lav", QFileDevice::Permissions()));
        for (int day = 1; day <= 11; ++day) {
            const Backup::Outcome o = Backup::run(data.path(), Start.addDays(day));
            QCOMPARE(int(o.status), int(Backup::Outcome::Made));
            QCOMPARE(o.notCopied.size(), 1);
            QCOMPARE(o.notCopied.first().file, QString("2017.lav"));
            QVERIFY2(o.notCopied.first().reason.contains(data.path() + "2017.lav"), qPrintable(o.notCopied.first().reason));
            const QString made = data.path() + "Backup/" + o.name + '/';
            QCOMPARE(QDir(made).entryList(QDir::Files), QStringList{"Dipendenti.pro"});
            QCOMPARE(bytes(made + "Dipendenti.pro"), QByteArray(8086, 'b'));
            const QString said = Backup::notCopiedText(data.path(), o);
            QVERIFY2(said.startsWith("Attenzione: ") && said.contains("2017.lav") && said.contains(o.name), qPrintable(said));
        }
        const QStringList kept = data.backups();
        QCOMPARE(kept.size(), 10);
        QCOMPARE(kept.first(), QString("2017-06-15_083000"));
        QCOMPARE(bytes(data.path() + "Backup/2017-06-15_083000/2017.lav"), QByteArray(2913, 'l'));
        QCOMPARE(kept.at(1), QString("2017-06-18_083000"));

        // Nothing readable at all: no backup, said as a failure, nothing left behind.
        QVERIFY(QFile::setPermissions(data.path() + "Dipendenti.pro", QFileDevice::Permissions()));
        const Backup::Outcome none = Backup::run(data.path(), Start.addDays(20));
        QCOMPARE(int(none.status), int(Backup::Outcome::Failed));
        QVERIFY2(none.error.contains("Dipendenti.pro") && none.error.contains("2017.lav"), qPrintable(none.error));
        QCOMPARE(data.backups(), kept);
        QCOMPARE(QDir(data.path() + "Backup").entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot).size(), 10);
    }

    void progressCountsTheCopyAndItsCheck()
    {
        DataFolder data;
        for (int second : {0, 60}) {   // a first copy, then one that shares the unchanged log
            QList<QPair<qint64, qint64>> told;
            const Backup::Progress note = [&told](qint64 done, qint64 total) { told << qMakePair(done, total); };
            QCOMPARE(int(Backup::run(data.path(), Start.addSecs(second), note).status), int(Backup::Outcome::Made));
            QVERIFY(told.size() >= 2);
            for (qsizetype i = 1; i < told.size(); ++i)
                QVERIFY(told.at(i).first >= told.at(i - 1).first);
            const qint64 archives = QFileInfo(data.path() + "Dipendenti.pro").size() + QFileInfo(data.path() + "2017.lav").size();
            QCOMPARE(told.first(), qMakePair(qint64(0), 2 * archives));
            QCOMPARE(told.last().first, told.last().second);
            put(data.path() + "Dipendenti.pro", QByteArray(4043 + 60, 'c'));
        }
    }

    // The main menu's backup line follows a copy under way, also when the menu is shown
    // again meanwhile, and names the latest copy once it is made.
    void mainMenuShowsTheBackupUnderWay()
    {
        ScreenFixture fx;
        put(fx.path("Dipendenti.pro"), QByteArray(4043, 'a'));
        MainMenu *menu = fx.screens->mainMenu;
        StartBackup backup;
        menu->follow(&backup);
        menu->open();
        auto *line = ScreenFixture::child<QLabel>(menu, "lblCartellaDati");
        emit backup.progress(750'000'000, 3'000'000'000);
        QCOMPARE(line->text().split('\n').last(), QString("Copia di sicurezza in corso: 25% (375,0 MB di 1,5 GB)"));
        menu->hide();
        menu->open();
        QVERIFY(line->text().endsWith("in corso: 25% (375,0 MB di 1,5 GB)"));

        QSignalSpy done(&backup, &StartBackup::finished);
        backup.start(fx.path(QString()));
        QVERIFY(done.wait(10000));
        QVERIFY2(line->text().split('\n').last().startsWith("Ultima copia: "), qPrintable(line->text()));
        QCOMPARE(line->text().split('\n').size(), 3);
    }

    void restorePutsBackAfterCopyingAside()
    {
        DataFolder data;
        QVERIFY(Backup::run(data.path(), Start).status == Backup::Outcome::Made);
        put(data.path() + "Dipendenti.pro", QByteArray(8086, 'z'));
        put(data.path() + "2018.prg", QByteArray(62681, 'p'));
        QVERIFY(Backup::run(data.path(), Start.addSecs(60)).status == Backup::Outcome::Made);

        QVector<Backup::Entry> entries = Backup::list(data.path());
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries.first().name, QString("2017-06-15_083100"));   // newest first
        QCOMPARE(entries.last().files, (QStringList{"2017.lav", "Dipendenti.pro"}));
        QCOMPARE(entries.last().bytes, qint64(4043 + 2913));

        const Backup::Restored r = Backup::restore(data.path(), "2017-06-15_083000", Start.addSecs(120));
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(bytes(data.path() + "Dipendenti.pro"), QByteArray(4043, 'a'));
        QCOMPARE(r.restored, (QStringList{"2017.lav", "Dipendenti.pro"}));
        // An archive the backup does not know is left alone, and said.
        QCOMPARE(r.kept, QStringList{"2018.prg"});
        QCOMPARE(bytes(data.path() + "2018.prg"), QByteArray(62681, 'p'));
        // What was there before is kept aside, listed, and never rolled away.
        QCOMPARE(r.aside, QString("2017-06-15_083200_prima-del-ripristino"));
        QCOMPARE(bytes(data.path() + "Backup/" + r.aside + "/Dipendenti.pro"), QByteArray(8086, 'z'));
        QCOMPARE(Backup::list(data.path()).first().name, r.aside);
        QVERIFY(QDir(data.path()).entryList(QDir::Files | QDir::Hidden).filter(".ripristino").isEmpty());

        const Backup::Restored missing = Backup::restore(data.path(), "../..", Start);
        QVERIFY(!missing.ok);
        QVERIFY(missing.aside.isEmpty());
        QCOMPARE(bytes(data.path() + "Dipendenti.pro"), QByteArray(4043, 'a'));
    }

    void factsNameTheFolders()
    {
        DataFolder data;
        ProgramFolder::set(data.path());
        QStringList facts = Backup::folderFacts();
        QCOMPARE(facts.size(), 3);
        QCOMPARE(facts.at(0), "Cartella dei dati: " + data.path() + " (indicata all'avvio con --cartella)");
        QCOMPARE(facts.at(1), "Copie di sicurezza: " + data.path() + "Backup/");
        QCOMPARE(facts.at(2), QString("Nessuna copia di sicurezza eseguita finora."));
        Backup::run(data.path(), Start);
        QCOMPARE(Backup::folderFacts().at(2), QString("Ultima copia: 15/06/2017 08:30:00 (copie conservate: 1 di 10)"));
    }
};

QTEST_MAIN(TestBackup)
#include "TestBackup.moc"
