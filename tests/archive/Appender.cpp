// Appends COUNT records tagged with WRITER to ARCHIVE, for the concurrent-append test.
#include "archive/ArchiveFile.h"

#include <QByteArray>
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 4)
        return 2;
    const int size = 4043;
    const int count = QByteArray(argv[3]).toInt();
    for (int i = 0; i < count; ++i) {
        QByteArray record(size, char('A' + QByteArray(argv[2]).toInt()));
        const QByteArray tag = QByteArray(argv[2]) + ':' + QByteArray::number(i) + ';';
        record.replace(0, tag.size(), tag);
        record[size - 1] = '#';
        ArchiveFile a(QString::fromLocal8Bit(argv[1]), size);
        if (!a.openOrCreate() || a.appendRecord(record) == 0 || !a.close()) {
            std::fprintf(stderr, "%s\n", qPrintable(a.errorText()));
            return 1;
        }
        // Acknowledged: the test killing this writer expects every such card in the file.
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
    return 0;
}
