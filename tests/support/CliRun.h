#pragma once
#include "cli/Cli.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

// One command of the command line run in the test's process: its exit status and what it
// wrote on each stream.
namespace CliRun {

struct Run {
    int code;
    QString out, err;
};

inline Run cli(const QStringList &args)
{
    QString out, err;
    QTextStream o(&out), e(&err);
    Cli::Io io{o, e};
    const int code = Cli::main(args, io);
    o.flush();
    e.flush();
    return {code, out, err};
}

}
