#pragma once
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// Rolling copies of the archives of a data folder, in dated folders inside it:
// DATA/Backup/AAAA-MM-GG_hhmmss. The last ten are kept; a copy is made only when some
// archive changed since the newest one, and each copied file is read back and compared.
namespace Backup {

inline constexpr char FolderName[] = "Backup";
inline constexpr int Kept = 10;
// Added to the copy taken of the current archives just before a restore; such copies are
// never removed by the rolling.
inline constexpr char AsideSuffix[] = "_prima-del-ripristino";

QString folder(const QString &dataFolder);          // dataFolder + "Backup/"
QString nameFor(const QDateTime &when);             // "2017-06-15_083000"
// The archives of a data folder (worker and schedule archives, yearly files), by name.
QStringList archives(const QString &dataFolder);

struct NotCopied {
    QString file;      // the archive's name
    QString reason;    // why it could not be read, in words
};

struct Outcome {
    enum Status { Made, Unchanged, NothingToCopy, Failed } status = NothingToCopy;
    QString name;      // the backup made, or the newest one when nothing changed
    QString error;     // what failed, in words
    // Archives that could not be read: the backup made holds the others.
    QVector<NotCopied> notCopied;
};
// Bytes of work done so far and in all (each archive is copied, then read back), reported
// from the thread that copies.
using Progress = std::function<void(qint64 done, qint64 total)>;
// Sweeps what copies cut short left behind, backs up the archives of dataFolder as of now,
// then drops the oldest beyond Kept.
Outcome run(const QString &dataFolder, const QDateTime &now, const Progress &progress = {});
// The message shown once when a backup fails.
QString failureText(const QString &dataFolder, const Outcome &outcome);
// The message shown once when a backup was made without some archives.
QString notCopiedText(const QString &dataFolder, const Outcome &outcome);

struct Entry {
    QString name;
    QStringList files;
    qint64 bytes = 0;
};
// Every backup of dataFolder that holds archives, newest first.
QVector<Entry> list(const QString &dataFolder);

struct Restored {
    bool ok = false;
    QString aside;          // where the archives found before the restore were copied
    QStringList restored;   // files put back
    QStringList kept;       // archives of the data folder absent from the backup, left as they were
    QString error;
};
// Copies the current archives aside, then puts back every archive of backup `name`: all of
// them or, when one cannot be replaced, none (those replaced go back as they were).
Restored restore(const QString &dataFolder, const QString &name, const QDateTime &now);
// A restore cut short (the program killed, the power gone) is finished, or undone if it was
// being undone, the next time the folder is opened; an empty text when all is in order.
QString finishInterrupted(const QString &dataFolder);

// The data folder and its backups in a few lines, for the information screen and the
// command line.
QStringList folderFacts();

}
