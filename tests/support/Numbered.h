#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>

// Content that says which version it is and whether it is whole: "N:" then a filler that
// depends on N, ending with '#'. A file cut short or mixed from two versions does not parse.
namespace Numbered {

inline QByteArray bytes(int n, int size)
{
    const QByteArray head = QByteArray::number(n) + ':';
    QByteArray b = head + QByteArray(size - head.size() - 1, char('a' + n % 26));
    return b + '#';
}

// The version the bytes hold, -1 when they are not whole.
inline int version(const QByteArray &b)
{
    const qsizetype colon = b.indexOf(':');
    bool ok = false;
    const int n = colon > 0 ? b.left(colon).toInt(&ok) : -1;
    return ok && n >= 0 && b == bytes(n, int(b.size())) ? n : -1;
}

inline QByteArray read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The archives the backup and restore trials write: several records each.
inline constexpr int WorkersSize = 4043 * 40;
inline constexpr int LogSize = 2913 * 60;

}
