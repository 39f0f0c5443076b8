#include "checks/CardCheck.h"
#include "checks/IbanCheck.h"

#include <QtTest>

class TestPaymentChecks : public QObject
{
    Q_OBJECT
private slots:
    void iban_data()
    {
        QTest::addColumn<QString>("iban");
        QTest::addColumn<IbanCheck::Outcome>("outcome");
        using O = IbanCheck::Outcome;
        QTest::newRow("Italian") << "IT60X0542811101000000123456" << O::Valid;
        QTest::newRow("small letters") << "it60x0542811101000000123456" << O::Valid;
        QTest::newRow("blanks around") << "  IT60X0542811101000000123456 " << O::Valid;
        QTest::newRow("San Marino") << "SM86U0322509800000000270100" << O::Valid;
        QTest::newRow("French, letter inside") << "FR1420041010050500013M02606" << O::Valid;
        QTest::newRow("Greek") << "GR1601101250000000012300695" << O::Valid;
        QTest::newRow("last digit changed") << "IT60X0542811101000000123457" << O::Invalid;
        QTest::newRow("check digits changed") << "IT61X0542811101000000123456" << O::Invalid;
        QTest::newRow("letter changed") << "IT60Y0542811101000000123456" << O::Invalid;
        QTest::newRow("country changed") << "IE60X0542811101000000123456" << O::Invalid;
        QTest::newRow("hyphen in the first piece") << "IT60-0542811101000000100039" << O::Invalid;
        QTest::newRow("accented letter") << "IT60È0542811101000000123456" << O::Invalid;
        QTest::newRow("blanks every four") << "IT60 X054 2811 1010 0000 0123 456" << O::WrongLength;
        QTest::newRow("26 characters") << "IT60X054281110100000012345" << O::WrongLength;
        QTest::newRow("word IBAN in front") << "IBANIT60X0542811101000000123456" << O::WrongLength;
        QTest::newRow("empty") << "" << O::WrongLength;
        // Shorter accounts of other countries are judged at their own registered length.
        QTest::newRow("German") << "DE89370400440532013000" << O::Valid;
        QTest::newRow("German, small letters") << "de89370400440532013000" << O::Valid;
        QTest::newRow("German, digit changed") << "DE89370400440532013001" << O::Invalid;
        QTest::newRow("Dutch") << "NL91ABNA0417164300" << O::Valid;
        QTest::newRow("Dutch, letter changed") << "NL91ABNB0417164300" << O::Invalid;
        QTest::newRow("Belgian") << "BE68539007547034" << O::Valid;
        QTest::newRow("German, one short") << "DE8937040044053201300" << O::WrongLength;
        QTest::newRow("Dutch with blanks") << "NL91 ABNA 0417 1643 00" << O::WrongLength;
        QTest::newRow("German length, Dutch code") << "NL89370400440532013000" << O::WrongLength;
        QTest::newRow("unknown country") << "XX89370400440532013000" << O::WrongLength;
    }
    void iban()
    {
        QFETCH(QString, iban);
        QFETCH(IbanCheck::Outcome, outcome);
        QCOMPARE(IbanCheck::check(iban), outcome);
    }

    void remainderPiecewise_data()
    {
        QTest::addColumn<QString>("digits");
        QTest::addColumn<int>("remainder");   // -1: not a number
        QTest::newRow("short") << "100" << 3;
        QTest::newRow("nine digits") << "999999999" << int(999999999 % 97);
        QTest::newRow("30 digits") << "123456789012345678901234567890" << 52;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("letter") << "12A4" << -1;
    }
    void remainderPiecewise()
    {
        QFETCH(QString, digits);
        QFETCH(int, remainder);
        QCOMPARE(IbanCheck::remainder97(digits).value_or(-1), remainder);
    }

    void ibanMessages()
    {
        using IbanCheck::message;
        using O = IbanCheck::Outcome;
        QCOMPARE(message(O::Valid).kind, MessageKind::Information);
        QCOMPARE(message(O::Valid).text, QString("L'IBAN digitato è VALIDO."));
        QCOMPARE(message(O::Invalid).kind, MessageKind::Warning);
        QCOMPARE(message(O::Invalid).text, QString("Attenzione: l'IBAN digitato è ERRATO!"));
        QCOMPARE(message(O::WrongLength).kind, MessageKind::Warning);
        QCOMPARE(message(O::WrongLength).text,
                 QString("Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici."));
    }

    void card_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<CardCheck::Outcome>("outcome");
        QTest::addColumn<QString>("type");
        using O = CardCheck::Outcome;
        QTest::newRow("Visa") << "4111111111111111" << O::Valid << "Visa";
        QTest::newRow("MasterCard") << "5555555555554444" << O::Valid << "MasterCard";
        QTest::newRow("American Express") << "378282246310005" << O::Valid << "American Express";
        QTest::newRow("Discover") << "6011111111111117" << O::Valid << "Discover";
        QTest::newRow("Diner's Club") << "30569309025904" << O::Valid << "Diner's Club / Carte Blanche";
        QTest::newRow("JCB") << "3530111333300000" << O::Valid << "JCB";
        QTest::newRow("grouped by blanks") << "4111 1111 1111 1111" << O::Valid << "Visa";
        QTest::newRow("blanks around") << "  378282246310005 " << O::Valid << "American Express";
        QTest::newRow("22 digits, right on the first 20") << "4000000000000000001012" << O::Valid << "Visa";
        QTest::newRow("22 digits, right only on all 22") << "4000000000000000001307" << O::WrongNumber << "";
        QTest::newRow("characters past the 20th ignored") << "4111-1111-1111-1111-9" << O::Valid << "Visa";
        QTest::newRow("check digit wrong") << "4111111111111112" << O::WrongNumber << "";
        QTest::newRow("no digits") << "ABC" << O::WrongNumber << "";
        QTest::newRow("first digit 7") << "7000000000000005" << O::UnknownType << "";
        QTest::newRow("first digit 0") << "0" << O::UnknownType << "";
        QTest::newRow("3 with prefix 32") << "3200000000000002" << O::UnknownType << "";
        QTest::newRow("3 with prefix 39") << "3900000000000005" << O::UnknownType << "";
        QTest::newRow("prefix taken from the entry") << "3 78282246310005" << O::UnknownType << "";
        QTest::newRow("blanks only") << "   " << O::Empty << "";
    }
    void card()
    {
        QFETCH(QString, number);
        QFETCH(CardCheck::Outcome, outcome);
        QFETCH(QString, type);
        const CardCheck::Result r = CardCheck::check(number);
        QCOMPARE(r.outcome, outcome);
        QCOMPARE(r.type, type);
    }

    void cardMessages()
    {
        using CardCheck::message;
        const Message visa = message(CardCheck::check(" 4111 1111 1111 1111 "));
        QCOMPARE(visa.kind, MessageKind::Information);
        QCOMPARE(visa.text, QString("Il numero di carta di credito 4111 1111 1111 1111 risulta valido.\r\n\r\n"
                                    "La carta di credito è del tipo Visa."));
        const QString wrong("Attenzione: il numero digitato risulta ERRATO!\r\n\r\nNon è quindi possibile "
                            "fornire informazioni relative al tipo di carta di credito.");
        for (const char *number : {"4111111111111112", "7000000000000005", "3900000000000005"}) {
            const Message m = message(CardCheck::check(number));
            QCOMPARE(m.kind, MessageKind::Warning);
            QCOMPARE(m.text, wrong);
        }
        const Message empty = message(CardCheck::check(""));
        QCOMPARE(empty.kind, MessageKind::Warning);
        QCOMPARE(empty.text, QString("Attenzione: immettere il numero di carta di credito prima di premere "
                                     "il pulsante di controllo."));
    }
};

QTEST_GUILESS_MAIN(TestPaymentChecks)
#include "TestPaymentChecks.moc"
