#include "archive/TextCodec.h"

#include <QList>
#include <QStringEncoder>

namespace Cp1252 {

namespace {

// Text with a character outside the code page goes through the platform's converter, which
// also drops the invisible formatting characters; ordinary text never loads it.
QByteArray encodeRare(const QString &text)
{
    thread_local QStringEncoder encoder("windows-1252");
    encoder.resetState();
    QByteArray out = encoder.encode(text);
    // The converter writes SUB (0x1A) for what it cannot map, one byte per code point;
    // put '?' there unless the text really held U+001A.
    if (out.contains('\x1a')) {
        const QList<uint> points = text.toUcs4();
        for (qsizetype i = 0; i < out.size() && i < points.size(); ++i)
            if (out.at(i) == '\x1a' && points.at(i) != 0x1a)
                out[i] = '?';
    }
    return out;
}

}

QByteArray encode(const QString &text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char *o = out.data();
    for (const QChar c : text) {
        const int b = fromUnicode(c.unicode());
        if (b < 0)
            return encodeRare(text);
        *o++ = char(b);
    }
    return out;
}

QString decode(QByteArrayView bytes)
{
    if (bytes.isNull())
        return QString();
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t *o = reinterpret_cast<char16_t *>(out.data());
    for (const char b : bytes)
        *o++ = toUnicode(static_cast<unsigned char>(b));
    return out;
}

}
