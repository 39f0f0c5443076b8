#include "checks/CardCheck.h"

#include "framework/Routines.h"

namespace CardCheck {

QString digitString(const QString &entry)
{
    QString digits;
    for (QChar c : QStringView(entry).first(qMin<qsizetype>(20, entry.size())))
        if (c >= u'0' && c <= u'9')
            digits += c;
    return digits;
}

bool luhnValid(QStringView digits)
{
    if (digits.isEmpty())
        return false;
    int sum = 0;
    bool doubled = true;   // the digit just before the check digit is doubled
    for (qsizetype i = digits.size() - 2; i >= 0; --i, doubled = !doubled) {
        int d = digits[i].unicode() - u'0';
        if (doubled) {
            d *= 2;
            if (d > 9)
                d -= 9;
        }
        sum += d;
    }
    return digits.back().unicode() - u'0' == (10 - sum % 10) % 10;
}

QString cardType(QStringView digits, QStringView entry)
{
    if (digits.isEmpty())
        return QString();
    switch (digits.front().unicode()) {
    case u'3': {
        const QStringView prefix = entry.first(qMin<qsizetype>(2, entry.size()));
        if (prefix == u"30" || prefix == u"36" || prefix == u"38")
            return QStringLiteral("Diner's Club / Carte Blanche");
        if (prefix == u"34" || prefix == u"37")
            return QStringLiteral("American Express");
        if (prefix == u"31" || prefix == u"33" || prefix == u"35")
            return QStringLiteral("JCB");
        return QString();
    }
    case u'4':
        return QStringLiteral("Visa");
    case u'5':
        return QStringLiteral("MasterCard");
    case u'6':
        return QStringLiteral("Discover");
    default:
        return QString();
    }
}

Result check(const QString &text)
{
    Result r;
    r.entry = Routines::trimmed(text);
    if (r.entry.isEmpty())
        return r;
    const QString digits = digitString(r.entry);
    if (!luhnValid(digits)) {
        r.outcome = Outcome::WrongNumber;
        return r;
    }
    r.type = cardType(digits, r.entry);
    r.outcome = r.type.isEmpty() ? Outcome::UnknownType : Outcome::Valid;
    return r;
}

Message message(const Result &result)
{
    switch (result.outcome) {
    case Outcome::Empty:
        return {MessageKind::Warning,
                QStringLiteral("Attenzione: immettere il numero di carta di credito prima di premere "
                               "il pulsante di controllo.")};
    case Outcome::Valid:
        return {MessageKind::Information,
                QStringLiteral("Il numero di carta di credito ") + result.entry
                    + QStringLiteral(" risulta valido.\r\n\r\nLa carta di credito è del tipo ")
                    + result.type + QLatin1Char('.')};
    case Outcome::WrongNumber:
    case Outcome::UnknownType:
        return {MessageKind::Warning,
                QStringLiteral("Attenzione: il numero digitato risulta ERRATO!\r\n\r\n"
                               "Non è quindi possibile fornire informazioni relative al tipo di carta "
                               "di credito.")};
    }
    return {};
}

}
