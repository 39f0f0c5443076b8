#include "cli/Cli.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The program's name: an installed copy finds the user's data folder by it.
    QCoreApplication::setApplicationName(QStringLiteral("Veltaro"));
    // Straight onto the descriptor: the commands buffer their lines themselves, and a
    // failed write shows at once instead of in a library buffer after the last check.
    QFile stdOut;
    if (!stdOut.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        std::fputs("veltaro-cli: uscita standard non disponibile\n", stderr);
        return 2;
    }
    QTextStream out(&stdOut), err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    Cli::Io io{out, err};
    int code = Cli::main(app.arguments().mid(1), io);
    out.flush();
    // A full disk must not pass for a complete list.
    if (out.status() != QTextStream::Ok) {
        err << "veltaro-cli: scrittura dei risultati non riuscita\n";
        code = 2;
    }
    err.flush();
    return code;
}
