#pragma once
#include <QString>
#include <QStringList>
#include <QTextStream>

// The companion command line: each subcommand reads its arguments and writes UTF-8 lines.
namespace Cli {

// Exit statuses, the same for every command (its --help lists them).
enum Exit {
    ExitOk = 0,
    ExitNegative = 1,   // a check answered no: the value is not valid, the archive is damaged
    ExitUsage = 2,      // an unknown command or option, a missing or wrong argument
    ExitFile = 3,       // an archive, a folder or a file that cannot be read or written
};

// The shell's completion asks the program itself: words are those typed after
// "veltaro-cli", the last one being completed; the answer is one candidate a line.
QStringList completions(const QStringList &words);

struct Io {
    QTextStream &out;
    QTextStream &err;
};

struct Command {
    const char *name;
    const char *usage;      // shown by --help
    int (*run)(const QStringList &args, Io &io);
};

const QVector<Command> &commands();
int main(const QStringList &args, Io &io);

// Options ("--name=value" or "--name value") and positional arguments.
struct Option {
    QString name;
    QString value;
    bool hasValue;   // "--name" alone has none, "--name=" an empty one
};
struct Args {
    QStringList positional;
    QList<Option> options;
    bool help = false;
    QString value(const QString &name) const;
    bool has(const QString &name) const;
};
Args parse(const QStringList &args);

int usageError(Io &io, const Command &command, const QString &message);

// Subcommands.
int verifica(const QStringList &args, Io &io);
int controlla(const QStringList &args, Io &io);
int trova(const QStringList &args, Io &io);
int scadenze(const QStringList &args, Io &io);
int riepilogo(const QStringList &args, Io &io);
int statistiche(const QStringList &args, Io &io);
int rendiconto(const QStringList &args, Io &io);
int cerca(const QStringList &args, Io &io);
int scaduti(const QStringList &args, Io &io);
int incompleti(const QStringList &args, Io &io);
int rtf(const QStringList &args, Io &io);
int stampa(const QStringList &args, Io &io);
int esporta(const QStringList &args, Io &io);
int ripristina(const QStringList &args, Io &io);

}
