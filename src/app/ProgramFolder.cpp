#include "app/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString folder;

QString withSlash(QString dir)
{
    dir = QDir::cleanPath(QDir(dir).absolutePath());
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}
}

QString ProgramFolder::path()
{
    if (folder.isEmpty())
        folder = withSlash(QCoreApplication::applicationDirPath());
    return folder;
}

QString ProgramFolder::file(const QString &name)
{
    return path() + name;
}

void ProgramFolder::set(const QString &dir)
{
    folder = withSlash(dir);
}

void ProgramFolder::applyArguments(QStringList &arguments)
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
