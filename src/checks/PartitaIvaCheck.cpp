#include "checks/PartitaIvaCheck.h"

#include "framework/Routines.h"

#include <array>

namespace PartitaIvaCheck {

namespace {

// Offices 001 to 102 in order; 120 and 121 repeat the names of 101 and 102.
constexpr std::array<const char *, 102> Offices{{
    "Torino", "Vercelli", "Novara", "Cuneo", "Asti", "Alessandria", "Aosta", "Imperia",
    "Savona", "Genova 1", "La Spezia", "Varese", "Como", "Sondrio", "Milano 1", "Bergamo",
    "Brescia 1", "Pavia", "Cremona", "Mantova", "Bolzano", "Trento", "Verona", "Vicenza",
    "Belluno", "Treviso", "Venezia", "Padova", "Rovigo", "Udine", "Gorizia", "Trieste",
    "Piacenza", "Parma", "Reggio Emilia", "Modena", "Bologna 1", "Ferrara", "Ravenna",
    "Forlì", "Pesaro", "Ancona", "Macerata", "Ascoli Piceno", "Massa Carrara", "Lucca",
    "Pistoia", "Firenze 1", "Livorno", "Pisa", "Arezzo", "Siena", "Grosseto", "Perugia",
    "Terni", "Viterbo", "Rieti", "Roma 1", "Latina", "Frosinone", "Caserta", "Benevento",
    "Napoli 1", "Avellino", "Salerno", "Aquila", "Teramo", "Pescara", "Chieti", "Campobasso",
    "Foggia", "Bari", "Taranto", "Brindisi", "Lecce", "Potenza", "Matera", "Cosenza",
    "Catanzaro", "Reggio Calabria", "Trapani", "Palermo", "Messina", "Agrigento",
    "Caltanissetta", "Enna", "Catania", "Ragusa", "Siracusa", "Sassari", "Nuoro", "Cagliari",
    "Pordenone", "Isernia", "Oristano", "Monza (Milano 2)", "Prato (Firenze 2)", "Brescia 2",
    "Chiavari (Genova 2)", "Roma 2", "Bologna 2", "Napoli 2",
}};

int digit(const QString &s, qsizetype i)
{
    return s.at(i).unicode() - u'0';
}

}

QString officeName(int code)
{
    if (code == 120 || code == 121)
        code -= 19;
    if (code < 1 || code > int(Offices.size()))
        return QString();
    return QString::fromUtf8(Offices[size_t(code - 1)]);
}

Result check(const QString &text)
{
    const QString number = Routines::upperAZ(text);
    if (number.size() != 11)
        return {Outcome::WrongLength, -1, QString()};
    if (!Routines::isDigits(number))
        return {Outcome::Invalid, -1, QString()};
    int sum = 0;
    for (qsizetype i = 0; i < 10; ++i) {
        const int d = digit(number, i);
        // i is 0-based: the even positions are the odd indexes.
        sum += i % 2 == 0 ? d : (2 * d) / 10 + (2 * d) % 10;
    }
    if (digit(number, 10) != (10 - sum % 10) % 10)
        return {Outcome::Invalid, -1, QString()};
    const int office = number.mid(7, 3).toInt();
    return {Outcome::Valid, office, officeName(office)};
}

Message message(const Result &result)
{
    switch (result.outcome) {
    case Outcome::WrongLength:
        return {MessageKind::Warning,
                QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri "
                               "numerici.")};
    case Outcome::Valid:
        return {MessageKind::Information,
                QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                               "E' stato rilasciato dall'Ufficio IVA del Comune di ")
                    + result.officeName + QLatin1Char('.')};
    case Outcome::Invalid:
        return {MessageKind::Warning,
                QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
                               "Non è quindi possibile fornire informazioni relative all'Ufficio IVA "
                               "che lo ha rilasciato.")};
    }
    return {};
}

}
