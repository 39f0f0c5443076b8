#include "cli/Cli.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <cstdio>
#include <optional>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    // No application object: the commands need none, and making one is a good part of the
    // start-up every command would pay.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    // The program's name: an installed copy finds the user's data folder by it. Only the
    // restore works on the program's own folder, which Qt finds through an application
    // object; the archive commands are spared its cost.
    QCoreApplication::setApplicationName(QStringLiteral("Veltaro"));
    std::optional<QCoreApplication> app;
    // Likewise the card print, which waits for the program drawing the page, and the search
    // and the shell's completion, which look into the data folder.
    if (!args.isEmpty()
        && (args.first() == QLatin1String("ripristina") || args.first() == QLatin1String("stampa")
            || args.first() == QLatin1String("cerca") || args.first() == QLatin1String("--completa")))
        app.emplace(argc, argv);
#ifdef F_SETPIPE_SZ
    // Into a pipe, a long list would go 64 KiB at a time, waiting for the reader after each:
    // a larger pipe lets it go in a few writes. Only a wish: a limit may refuse it.
    struct stat outStat;
    constexpr int PipeBytes = 1 << 20;
    if (::fstat(STDOUT_FILENO, &outStat) == 0 && S_ISFIFO(outStat.st_mode)
        && ::fcntl(STDOUT_FILENO, F_GETPIPE_SZ) < PipeBytes)
        ::fcntl(STDOUT_FILENO, F_SETPIPE_SZ, PipeBytes);
#endif
    // Straight onto the descriptor: the commands buffer their lines themselves, and a
    // failed write shows at once instead of in a library buffer after the last check.
    QFile stdOut;
    if (!stdOut.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        std::fputs("veltaro-cli: uscita standard non disponibile\n", stderr);
        return Cli::ExitFile;
    }
    QTextStream out(&stdOut), err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    Cli::Io io{out, err};
    int code = Cli::main(args, io);
    out.flush();
    // A full disk must not pass for a complete list.
    if (out.status() != QTextStream::Ok) {
        err << "veltaro-cli: scrittura dei risultati non riuscita\n";
        code = Cli::ExitFile;
    }
    err.flush();
    return code;
}
