#include "archive/TextCodec.h"

#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>

namespace Cp1252 {

QByteArray encode(const QString &text)
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

QString decode(QByteArrayView bytes)
{
    // Plain ASCII needs no converter: most stored text is.
    bool ascii = true;
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return QString::fromLatin1(bytes);
    thread_local QStringDecoder decoder("windows-1252");
    decoder.resetState();
    return decoder.decode(bytes);
}

}
