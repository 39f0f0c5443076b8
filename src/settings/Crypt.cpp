#include "settings/Crypt.h"

namespace Crypt {

namespace {
quint16 nextKey(quint16 key, quint8 scrambled)
{
    // Unsigned arithmetic modulo 2^16 throughout: truncating once at the end gives the
    // same value as wrapping after every step.
    return quint16((uint(scrambled) + key) * Multiplier + Addend);
}

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}
}

QString scramble(const QString &text)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    QString out;
    out.reserve(text.size() * 2);
    quint16 key = InitialKey;
    for (QChar c : text) {
        const quint8 s = quint8(c.unicode() & 0xFF) ^ quint8(key >> 8);
        out += QLatin1Char(digits[s >> 4]);
        out += QLatin1Char(digits[s & 0x0F]);
        key = nextKey(key, s);
    }
    return out;
}

std::optional<QString> unscramble(const QString &hex)
{
    const qsizetype n = hex.size() / 2;
    QString out;
    out.reserve(n);
    quint16 key = InitialKey;
    for (qsizetype i = 0; i < n; ++i) {
        const int hi = hexValue(hex.at(2 * i));
        const int lo = hexValue(hex.at(2 * i + 1));
        if (hi < 0 || lo < 0)
            return std::nullopt;
        const quint8 b = quint8(hi << 4 | lo);
        out += QChar(char16_t(b ^ quint8(key >> 8)));
        key = nextKey(key, b);
    }
    return out;
}

}
