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

int registeredLength(QStringView country)
{
    // IBAN lengths by country code, as registered under ISO 13616.
    static const struct { char code[3]; int length; } lengths[] = {
        {"AD", 24}, {"AE", 23}, {"AL", 28}, {"AT", 20}, {"AZ", 28}, {"BA", 20}, {"BE", 16}, {"BG", 22},
        {"BH", 22}, {"BI", 27}, {"BR", 29}, {"BY", 28}, {"CH", 21}, {"CR", 22}, {"CY", 28}, {"CZ", 24},
        {"DE", 22}, {"DJ", 27}, {"DK", 18}, {"DO", 28}, {"EE", 20}, {"EG", 29}, {"ES", 24}, {"FI", 18},
        {"FK", 18}, {"FO", 18}, {"FR", 27}, {"GB", 22}, {"GE", 22}, {"GI", 23}, {"GL", 18}, {"GR", 27},
        {"GT", 28}, {"HR", 21}, {"HU", 28}, {"IE", 22}, {"IL", 23}, {"IQ", 23}, {"IS", 26}, {"IT", 27},
        {"JO", 30}, {"KW", 30}, {"KZ", 20}, {"LB", 28}, {"LC", 32}, {"LI", 21}, {"LT", 20}, {"LU", 20},
        {"LV", 21}, {"LY", 25}, {"MC", 27}, {"MD", 24}, {"ME", 22}, {"MK", 19}, {"MN", 20}, {"MR", 27},
        {"MT", 31}, {"MU", 30}, {"NI", 28}, {"NL", 18}, {"NO", 15}, {"OM", 23}, {"PK", 24}, {"PL", 28},
        {"PS", 29}, {"PT", 25}, {"QA", 29}, {"RO", 24}, {"RS", 22}, {"RU", 33}, {"SA", 24}, {"SC", 31},
        {"SD", 18}, {"SE", 24}, {"SI", 19}, {"SK", 24}, {"SM", 27}, {"SO", 23}, {"ST", 25}, {"SV", 28},
        {"TL", 23}, {"TN", 24}, {"TR", 26}, {"UA", 29}, {"VA", 22}, {"VG", 24}, {"XK", 20}, {"YE", 30},
    };
    for (const auto &l : lengths)
        if (country == QLatin1String(l.code, 2))
            return l.length;
    return 0;
}

Outcome check(const QString &text)
{
    QString iban = Routines::trimmed(text);
    // Italian accounts are 27 characters; a shorter one is judged when its country's accounts
    // have exactly its length, as a worker may be paid into any account of the euro area.
    if (iban.size() > 27 || (iban.size() < 27 && registeredLength(Routines::upperAZ(iban.left(2))) != iban.size())
        || iban.isEmpty())
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
