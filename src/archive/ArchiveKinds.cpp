#include "archive/ArchiveKinds.h"

#include "workers/WorkerRecord.h"

#include <QFileInfo>

namespace ArchiveKinds {

ArchiveKind forFile(const QString &path)
{
    const QString file = QFileInfo(path).fileName();
    if (file.compare(WorkerRecord::fileName(), Qt::CaseInsensitive) == 0)
        return {QStringLiteral("lavoratori"), &WorkerRecord::layout()};
    return {QString(), nullptr};
}

}
