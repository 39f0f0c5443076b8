#pragma once
#include "archive/RecordLayout.h"

#include <QFile>
#include <QList>
#include <QPair>
#include <QString>

// Builds records field by field and writes them as an archive file.
namespace RecordFiles {
using Fields = QList<QPair<QString, QString>>;

inline Record make(const RecordLayout &layout, const Fields &fields)
{
    Record r(layout);
    for (const auto &[name, text] : fields)
        r.set(name, text);
    return r;
}

inline bool write(const QString &path, const QList<Record> &records)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    for (const Record &r : records)
        f.write(r.bytes());
    return true;
}
}
