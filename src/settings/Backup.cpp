#include "settings/Backup.h"

#include "framework/FileOps.h"
#include "framework/FileReplacement.h"
#include "settings/ArchiveNames.h"
#include "settings/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSysInfo>

#include <algorithm>
#include <functional>
#include <limits>

#include <cerrno>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Backup {

namespace {

constexpr qint64 Chunk = 1 << 20;
// A copy under way writes every few seconds; one silent for a day was cut short, even on a
// share whose computers' clocks disagree by some hours.
constexpr qint64 StaleAfterSeconds = 24 * 3600;
constexpr qint64 KernelStep = qint64(16) << 20;   // progress is told at least this often
const QString PartSuffix = QStringLiteral(".part");

// Only folders named by the rolling take part in it; anything else under Backup is the user's.
bool isDated(const QString &name)
{
    static const QRegularExpression dated(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}_\\d{6}$"));
    return dated.match(name).hasMatch();
}

bool isListed(const QString &name)
{
    return isDated(name) || (name.endsWith(QLatin1String(AsideSuffix)) && isDated(name.chopped(qstrlen(AsideSuffix))));
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QStringList subfolders(const QString &base, bool (*keep)(const QString &))
{
    QStringList names = QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    names.removeIf([keep](const QString &n) { return !keep(n); });
    return names;
}

// Counts the bytes copied and read back, for the progress shown while a backup runs.
struct Meter {
    const Progress *report = nullptr;
    qint64 done = 0;
    qint64 total = 0;
    void add(qint64 bytes)
    {
        done += bytes;
        if (report && *report)
            (*report)(qMin(done, total), total);
    }
};

void advance(Meter *meter, qint64 bytes)
{
    if (meter)
        meter->add(bytes);
}

bool sameContent(const QString &a, const QString &b, Meter *meter = nullptr)
{
    QFile fa(a), fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) || fa.size() != fb.size())
        return false;
    while (!fa.atEnd()) {
        const QByteArray x = fa.read(Chunk), y = fb.read(Chunk);
        if (x.isEmpty() || x != y)
            return false;
        advance(meter, x.size());
    }
    return fb.atEnd() && fa.error() == QFile::NoError && fb.error() == QFile::NoError;
}

// Which side a copy failed on: an archive that cannot be read is left out of the backup,
// while a backup that cannot be written is no backup at all.
enum class Copy { Done, SourceFault, TargetFault };

Copy writeCopy(const QString &from, const QString &to, QString &error, Meter *meter)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1 non può essere letto: %2").arg(native(from), in.errorString());
        return Copy::SourceFault;
    }
    const QDateTime modified = in.fileTime(QFileDevice::FileModificationTime);
    const auto writeFailed = [&](int fd) {
        const int e = errno;
        if (fd >= 0)
            ::close(fd);
        error = QStringLiteral("%1 non può essere scritto: %2").arg(native(to), FileOps::errorText(e));
        return Copy::TargetFault;
    };
    const int out = FileOps::open(to, O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (out < 0)
        return writeFailed(out);
    // The kernel copies first, sharing the blocks where the file system can; where it cannot
    // (another file system, some network shares) or stops short, the rest is read and written,
    // which also tells a failing archive from a failing backup disk.
    off_t inAt = 0, outAt = 0;
    for (const qint64 size = in.size(); inAt < size;) {
        const ssize_t n = FileOps::copyRange(in.handle(), &inAt, out, &outAt, size_t(qMin<qint64>(size - inAt, KernelStep)));
        if (n <= 0)
            break;
        advance(meter, n);
    }
    if (!in.seek(inAt)) {
        ::close(out);
        error = QStringLiteral("%1 non può essere letto: %2").arg(native(from), in.errorString());
        return Copy::SourceFault;
    }
    while (!in.atEnd()) {
        const QByteArray data = in.read(Chunk);
        if (data.isEmpty()) {
            if (in.error() == QFile::NoError)
                break;   // shorter than it was: the check that follows tells
            ::close(out);
            error = QStringLiteral("%1 non può essere letto: %2").arg(native(from), in.errorString());
            return Copy::SourceFault;
        }
        if (FileOps::pwrite(out, data.constData(), size_t(data.size()), outAt) != data.size())
            return writeFailed(out);
        outAt += data.size();
        advance(meter, data.size());
    }
    // On the disk before it counts as a copy; the time is the original's, so an archive left
    // untouched is recognised as already copied.
    const qint64 ms = modified.toMSecsSinceEpoch();
    const struct timespec times[2] = {{0, UTIME_OMIT}, {time_t(ms / 1000), long(ms % 1000) * 1000000}};
    if (FileOps::fsync(out) != 0 || FileOps::futimens(out, times) != 0)
        return writeFailed(out);
    if (FileOps::close(out) != 0)
        return writeFailed(-1);
    return Copy::Done;
}

// Copies a file and reads both back; a mismatch (the archive saved meanwhile, a faulty
// disk) gets one more try.
Copy copyVerified(const QString &from, const QString &to, QString &error, Meter *meter = nullptr)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (const Copy c = writeCopy(from, to, error, meter); c != Copy::Done)
            return c;
        if (sameContent(from, to, meter))
            return Copy::Done;
    }
    error = QStringLiteral("la copia di %1 non corrisponde all'originale").arg(native(from));
    return Copy::TargetFault;
}

bool unchangedSince(const QString &archive, const QString &copy)
{
    const QFileInfo now(archive), then(copy);
    return then.exists() && now.size() == then.size() && now.lastModified() == then.lastModified();
}

// An archive unchanged since the previous backup (last year's log, say) shares that backup's
// file instead of taking its room again; copies are never written to, so sharing is safe.
// Where the disk cannot share files it is copied.
bool linkVerified(const QString &from, const QString &previous, const QString &to, Meter *meter)
{
    if (FileOps::link(previous, to) != 0)
        return false;
    advance(meter, QFileInfo(to).size());
    return sameContent(from, to, meter);
}

// The hidden folder a copy is filled in before it takes its dated name. It names the
// computer (its host name, machine and boot identities) and the process, so that a later
// start can tell a copy cut short from one another computer is still making.
QString identity(const QByteArray &id)
{
    QByteArray hex = id;
    hex.replace('-', QByteArray());
    static const QRegularExpression plain(QStringLiteral("^[0-9a-f]{32}$"));
    return plain.match(QString::fromLatin1(hex)).hasMatch() ? QString::fromLatin1(hex) : QStringLiteral("ignoto");
}

QString partFolder(const QString &base, const QString &name)
{
    return base + QLatin1Char('.') + name + PartSuffix + QLatin1Char('-') + QSysInfo::machineHostName()
        + QLatin1Char('-') + identity(QSysInfo::machineUniqueId()) + QLatin1Char('-')
        + identity(QSysInfo::bootUniqueId()) + QLatin1Char('-') + QString::number(QCoreApplication::applicationPid());
}

// Copies `files` of dataFolder into Backup/name, whole or not at all; an archive that cannot
// be read is left out and named in *notCopied (without it, the copy fails on the first).
// Computers sharing the folder may start in the same second: each fills a folder of its
// own, and the one that finds the name taken leaves the other's copy in place (*taken).
bool makeCopy(const QString &dataFolder, const QStringList &files, const QString &name, QString &error,
              bool *taken = nullptr, const QString &previous = QString(), QVector<NotCopied> *notCopied = nullptr,
              Meter *meter = nullptr)
{
    const QString base = folder(dataFolder);
    const QString part = partFolder(base, name);
    QDir(part).removeRecursively();
    if (!QDir().mkpath(base) || FileOps::mkdir(part) != 0) {
        error = QStringLiteral("la cartella %1 non può essere creata").arg(native(base));
        return false;
    }
    for (const QString &f : files) {
        const QString to = part + QLatin1Char('/') + f;
        if (!previous.isEmpty() && unchangedSince(dataFolder + f, previous + f)
            && linkVerified(dataFolder + f, previous + f, to, meter))
            continue;
        FileOps::unlink(to);
        const Copy c = copyVerified(dataFolder + f, to, error, meter);
        if (c == Copy::SourceFault && notCopied) {
            FileOps::unlink(to);
            *notCopied << NotCopied{f, error};
            error.clear();
            continue;
        }
        if (c != Copy::Done) {
            QDir(part).removeRecursively();
            return false;
        }
    }
    if (notCopied && notCopied->size() == files.size()) {
        QDir(part).removeRecursively();
        QStringList why;
        for (const NotCopied &n : std::as_const(*notCopied))
            why << n.reason;
        error = why.join(QStringLiteral("; "));
        return false;
    }
    if (FileOps::renameNoReplace(part, base + name) != 0) {
        const int e = errno;
        QDir(part).removeRecursively();
        if (taken && (e == EEXIST || e == ENOTEMPTY) && QFileInfo::exists(base + name)) {
            *taken = true;
            return false;
        }
        error = QStringLiteral("la cartella %1 non può essere creata").arg(native(base + name));
        return false;
    }
    FileOps::syncFolder(base);
    return true;
}

bool sameAsBackup(const QString &dataFolder, const QStringList &files, const QString &backup)
{
    if (archives(backup) != files)
        return false;
    for (const QString &f : files)
        if (!unchangedSince(dataFolder + f, backup + f))
            return false;
    return true;
}

const QString StagedSuffix = QStringLiteral(".ripristino");
const QString JournalName = QStringLiteral(".ripristino-in-corso");

QString staged(const QString &dataFolder, const QString &file)
{
    return dataFolder + QLatin1Char('.') + file + StagedSuffix;
}

QString journalPath(const QString &dataFolder)
{
    return dataFolder + JournalName;
}

void dropStaged(const QString &dataFolder, const QStringList &files)
{
    for (const QString &f : files)
        FileOps::unlink(staged(dataFolder, f));
}

// What a restore under way is doing: putting the backup's archives in place (forward), or
// putting back those copied aside, after a rename failed. One line each:
// "avanti" or "indietro", the aside copy's name, then "1 NAME" / "0 NAME" for each archive
// restored, 1 when the folder held it before.
struct Journal {
    bool forward = true;
    QString aside;
    QStringList files;
    QList<bool> existed;
};

bool writeJournal(const QString &dataFolder, const Journal &j, QString &error)
{
    QByteArray text = (j.forward ? "avanti\n" : "indietro\n") + j.aside.toUtf8() + '\n';
    for (qsizetype i = 0; i < j.files.size(); ++i)
        text += (j.existed.at(i) ? "1 " : "0 ") + j.files.at(i).toUtf8() + '\n';
    FileReplacement out(journalPath(dataFolder));
    if (out.open() && out.write(text) && out.commit())
        return true;
    error = QStringLiteral("%1 non può essere scritto: %2").arg(native(journalPath(dataFolder)), out.errorString());
    return false;
}

bool readJournal(const QString &dataFolder, Journal &j)
{
    QFile in(journalPath(dataFolder));
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> lines = in.readAll().split('\n');
    if (lines.size() < 2 || (lines.at(0) != "avanti" && lines.at(0) != "indietro"))
        return false;
    j.forward = lines.at(0) == "avanti";
    j.aside = QString::fromUtf8(lines.at(1));
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QByteArray &l = lines.at(i);
        if (l.size() < 3 || l.at(1) != ' ')
            continue;
        const QString f = QString::fromUtf8(l.mid(2));
        // Only names of archives in this very folder: never a path leading elsewhere.
        if (f.contains(QLatin1Char('/')) || ArchiveNames::kindOf(f).isEmpty())
            continue;
        j.files << f;
        j.existed << (l.at(0) == '1');
    }
    return true;
}

// Puts back every archive a restore touched as the aside copy holds it, and removes those
// the folder did not have; repeatable, so a rollback cut short is finished at the next opening.
bool rollBack(const QString &dataFolder, Journal j, QString &error)
{
    if (j.forward) {
        j.forward = false;
        if (!writeJournal(dataFolder, j, error))
            return false;
    }
    const QString aside = folder(dataFolder) + j.aside + QLatin1Char('/');
    for (qsizetype i = 0; i < j.files.size(); ++i) {
        const QString &f = j.files.at(i);
        if (!j.existed.at(i)) {
            if (FileOps::unlink(dataFolder + f) != 0 && errno != ENOENT) {
                error = QStringLiteral("%1 non può essere tolto: %2").arg(native(dataFolder + f), FileOps::errorText(errno));
                return false;
            }
            FileOps::unlink(staged(dataFolder, f));
            continue;
        }
        if (j.aside.isEmpty() || copyVerified(aside + f, staged(dataFolder, f), error) != Copy::Done)
            return false;
        if (FileOps::rename(staged(dataFolder, f), dataFolder + f) != 0) {
            error = QStringLiteral("%1 non può essere sostituito: %2").arg(native(dataFolder + f), FileOps::errorText(errno));
            return false;
        }
    }
    FileOps::syncFolder(dataFolder);
    FileOps::unlink(journalPath(dataFolder));
    FileOps::syncFolder(dataFolder);
    return true;
}

// The last time anything was written in a copy under way: its folder gains an entry per
// archive, and the archive being copied has the current time until it is whole.
QDateTime lastActivity(const QFileInfo &part)
{
    QDateTime last = part.lastModified();
    for (const QFileInfo &f : QDir(part.absoluteFilePath()).entryInfoList(QDir::Files | QDir::Hidden))
        last = qMax(last, f.lastModified());
    return last;
}

// A copy cut short on this computer: made before its last start, or by a process that is
// gone. Another computer's copy, or one whose name says too little, cannot be told from one
// still under way, except by a long silence.
bool leftBehind(const QFileInfo &part)
{
    static const QRegularExpression named(QStringLiteral("^\\..+\\.part-.*-([0-9a-f]{32})-([0-9a-f]{32})-(\\d+)$"));
    if (const QRegularExpressionMatch m = named.match(part.fileName());
        m.hasMatch() && m.captured(1) == identity(QSysInfo::machineUniqueId())) {
        const QString boot = identity(QSysInfo::bootUniqueId());
        if (m.captured(2) != boot && boot != QLatin1String("ignoto"))
            return true;
        bool ok = false;
        const qint64 pid = m.captured(3).toLongLong(&ok);
        if (ok && pid > 0 && pid <= std::numeric_limits<pid_t>::max() && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
            return true;
    }
    return lastActivity(part).secsTo(QDateTime::currentDateTime()) > StaleAfterSeconds;
}

void sweepLeftovers(const QString &base)
{
    const QFileInfoList parts = QDir(base).entryInfoList({QStringLiteral(".*") + PartSuffix + QStringLiteral("-*")},
                                                         QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo &p : parts)
        if (leftBehind(p))
            QDir(p.absoluteFilePath()).removeRecursively();
}

}

QString folder(const QString &dataFolder)
{
    return dataFolder + QLatin1String(FolderName) + QLatin1Char('/');
}

QString nameFor(const QDateTime &when)
{
    return when.toString(QStringLiteral("yyyy-MM-dd_HHmmss"));
}

QStringList archives(const QString &dataFolder)
{
    QStringList names = QDir(dataFolder).entryList(QDir::Files, QDir::Name);
    names.removeIf([](const QString &n) { return ArchiveNames::kindOf(n).isEmpty(); });
    return names;
}

Outcome run(const QString &dataFolder, const QDateTime &now, const Progress &progress)
{
    Outcome o;
    const QString base = folder(dataFolder);
    sweepLeftovers(base);
    const QStringList files = archives(dataFolder);
    if (files.isEmpty())
        return o;
    QStringList dated = subfolders(base, isDated);
    if (!dated.isEmpty() && sameAsBackup(dataFolder, files, base + dated.last() + QLatin1Char('/'))) {
        o.status = Outcome::Unchanged;
        o.name = dated.last();
        return o;
    }
    o.name = nameFor(now);
    if (dated.contains(o.name)) {   // started twice within one second
        o.status = Outcome::Unchanged;
        return o;
    }
    Meter meter{&progress};
    for (const QString &f : files)
        meter.total += 2 * QFileInfo(dataFolder + f).size();   // copied, then read back
    meter.add(0);
    bool taken = false;
    const QString previous = dated.isEmpty() ? QString() : base + dated.last() + QLatin1Char('/');
    if (!makeCopy(dataFolder, files, o.name, o.error, &taken, previous, &o.notCopied, &meter)) {
        o.status = taken ? Outcome::Unchanged : Outcome::Failed;
        return o;
    }
    o.status = Outcome::Made;
    // The newest copy of an archive that could not be read now is kept beyond the ten, so
    // that starts without it do not roll its last good copy away.
    QStringList rolling = dated;
    for (const NotCopied &n : std::as_const(o.notCopied))
        for (auto d = dated.crbegin(); d != dated.crend(); ++d)
            if (QFileInfo::exists(base + *d + QLatin1Char('/') + n.file)) {
                rolling.removeOne(*d);
                break;
            }
    // A copy being removed first loses its dated name: cut short, it never stands as a
    // backup with some archives missing, and the next start sweeps it away.
    for (qsizetype excess = dated.size() + 1 - Kept; excess > 0 && !rolling.isEmpty(); --excess) {
        const QString old = rolling.takeFirst();
        const QString gone = partFolder(base, old);
        if (FileOps::rename(base + old, gone) == 0)
            QDir(gone).removeRecursively();
    }
    return o;
}

QString failureText(const QString &dataFolder, const Outcome &outcome)
{
    return QStringLiteral("Attenzione: non è stato possibile creare la copia di sicurezza degli archivi nella "
                          "cartella %1 (%2).\n\r\n\rIl programma funziona normalmente; la copia sarà ritentata al "
                          "prossimo avvio.")
        .arg(native(folder(dataFolder)), outcome.error);
}

QString notCopiedText(const QString &dataFolder, const Outcome &outcome)
{
    QStringList lines;
    for (const NotCopied &n : outcome.notCopied)
        lines << QStringLiteral("- %1 (%2)").arg(n.file, n.reason);
    return QStringLiteral("Attenzione: la copia di sicurezza %1 nella cartella %2 non contiene questi archivi, che non "
                          "è stato possibile leggere:\n%3\n\r\n\rGli altri archivi sono stati copiati, e l'ultima "
                          "copia che contiene questi, se c'è, non viene eliminata. Controllare i file indicati.")
        .arg(outcome.name, native(folder(dataFolder)), lines.join(QLatin1Char('\n')));
}

QVector<Entry> list(const QString &dataFolder)
{
    QVector<Entry> out;
    const QString base = folder(dataFolder);
    QStringList names = subfolders(base, isListed);
    std::sort(names.begin(), names.end(), std::greater<>());
    for (const QString &name : names) {
        Entry e{name, archives(base + name + QLatin1Char('/')), 0};
        if (e.files.isEmpty())
            continue;
        for (const QString &f : e.files)
            e.bytes += QFileInfo(base + name + QLatin1Char('/') + f).size();
        out << e;
    }
    return out;
}

Restored restore(const QString &dataFolder, const QString &name, const QDateTime &now)
{
    Restored r;
    const QVector<Entry> entries = list(dataFolder);
    const auto entry = std::find_if(entries.cbegin(), entries.cend(), [&](const Entry &e) { return e.name == name; });
    if (entry == entries.cend()) {
        r.error = QStringLiteral("copia di sicurezza non trovata: %1").arg(name);
        return r;
    }
    const QStringList current = archives(dataFolder);
    if (!current.isEmpty()) {
        r.aside = nameFor(now) + QLatin1String(AsideSuffix);
        if (!makeCopy(dataFolder, current, r.aside, r.error)) {
            r.error = QStringLiteral("gli archivi attuali non possono essere messi da parte (%1); nulla è stato "
                                     "ripristinato").arg(r.error);
            r.aside.clear();
            return r;
        }
    }
    // Every archive is first copied and checked beside the one it replaces; then a journal
    // names them, and only then do the renames begin. Cut short anywhere, the folder holds
    // the old archives or, once the journal is read at the next opening, the backup's.
    const QString from = folder(dataFolder) + name + QLatin1Char('/');
    Journal journal;
    journal.aside = r.aside;
    for (const QString &f : entry->files) {
        journal.files << f;
        journal.existed << current.contains(f);
        if (copyVerified(from + f, staged(dataFolder, f), r.error) != Copy::Done) {
            dropStaged(dataFolder, entry->files);
            return r;
        }
    }
    if (!writeJournal(dataFolder, journal, r.error)) {
        dropStaged(dataFolder, entry->files);
        return r;
    }
    for (const QString &f : entry->files) {
        if (FileOps::rename(staged(dataFolder, f), dataFolder + f) != 0) {
            r.error = QStringLiteral("%1 non può essere sostituito: %2").arg(native(dataFolder + f), FileOps::errorText(errno));
            QString undone;
            if (!rollBack(dataFolder, journal, undone))
                r.error += QStringLiteral("; la cartella dei dati sarà rimessa in ordine alla prossima apertura del "
                                          "programma (%1)").arg(undone);
            else
                r.error += QStringLiteral("; gli archivi sono rimasti com'erano");
            r.restored.clear();   // those put back before are back as they were
            return r;
        }
        r.restored << f;
    }
    FileOps::syncFolder(dataFolder);
    FileOps::unlink(journalPath(dataFolder));
    FileOps::syncFolder(dataFolder);
    for (const QString &f : current)
        if (!entry->files.contains(f))
            r.kept << f;
    r.ok = true;
    return r;
}

QString finishInterrupted(const QString &dataFolder)
{
    // A journal being written when the restore was cut short is not one yet.
    for (const QString &f : QDir(dataFolder).entryList({JournalName + QStringLiteral(".*")}, QDir::Files | QDir::Hidden))
        FileOps::unlink(dataFolder + f);
    Journal journal;
    if (!readJournal(dataFolder, journal)) {
        // No journal: a restore cut short before its first rename left only its copies.
        const QStringList left = QDir(dataFolder).entryList({QStringLiteral(".*") + StagedSuffix},
                                                            QDir::Files | QDir::Hidden);
        for (const QString &f : left)
            FileOps::unlink(dataFolder + f);
        return QString();
    }
    QString error;
    if (journal.forward) {
        for (const QString &f : journal.files)
            if (QFileInfo::exists(staged(dataFolder, f)) && FileOps::rename(staged(dataFolder, f), dataFolder + f) != 0) {
                error = QStringLiteral("%1 non può essere sostituito: %2").arg(native(dataFolder + f), FileOps::errorText(errno));
                return QStringLiteral("il ripristino interrotto non può essere completato: %1").arg(error);
            }
        FileOps::syncFolder(dataFolder);
        FileOps::unlink(journalPath(dataFolder));
        FileOps::syncFolder(dataFolder);
        return QString();
    }
    if (!rollBack(dataFolder, journal, error))
        return QStringLiteral("il ripristino interrotto non può essere annullato: %1").arg(error);
    return QString();
}

QStringList folderFacts()
{
    const QString data = ProgramFolder::path();
    QString where;
    switch (ProgramFolder::origin()) {
    case ProgramFolder::Origin::Chosen: where = QStringLiteral(" (indicata all'avvio con --cartella)"); break;
    case ProgramFolder::Origin::Own: where = QStringLiteral(" (la cartella del programma)"); break;
    case ProgramFolder::Origin::PerUser: where = QStringLiteral(" (la cartella personale dell'utente)"); break;
    }
    QStringList lines{QStringLiteral("Cartella dei dati: ") + native(data) + where,
                      QStringLiteral("Copie di sicurezza: ") + native(folder(data))};
    const QStringList dated = subfolders(folder(data), isDated);
    if (dated.isEmpty()) {
        lines << QStringLiteral("Nessuna copia di sicurezza eseguita finora.");
    } else {
        const QDateTime last = QDateTime::fromString(dated.last(), QStringLiteral("yyyy-MM-dd_HHmmss"));
        lines << QStringLiteral("Ultima copia: %1 (copie conservate: %2 di %3)")
                     .arg(last.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")))
                     .arg(dated.size())
                     .arg(Kept);
    }
    return lines;
}

}
