// veltaro-gen: writes a made-up worker archive or year log, the same for the same seed.
#include "ArchiveGenerator.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <cstdio>

namespace {

int usage()
{
    std::fputs("uso: veltaro-gen lavoratori N FILE [--seme S] [--sovrascrivi]\n"
               "     veltaro-gen lavori N FILE [--anno AAAA] [--persone P] [--seme S] [--sovrascrivi]\n"
               "  lavoratori: N schede nel formato di Dipendenti.pro\n"
               "  lavori:     N schede nel formato di <anno>.lav (anno dal nome del file, se non indicato)\n",
               stderr);
    return 2;
}

}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    quint64 seed = 1;
    int year = 0, staff = 150;
    bool overwrite = false;
    QStringList plain;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        bool ok = true;
        if (a == "--sovrascrivi")
            overwrite = true;
        else if (a == "--seme" && i + 1 < args.size())
            seed = args[++i].toULongLong(&ok);
        else if (a == "--anno" && i + 1 < args.size())
            year = args[++i].toInt(&ok);
        else if (a == "--persone" && i + 1 < args.size())
            staff = args[++i].toInt(&ok);
        else if (a.startsWith("--"))
            return usage();
        else
            plain << a;
        if (!ok)
            return usage();
    }
    bool countOk = false;
    const qint64 count = plain.size() == 3 ? plain[1].toLongLong(&countOk) : 0;
    if (!countOk || count < 0 || (plain[0] != "lavoratori" && plain[0] != "lavori"))
        return usage();
    const QString path = plain[2];
    // Never over a real archive by mistake.
    if (QFileInfo::exists(path) && !overwrite) {
        std::fprintf(stderr, "%s esiste gia': usare --sovrascrivi per sostituirlo\n", qPrintable(path));
        return 1;
    }

    QString error;
    bool ok;
    if (plain[0] == "lavoratori") {
        ok = ArchiveGenerator::writeWorkers(path, count, seed, &error);
    } else {
        if (year == 0) {
            const auto m = QRegularExpression("^(\\d{4})\\.lav$").match(QFileInfo(path).fileName());
            year = m.hasMatch() ? m.captured(1).toInt() : 2024;
        }
        if (year < 1 || year > 9999 || staff < 1)
            return usage();
        ok = ArchiveGenerator::writeWorks(path, count, year, seed, staff, &error);
    }
    if (!ok) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(error));
        return 1;
    }
    return 0;
}
