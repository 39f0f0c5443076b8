// Runs every fuzz target over its stored corpus: the ordinary build's guard that no input
// that once mattered breaks again.
#include "FuzzTargets.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QDir corpus(QStringLiteral(VELTARO_FUZZ_CORPUS));
    int inputs = 0;
    for (const FuzzEntry &t : FuzzTargets) {
        const QDir dir(corpus.filePath(QLatin1String(t.name)));
        for (const QString &name : dir.entryList(QDir::Files)) {
            QFile f(dir.filePath(name));
            if (!f.open(QIODevice::ReadOnly))
                return 2;
            const QByteArray bytes = f.readAll();
            t.run(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
            ++inputs;
        }
    }
    std::printf("%d passed, 0 failed\n", inputs);
    return inputs > 0 ? 0 : 1;
}
