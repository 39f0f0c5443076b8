#pragma once
#include "framework/Message.h"

#include <QString>
#include <optional>

// The check character of a 16-character codice fiscale. Only that character is verified.
namespace CodFiscCheck {

enum class Outcome {
    WrongLength,   // refused: the screen stays open for correction
    Valid,
    Invalid,       // wrong check character, or a character outside "0".."Z"
};

// The text as typed; it is upper-cased (a-z) but not trimmed.
Outcome check(const QString &text);
// The check character of the first 15 characters, or nothing when one of them lies
// outside the conversion tables.
std::optional<QChar> checkCharacter(QStringView first15);
Message message(Outcome outcome);

}
