#include "checks/CodFiscCheck.h"

#include "framework/Routines.h"

#include <array>

namespace CodFiscCheck {

namespace {

// Indexed by character code - '0', from "0" to "Z". The seven signs between "9" and "A"
// count 0, as in the published tables.
constexpr int TableSize = 'Z' - '0' + 1;

constexpr std::array<int, TableSize> oddTable()
{
    // Odd positions: 0-9 take the values of A-J.
    constexpr int letters[26] = {1, 0, 5, 7, 9, 13, 15, 17, 19, 21, 2, 4, 18,
                                 20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};
    std::array<int, TableSize> t{};
    for (int i = 0; i < 10; ++i)
        t[i] = letters[i];
    for (int i = 0; i < 26; ++i)
        t['A' - '0' + i] = letters[i];
    return t;
}

constexpr std::array<int, TableSize> evenTable()
{
    // Even positions: 0-9 count 0-9, A-Z count 0-25.
    std::array<int, TableSize> t{};
    for (int i = 0; i < 10; ++i)
        t[i] = i;
    for (int i = 0; i < 26; ++i)
        t['A' - '0' + i] = i;
    return t;
}

constexpr auto Odd = oddTable();
constexpr auto Even = evenTable();

}

std::optional<QChar> checkCharacter(QStringView first15)
{
    if (first15.size() != 15)
        return std::nullopt;
    int sum = 0;
    for (qsizetype i = 0; i < 15; ++i) {
        const char16_t c = first15[i].unicode();
        if (c < u'0' || c > u'Z')
            return std::nullopt;
        // i is 0-based: position 1 (odd) is i = 0.
        sum += (i % 2 == 0 ? Odd : Even)[c - u'0'];
    }
    return QChar(char16_t(u'A' + sum % 26));
}

Outcome check(const QString &text)
{
    const QString code = Routines::upperAZ(text);
    if (code.size() != 16)
        return Outcome::WrongLength;
    const std::optional<QChar> expected = checkCharacter(QStringView(code).first(15));
    return expected && *expected == code.at(15) ? Outcome::Valid : Outcome::Invalid;
}

Message message(Outcome outcome)
{
    switch (outcome) {
    case Outcome::WrongLength:
        return {MessageKind::Warning,
                QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri "
                               "alfanumerici.")};
    case Outcome::Valid:
        return {MessageKind::Information, QStringLiteral("Il codice fiscale digitato è VALIDO.")};
    case Outcome::Invalid:
        return {MessageKind::Warning, QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO.")};
    }
    return {};
}

}
