#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Windows-1252, the code page of every archive. A character the code page cannot hold
// becomes '?'.
namespace Cp1252 {
QByteArray encode(const QString &text);
QString decode(QByteArrayView bytes);
}
