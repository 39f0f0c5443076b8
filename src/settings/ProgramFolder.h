#pragma once
#include <QString>
#include <QStringList>

// The folder that holds the archives and the password file (the data folder):
// - "--cartella DIR" on the command line, when given;
// - otherwise the executable's folder, when it is writable and not an installed copy (a
//   build, a removable drive, a folder shared on the network);
// - otherwise the user's own data folder, for an installed program whose folder belongs
//   to the system.
namespace ProgramFolder {

enum class Origin { Chosen, Own, PerUser };
struct Choice {
    QString path;     // always ends with '/'
    Origin origin;
};
// The rule above, given the executable's folder, the folder asked for (empty when none)
// and the per-user data folder.
Choice choose(const QString &executableDir, const QString &chosen, const QString &perUserDir);
// An installed copy: the executable in PREFIX/bin beside PREFIX/share/veltaro/unins000.dll.
bool isInstalled(const QString &executableDir);
// Where an installed copy keeps what it delivers (password file, guide): PREFIX/share/veltaro/.
QString installedShareDir(const QString &executableDir);

QString path();                          // always ends with '/'
QString file(const QString &name);       // path() + name
Origin origin();
void set(const QString &dir);            // as "--cartella DIR"
// Takes "--cartella DIR" or "--cartella=DIR" out of the arguments, if present.
void applyArguments(QStringList &arguments);

// A file delivered with the program (the guide, say): the data folder's own copy if there
// is one, else the installed copy, else the one beside the executable.
QString deliveredFile(const QString &name);

// Makes the data folder ready at start: it is created when missing and given the delivered
// password file when it has none (an existing one is never replaced); a per-user folder and
// everything the program writes in it are kept private to the user (folder 700, files 600).
// Returns the problem in words, empty when all is well.
QString prepare();
QString prepare(const Choice &choice, const QString &executableDir);

}
