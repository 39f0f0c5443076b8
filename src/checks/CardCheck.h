#pragma once
#include "framework/Message.h"

#include <QString>

// The Luhn check of a payment card number and its type by the first digit.
namespace CardCheck {

enum class Outcome {
    Empty,         // refused: the screen stays open for correction
    Valid,
    WrongNumber,   // the Luhn check fails
    UnknownType,   // the Luhn check passes, but no type is known for the number
};

struct Result {
    Outcome outcome = Outcome::Empty;
    QString entry;   // the trimmed entry, as repeated in the message
    QString type;    // the card type when valid
};

Result check(const QString &text);
// The digits among the first 20 characters of the entry.
QString digitString(const QString &entry);
// False for an empty string.
bool luhnValid(QStringView digits);
// The type for the first digit of the digit string and the first two characters of the
// trimmed entry; empty when the table names none.
QString cardType(QStringView digits, QStringView entry);
Message message(const Result &result);

}
