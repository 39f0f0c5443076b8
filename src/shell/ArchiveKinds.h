#pragma once
#include "archive/RecordLayout.h"

#include <QString>
#include <QStringList>

// Which record layout an archive file uses, told by its name.
struct ArchiveKind {
    QString name;                 // "lavoratori", "lavori", ...
    const RecordLayout *layout;   // null when the file name is not one of ours
};

namespace ArchiveKinds {
ArchiveKind forFile(const QString &path);

// The fields of a kind's record that no screen shows (a reserved area): whatever another
// program left there is not the user's text, so no search looks at it.
const QStringList &unshownFields(const QString &kind);
}
