#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>

// Windows-1252, the code page of every archive. A character the code page cannot hold
// becomes '?'.
namespace Cp1252 {

// The characters of bytes 0x80..0x9F; every other byte is the Latin-1 character of its
// own value. The five bytes the code page leaves unassigned stand for the C1 controls of
// the same value, as the platform's converter reads them.
inline constexpr std::array<char16_t, 32> C1Block{
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178'};

constexpr char16_t toUnicode(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? C1Block[byte - 0x80] : char16_t(byte);
}

// The byte of a character, or -1 when the code page has none.
constexpr int fromUnicode(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (C1Block[size_t(i)] == c)
            return 0x80 + i;
    return -1;
}

QByteArray encode(const QString &text);
QString decode(QByteArrayView bytes);

}
