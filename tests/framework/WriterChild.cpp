// Runs one writer over and over on DIR, each time with a new version, and prints the number
// of every version it completed: the kill test stops it at random moments and checks DIR.
#include "archive/ArchiveFile.h"
#include "framework/FileReplacement.h"
#include "output/SheetExport.h"
#include "projects/ProjectRtf.h"
#include "settings/Backup.h"
#include "settings/PasswordFile.h"
#include "support/Numbered.h"

#include <QCoreApplication>
#include <QDateTime>

#include <cstdio>

namespace {

bool replace(const QString &path, const QByteArray &bytes)
{
    FileReplacement f(path);
    return f.open() && f.write(bytes) && f.commit();
}

bool step(const QString &kind, const QString &d, int i)
{
    const QDateTime base(QDate(2017, 6, 15), QTime(8, 0));
    if (kind == "append") {
        ArchiveFile a(d + "Dipendenti.pro", 4043);
        return a.openOrCreate() && a.appendRecord(Numbered::bytes(i, 4043)) > 0;
    }
    if (kind == "rewrite") {
        ArchiveFile a(d + "Dipendenti.pro", 4043);
        return a.openOrCreate() && a.writeRecord(2, Numbered::bytes(i + 1, 4043));
    }
    if (kind == "password")
        return PasswordFile::write(d + "unins000.dll", "P" + QString::number(i + 1));
    if (kind == "export") {
        const QString from = d + (i % 2 ? "uno/" : "due/") + "Dipendenti.pro";
        return SheetExport::exportArchive(*SheetExport::forArchive(from), from, d + "Anagrafica_Lavoratori.xls").written;
    }
    if (kind == "rtf")
        return ProjectRtf::write(d + "Progetto.rtf", Numbered::bytes(i + 1, 300000));
    if (kind == "backup")
        return replace(d + "Dipendenti.pro", Numbered::bytes(i + 1, Numbered::WorkersSize))
            && replace(d + "2017.lav", Numbered::bytes(i + 1, Numbered::LogSize))
            && Backup::run(d, base.addSecs(i)).status == Backup::Outcome::Made;
    if (kind == "restore")
        return Backup::restore(d, i % 2 ? "2017-06-01_080000" : "2017-06-02_080000", base.addSecs(i)).ok;
    return false;
}

}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const QString kind = QString::fromLocal8Bit(argv[1]);
    const QString dir = QString::fromLocal8Bit(argv[2]) + '/';
    for (int i = 0;; ++i) {
        if (!step(kind, dir, i)) {
            std::fprintf(stderr, "%s %d failed\n", argv[1], i);
            return 1;
        }
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
}
