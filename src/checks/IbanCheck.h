#pragma once
#include "framework/Message.h"

#include <QString>
#include <optional>

// The ISO 13616 mod-97 check of an IBAN of 27 characters (the Italian length), or of the
// length registered for the country it names when it is shorter.
namespace IbanCheck {

enum class Outcome {
    WrongLength,   // refused: the screen stays open for correction
    Valid,
    Invalid,
};

// Trimmed first; inner spaces count towards the length.
Outcome check(const QString &text);
// The length of the IBANs of a country (two capitals), 0 for a code without IBANs.
int registeredLength(QStringView country);
// The remainder modulo 97 of a digit string, nine digits at a time; nothing when the
// string is empty or holds anything but digits.
std::optional<int> remainder97(QStringView digits);
Message message(Outcome outcome);

}
