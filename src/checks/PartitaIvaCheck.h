#pragma once
#include "framework/Message.h"

#include <QString>

// The check digit of an 11-digit partita IVA, and the VAT office named by its digits 8 to 10.
namespace PartitaIvaCheck {

enum class Outcome {
    WrongLength,   // refused: the screen stays open for correction
    Valid,
    Invalid,       // a character that is not a digit, or a wrong check digit
};

struct Result {
    Outcome outcome = Outcome::WrongLength;
    int officeCode = -1;   // digits 8 to 10 when valid
    QString officeName;    // empty for a code the table does not name
};

// The text as typed; it is upper-cased (a-z) but not trimmed.
Result check(const QString &text);
// The office of a three-digit code, or an empty text.
QString officeName(int code);
Message message(const Result &result);

}
