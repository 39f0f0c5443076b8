#include "app/Backup.h"

#include "app/ProgramFolder.h"
#include "archive/ArchiveKinds.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSysInfo>

#include <algorithm>
#include <functional>

#include <cstdio>
#include <unistd.h>

namespace Backup {

namespace {

constexpr qint64 Chunk = 1 << 20;
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

bool sameContent(const QString &a, const QString &b)
{
    QFile fa(a), fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) || fa.size() != fb.size())
        return false;
    while (!fa.atEnd()) {
        const QByteArray x = fa.read(Chunk), y = fb.read(Chunk);
        if (x.isEmpty() || x != y)
            return false;
    }
    return fb.atEnd() && fa.error() == QFile::NoError && fb.error() == QFile::NoError;
}

bool writeCopy(const QString &from, const QString &to, QString &error)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1 non può essere letto: %2").arg(native(from), in.errorString());
        return false;
    }
    const QDateTime modified = in.fileTime(QFileDevice::FileModificationTime);
    QFile out(to);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        error = QStringLiteral("%1 non può essere scritto: %2").arg(native(to), out.errorString());
        return false;
    }
    while (!in.atEnd()) {
        const QByteArray data = in.read(Chunk);
        if (data.isEmpty()) {
            if (in.error() == QFile::NoError)
                break;   // shorter than it was: the check that follows tells
            error = QStringLiteral("%1 non può essere letto: %2").arg(native(from), in.errorString());
            return false;
        }
        if (out.write(data) != data.size()) {
            error = QStringLiteral("%1 non può essere scritto: %2").arg(native(to), out.errorString());
            return false;
        }
    }
    // On the disk before it counts as a copy; the time is the original's, so an archive left
    // untouched is recognised as already copied.
    if (!out.flush() || ::fsync(out.handle()) != 0 || !out.setFileTime(modified, QFileDevice::FileModificationTime)) {
        error = QStringLiteral("%1 non può essere scritto: %2").arg(native(to), out.errorString());
        return false;
    }
    out.close();
    return true;
}

// Copies a file and reads both back; a mismatch (the archive saved meanwhile, a faulty
// disk) gets one more try.
bool copyVerified(const QString &from, const QString &to, QString &error)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!writeCopy(from, to, error))
            return false;
        if (sameContent(from, to))
            return true;
    }
    error = QStringLiteral("la copia di %1 non corrisponde all'originale").arg(native(from));
    return false;
}

bool unchangedSince(const QString &archive, const QString &copy)
{
    const QFileInfo now(archive), then(copy);
    return then.exists() && now.size() == then.size() && now.lastModified() == then.lastModified();
}

// An archive unchanged since the previous backup (last year's log, say) shares that backup's
// file instead of taking its room again; copies are never written to, so sharing is safe.
// Where the disk cannot share files it is copied.
bool linkVerified(const QString &from, const QString &previous, const QString &to)
{
    return ::link(QFile::encodeName(previous).constData(), QFile::encodeName(to).constData()) == 0
        && sameContent(from, to);
}

// Copies `files` of dataFolder into Backup/name, whole or not at all. Computers sharing the
// folder may start in the same second: each fills a folder of its own, and the one that
// finds the name taken leaves the other's copy in place (*taken).
bool makeCopy(const QString &dataFolder, const QStringList &files, const QString &name, QString &error,
              bool *taken = nullptr, const QString &previous = QString())
{
    const QString base = folder(dataFolder);
    const QString part = base + QLatin1Char('.') + name + PartSuffix + QLatin1Char('-')
        + QSysInfo::machineHostName() + QLatin1Char('-') + QString::number(QCoreApplication::applicationPid());
    QDir(part).removeRecursively();
    if (!QDir().mkpath(part)) {
        error = QStringLiteral("la cartella %1 non può essere creata").arg(native(base));
        return false;
    }
    for (const QString &f : files) {
        const QString to = part + QLatin1Char('/') + f;
        if (!previous.isEmpty() && unchangedSince(dataFolder + f, previous + f)
            && linkVerified(dataFolder + f, previous + f, to))
            continue;
        QFile::remove(to);
        if (!copyVerified(dataFolder + f, to, error)) {
            QDir(part).removeRecursively();
            return false;
        }
    }
    if (!QDir().rename(part, base + name)) {
        QDir(part).removeRecursively();
        if (taken && QFileInfo::exists(base + name)) {
            *taken = true;
            return false;
        }
        error = QStringLiteral("la cartella %1 non può essere creata").arg(native(base + name));
        return false;
    }
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

// Leftovers of a copy cut short (the program killed, the power gone); a fresh one may
// belong to another computer sharing the folder, so only old ones go.
void removeStaleParts(const QString &base, const QDateTime &now)
{
    const QFileInfoList parts = QDir(base).entryInfoList({QStringLiteral(".*") + PartSuffix + QStringLiteral("-*")},
                                                         QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo &p : parts)
        if (p.lastModified().secsTo(now) > 3600)
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
    names.removeIf([](const QString &n) { return ArchiveKinds::forFile(n).layout == nullptr; });
    return names;
}

Outcome run(const QString &dataFolder, const QDateTime &now)
{
    Outcome o;
    const QStringList files = archives(dataFolder);
    if (files.isEmpty())
        return o;
    const QString base = folder(dataFolder);
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
    bool taken = false;
    const QString previous = dated.isEmpty() ? QString() : base + dated.last() + QLatin1Char('/');
    if (!makeCopy(dataFolder, files, o.name, o.error, &taken, previous)) {
        o.status = taken ? Outcome::Unchanged : Outcome::Failed;
        return o;
    }
    o.status = Outcome::Made;
    dated << o.name;
    dated.sort();
    while (dated.size() > Kept)
        QDir(base + dated.takeFirst()).removeRecursively();
    removeStaleParts(base, now);
    return o;
}

QString failureText(const QString &dataFolder, const Outcome &outcome)
{
    return QStringLiteral("Attenzione: non è stato possibile creare la copia di sicurezza degli archivi nella "
                          "cartella %1 (%2).\n\r\n\rIl programma funziona normalmente; la copia sarà ritentata al "
                          "prossimo avvio.")
        .arg(native(folder(dataFolder)), outcome.error);
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
    const QString from = folder(dataFolder) + name + QLatin1Char('/');
    for (const QString &f : entry->files) {
        // Each archive is replaced whole, by a checked copy renamed over it.
        const QString temporary = dataFolder + QLatin1Char('.') + f + QLatin1String(".ripristino");
        if (!copyVerified(from + f, temporary, r.error)
            || std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(dataFolder + f).constData()) != 0) {
            if (r.error.isEmpty())
                r.error = QStringLiteral("%1 non può essere sostituito").arg(native(dataFolder + f));
            QFile::remove(temporary);
            return r;
        }
        r.restored << f;
    }
    for (const QString &f : current)
        if (!entry->files.contains(f))
            r.kept << f;
    r.ok = true;
    return r;
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
