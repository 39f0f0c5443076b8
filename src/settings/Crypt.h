#pragma once
#include <QString>
#include <QtGlobal>

#include <optional>

// The reversible scrambling of the stored password: a byte stream cipher whose 16-bit key
// follows the scrambled bytes. Every character counts by its low 8 bits only.
namespace Crypt {

inline constexpr quint16 InitialKey = 0x3B19;
inline constexpr quint16 Multiplier = 0x7A53;
inline constexpr quint16 Addend = 0x14E9;

// Two capital hexadecimal digits per character.
QString scramble(const QString &text);
// Reads pairs of hexadecimal digits in either case; an odd last digit is ignored. Fails
// when a pair is not hexadecimal.
std::optional<QString> unscramble(const QString &hex);

}
