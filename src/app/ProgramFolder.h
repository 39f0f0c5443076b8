#pragma once
#include <QString>
#include <QStringList>

// The folder that holds the archives and the password file: the executable's folder,
// unless "--cartella DIR" is given on the command line.
namespace ProgramFolder {
QString path();                          // always ends with '/'
QString file(const QString &name);       // path() + name
void set(const QString &dir);
// Takes "--cartella DIR" or "--cartella=DIR" out of the arguments, if present.
void applyArguments(QStringList &arguments);
}
