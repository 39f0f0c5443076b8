#pragma once
#include "archive/RecordLayout.h"

#include <QByteArray>
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

// The expected bytes of a stored record of `size` bytes, built from the published offsets:
// at each offset the text's length byte, then the text; zeros elsewhere.
inline QByteArray atOffsets(int size, const QList<QPair<int, QByteArray>> &fields)
{
    QByteArray r(size, '\0');
    for (const auto &[offset, text] : fields) {
        r[offset] = char(text.size());
        r.replace(offset + 1, text.size(), text);
    }
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
