#include "settings/ProgramFolder.h"

#include "framework/FileReplacement.h"
#include "settings/PasswordFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

namespace {
QString folder;
ProgramFolder::Origin folderOrigin = ProgramFolder::Origin::Own;

QString withSlash(QString dir)
{
    dir = QDir::cleanPath(QDir(dir).absolutePath());
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

// The per-user folder holds personal data (tax codes, IBANs, identity documents): on a
// computer shared by several accounts it is the user's alone. What the program creates
// from now on is private too, and what an older version left readable is closed.
void keepPrivate(const QString &dir)
{
    ::umask(077);
    const QFileDevice::Permissions owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    QFile::setPermissions(dir, owner);
    const QFileInfoList entries = QDir(dir).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo &entry : entries) {
        if (entry.isSymLink())
            continue;
        QFile::setPermissions(entry.filePath(), entry.isDir() ? owner : QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
}

QString executableDir()
{
    return withSlash(QCoreApplication::applicationDirPath());
}
}

namespace ProgramFolder {

QString installedShareDir(const QString &executableDir)
{
    return withSlash(executableDir + QLatin1String("/../share/veltaro"));
}

bool isInstalled(const QString &executableDir)
{
    return QDir(executableDir).dirName() == QLatin1String("bin")
        && QFileInfo::exists(installedShareDir(executableDir) + QLatin1String(PasswordFile::FileName));
}

Choice choose(const QString &executableDir, const QString &chosen, const QString &perUserDir)
{
    if (!chosen.isEmpty())
        return {withSlash(chosen), Origin::Chosen};
    // Run by root, an installed copy's folder is writable too: the layout tells it apart.
    if (!isInstalled(executableDir) && QFileInfo(executableDir).isWritable())
        return {withSlash(executableDir), Origin::Own};
    return {withSlash(perUserDir), Origin::PerUser};
}

QString path()
{
    if (folder.isEmpty()) {
        const Choice c = choose(executableDir(), QString(),
                                QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        folder = c.path;
        folderOrigin = c.origin;
    }
    return folder;
}

QString file(const QString &name)
{
    return path() + name;
}

Origin origin()
{
    path();
    return folderOrigin;
}

void set(const QString &dir)
{
    folder = withSlash(dir);
    folderOrigin = Origin::Chosen;
}

void applyArguments(QStringList &arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QLatin1String("--cartella") && i + 1 < arguments.size()) {
            set(arguments.at(i + 1));
            arguments.remove(i, 2);
            return;
        }
        if (a.startsWith(QLatin1String("--cartella="))) {
            set(a.mid(11));
            arguments.removeAt(i);
            return;
        }
    }
}

QString deliveredFile(const QString &name)
{
    const QString exe = executableDir();
    for (const QString &dir : {path(), installedShareDir(exe), exe})
        if (QFileInfo::exists(dir + name))
            return dir + name;
    return exe + name;
}

QString prepare()
{
    return prepare({path(), origin()}, executableDir());
}

QString prepare(const Choice &choice, const QString &exe)
{
    const QString dir = choice.path;
    if (!QDir().mkpath(dir))
        return QStringLiteral("la cartella dei dati %1 non può essere creata").arg(QDir::toNativeSeparators(dir));
    if (choice.origin == Origin::PerUser)
        keepPrivate(dir);
    const QString password = dir + QLatin1String(PasswordFile::FileName);
    if (QFileInfo::exists(password))
        return QString();
    // A folder without the password file could never be entered: it gets the password
    // delivered with the program, or its initial content if the delivered file has gone missing.
    QByteArray content = PasswordFile::initialContent();
    for (const QString &from : {installedShareDir(exe), exe}) {
        QFile delivered(from + QLatin1String(PasswordFile::FileName));
        if (delivered.open(QIODevice::ReadOnly)) {
            content = delivered.readAll();
            break;
        }
    }
    // Written aside and then given its name without replacing: another computer on a
    // shared folder may have put its own there in the meantime, and that one stays.
    FileReplacement out(password);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    // A temporary file is the owner's alone; on a shared folder every user must read it.
    if (out.open(0666 & ~mask, true) && out.write(content) && out.commit(true))
        return QString();
    if (QFileInfo::exists(password))
        return QString();
    return QStringLiteral("il file della password %1 manca e non può essere creato: "
                          "senza di esso non è possibile accedere al programma. "
                          "Controllare che la cartella dei dati sia scrivibile")
        .arg(QDir::toNativeSeparators(password));
}

}
