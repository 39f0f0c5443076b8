#pragma once
#include "archive/RecordLayout.h"

#include <QString>

// Which record layout an archive file uses, told by its name.
struct ArchiveKind {
    QString name;                 // "lavoratori", "lavori", ...
    const RecordLayout *layout;   // null when the file name is not one of ours
};

namespace ArchiveKinds {
ArchiveKind forFile(const QString &path);
}
