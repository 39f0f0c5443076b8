#include "app/ProgramFolder.h"

#include "app/PasswordFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

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
    if (choice.origin != Origin::PerUser)
        return QString();
    const QString dir = choice.path;
    if (!QDir().mkpath(dir))
        return QStringLiteral("la cartella dei dati %1 non può essere creata").arg(QDir::toNativeSeparators(dir));
    const QString password = dir + QLatin1String(PasswordFile::FileName);
    if (QFileInfo::exists(password))
        return QString();
    // The first start of this user: the password delivered with the program, or its
    // initial content if the delivered file has gone missing.
    QByteArray content = PasswordFile::initialContent();
    for (const QString &from : {installedShareDir(exe), exe}) {
        QFile delivered(from + QLatin1String(PasswordFile::FileName));
        if (delivered.open(QIODevice::ReadOnly)) {
            content = delivered.readAll();
            break;
        }
    }
    QSaveFile out(password);
    if (!out.open(QIODevice::WriteOnly) || out.write(content) != content.size() || !out.commit())
        return QStringLiteral("il file della password %1 non può essere scritto").arg(QDir::toNativeSeparators(password));
    return QString();
}

}
