#include "checks/CodFiscCheck.h"
#include "checks/PartitaIvaCheck.h"

#include <QtTest>


class TestTaxChecks : public QObject
{
    Q_OBJECT
private slots:
    void codiceFiscale_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<CodFiscCheck::Outcome>("outcome");
        QTest::newRow("valid") << "RSSMRA85T10A562S" << CodFiscCheck::Outcome::Valid;
        QTest::newRow("valid, small letters") << "rssmra85t10a562s" << CodFiscCheck::Outcome::Valid;
        QTest::newRow("valid, another") << "MRTMTT25D09F205Z" << CodFiscCheck::Outcome::Valid;
        QTest::newRow("valid, another 2") << "BNCGVN70M41L219U" << CodFiscCheck::Outcome::Valid;
        QTest::newRow("valid, letters for digits") << "RSSMRA85T10A56NH" << CodFiscCheck::Outcome::Valid;
        QTest::newRow("sign between 9 and A counts 0, odd") << "RS@MRA85T10A562G" << CodFiscCheck::Outcome::Valid;
        QTest::newRow("sign between 9 and A counts 0, even") << "RSS:RA85T10A562G" << CodFiscCheck::Outcome::Valid;
        QTest::newRow("last letter changed") << "RSSMRA85T10A562T" << CodFiscCheck::Outcome::Invalid;
        QTest::newRow("digit changed") << "RSSMRA86T10A562S" << CodFiscCheck::Outcome::Invalid;
        QTest::newRow("two neighbours swapped") << "RSSMRA58T10A562S" << CodFiscCheck::Outcome::Invalid;
        QTest::newRow("blank inside") << "RSSMRA85 10A562S" << CodFiscCheck::Outcome::Invalid;
        QTest::newRow("hyphen") << "RSSMRA85-10A562S" << CodFiscCheck::Outcome::Invalid;
        QTest::newRow("accented letter") << "RSSMRÀ85T10A562S" << CodFiscCheck::Outcome::Invalid;
        QTest::newRow("digit as check character") << "RSSMRA85T10A5620" << CodFiscCheck::Outcome::Invalid;
        QTest::newRow("15 characters") << "RSSMRA85T10A562" << CodFiscCheck::Outcome::WrongLength;
        QTest::newRow("17 characters") << "RSSMRA85T10A562SS" << CodFiscCheck::Outcome::WrongLength;
        QTest::newRow("blank after, not trimmed") << "RSSMRA85T10A562S " << CodFiscCheck::Outcome::WrongLength;
        QTest::newRow("empty") << "" << CodFiscCheck::Outcome::WrongLength;
    }
    void codiceFiscale()
    {
        QFETCH(QString, code);
        QFETCH(CodFiscCheck::Outcome, outcome);
        QCOMPARE(CodFiscCheck::check(code), outcome);
    }

    void codiceFiscaleMessages()
    {
        using CodFiscCheck::message;
        const Message valid = message(CodFiscCheck::Outcome::Valid);
        QCOMPARE(valid.kind, MessageKind::Information);
        QCOMPARE(valid.text, QString("Il codice fiscale digitato è VALIDO."));
        const Message wrong = message(CodFiscCheck::Outcome::Invalid);
        QCOMPARE(wrong.kind, MessageKind::Warning);
        QCOMPARE(wrong.text, QString("Attenzione: il codice fiscale digitato è ERRATO."));
        const Message length = message(CodFiscCheck::Outcome::WrongLength);
        QCOMPARE(length.kind, MessageKind::Warning);
        QCOMPARE(length.text,
                 QString("Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici."));
    }

    void partitaIva_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<PartitaIvaCheck::Outcome>("outcome");
        QTest::addColumn<int>("office");
        QTest::addColumn<QString>("name");
        using O = PartitaIvaCheck::Outcome;
        QTest::newRow("Milano 1") << "11111110158" << O::Valid << 15 << "Milano 1";
        QTest::newRow("office not named") << "12345678903" << O::Valid << 890 << "";
        QTest::newRow("first office") << "00000000018" << O::Valid << 1 << "Torino";
        QTest::newRow("non-ASCII name") << "09876540403" << O::Valid << 40 << "Forlì";
        QTest::newRow("last of the run") << "01234561023" << O::Valid << 102 << "Napoli 2";
        QTest::newRow("just past the run") << "01234561031" << O::Valid << 103 << "";
        QTest::newRow("120 repeats 101") << "01234561205" << O::Valid << 120 << "Bologna 2";
        QTest::newRow("121 repeats 102") << "01234561213" << O::Valid << 121 << "Napoli 2";
        QTest::newRow("office 000") << "01234560009" << O::Valid << 0 << "";
        QTest::newRow("wrong check digit") << "11111110159" << O::Invalid << -1 << "";
        QTest::newRow("letter pasted in") << "1111111015A" << O::Invalid << -1 << "";
        QTest::newRow("blank inside") << "1111111 158" << O::Invalid << -1 << "";
        QTest::newRow("10 digits") << "1111111015" << O::WrongLength << -1 << "";
        QTest::newRow("12 digits") << "111111101580" << O::WrongLength << -1 << "";
    }
    void partitaIva()
    {
        QFETCH(QString, number);
        QFETCH(PartitaIvaCheck::Outcome, outcome);
        QFETCH(int, office);
        QFETCH(QString, name);
        const PartitaIvaCheck::Result r = PartitaIvaCheck::check(number);
        QCOMPARE(r.outcome, outcome);
        QCOMPARE(r.officeCode, office);
        QCOMPARE(r.officeName, name);
    }

    void officeTable()
    {
        int named = 0;
        for (int code = 0; code < 1000; ++code)
            named += !PartitaIvaCheck::officeName(code).isEmpty();
        QCOMPARE(named, 104);
        QCOMPARE(PartitaIvaCheck::officeName(58), QString("Roma 1"));
        QCOMPARE(PartitaIvaCheck::officeName(96), QString("Monza (Milano 2)"));
        QCOMPARE(PartitaIvaCheck::officeName(99), QString("Chiavari (Genova 2)"));
        QCOMPARE(PartitaIvaCheck::officeName(119), QString());
        QCOMPARE(PartitaIvaCheck::officeName(122), QString());
    }

    void partitaIvaMessages()
    {
        using PartitaIvaCheck::message;
        const QString valid("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                            "E' stato rilasciato dall'Ufficio IVA del Comune di ");
        const Message milano = message(PartitaIvaCheck::check("11111110158"));
        QCOMPARE(milano.kind, MessageKind::Information);
        QCOMPARE(milano.text, valid + "Milano 1.");
        QCOMPARE(message(PartitaIvaCheck::check("12345678903")).text, valid + ".");
        const Message wrong = message(PartitaIvaCheck::check("11111110159"));
        QCOMPARE(wrong.kind, MessageKind::Warning);
        QCOMPARE(wrong.text,
                 QString("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
                         "Non è quindi possibile fornire informazioni relative all'Ufficio IVA che lo "
                         "ha rilasciato."));
        const Message length = message(PartitaIvaCheck::check("123"));
        QCOMPARE(length.kind, MessageKind::Warning);
        QCOMPARE(length.text,
                 QString("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici."));
    }
};

QTEST_GUILESS_MAIN(TestTaxChecks)
#include "TestTaxChecks.moc"
