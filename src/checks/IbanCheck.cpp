#include "checks/IbanCheck.h"

#include "framework/Routines.h"

namespace IbanCheck {

std::optional<int> remainder97(QStringView digits)
{
    if (digits.isEmpty())
        return std::nullopt;
    // The carry and the next piece together never pass nine digits, so int is enough.
    int carry = 0;
    qsizetype start = 0;
    qsizetype piece = 9;
    while (start < digits.size()) {
        for (QChar c : digits.sliced(start, qMin(piece, digits.size() - start))) {
            if (c < u'0' || c > u'9')
                return std::nullopt;
            carry = carry * 10 + (c.unicode() - u'0');
        }
        carry %= 97;
        start += piece;
        piece = 9 - (carry < 10 ? 1 : 2);
    }
    return carry;
}

Outcome check(const QString &text)
{
    QString iban = Routines::trimmed(text);
    if (iban.size() != 27)
        return Outcome::WrongLength;
    iban.remove(QLatin1Char(' '));
    iban = Routines::upperAZ(iban);
    const qsizetype word = iban.indexOf(QLatin1String("IBAN"));
    if (word >= 0)
        iban.remove(word, 4);
    iban = iban.mid(4) + iban.left(4);

    QString digits;
    digits.reserve(iban.size() * 2);
    for (QChar c : iban) {
        if (c >= u'A' && c <= u'Z')
            digits += QString::number(c.unicode() - u'A' + 10);
        else
            digits += c;
    }
    // Any sign that is neither a digit nor a letter makes the whole IBAN wrong, wherever
    // it stands: a later piece must not be able to bring the remainder back to 1.
    return remainder97(digits) == 1 ? Outcome::Valid : Outcome::Invalid;
}

Message message(Outcome outcome)
{
    switch (outcome) {
    case Outcome::WrongLength:
        return {MessageKind::Warning,
                QStringLiteral("Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici.")};
    case Outcome::Valid:
        return {MessageKind::Information, QStringLiteral("L'IBAN digitato è VALIDO.")};
    case Outcome::Invalid:
        return {MessageKind::Warning, QStringLiteral("Attenzione: l'IBAN digitato è ERRATO!")};
    }
    return {};
}

}
