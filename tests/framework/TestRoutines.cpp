#include "framework/Routines.h"
#include "framework/Clock.h"

#include <QtTest>

using namespace Routines;

class TestRoutines : public QObject
{
    Q_OBJECT
private slots:
    void init() { Clock::setToday(QDate(2017, 6, 15)); }

    void digitsAndParts()
    {
        QVERIFY(isDigits(QString()));
        QVERIFY(isDigits("0123"));
        QVERIFY(!isDigits("12a"));
        QVERIFY(!isDigits(" 12"));
        QCOMPARE(leftPart("abcdef", 2), QString("ab"));
        QCOMPARE(leftPart("ab", 5), QString("ab"));
        QCOMPARE(rightPart("abcdef", 2), QString("ef"));
        QCOMPARE(rightPart("ab", 5), QString("ab"));
        QCOMPARE(upperAZ("àbz-é"), QString("àBZ-é"));
        QCOMPARE(lowerAZ("ÀBZ-É"), QString("Àbz-É"));
        QCOMPARE(trimmed(QString("\t  Rossi \r\n")), QString("Rossi"));
    }

    void rounding_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("n");
        QTest::addColumn<double>("expected");
        QTest::newRow("2,345") << 2.345 << 2 << 2.35;
        QTest::newRow("2,344") << 2.344 << 2 << 2.34;
        QTest::newRow("1,005 held below the half") << 1.005 << 2 << 1.00;
        QTest::newRow("2,675 held below the half") << 2.675 << 2 << 2.67;
        QTest::newRow("10,555") << 10.555 << 2 << 10.55;
        QTest::newRow("104,125") << 104.125 << 2 << 104.13;
        QTest::newRow("1,23456 to 4") << 1.23456 << 4 << 1.2346;
        QTest::newRow("n <= 0") << 2.5 << 0 << 3.0;
        QTest::newRow("to euro") << 1234.49 << 0 << 1234.0;
        QTest::newRow("negative whole") << -1.0 << 4 << -1.0;
        QTest::newRow("negative half") << -2.5 << 0 << -3.0;
    }
    void rounding()
    {
        QFETCH(double, x);
        QFETCH(int, n);
        QFETCH(double, expected);
        QCOMPARE(roundTo(x, n), expected);
    }

    void amountRule_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << "" << 4 << "0,00";
        QTest::newRow("blanks") << "   " << 4 << "0,00";
        QTest::newRow("5") << "5" << 4 << "5,00";
        QTest::newRow("5,5") << "5,5" << 4 << "5,50";
        QTest::newRow(",5") << ",5" << 4 << "0,50";
        QTest::newRow("5,") << "5," << 4 << "5,00";
        QTest::newRow("1,23456") << "1,23456" << 4 << "1,2346";
        QTest::newRow("1,2,3") << "1,2,3" << 4 << "0,00";
        QTest::newRow("comma alone") << "," << 4 << "0,00";
        QTest::newRow("point is not a decimal sign") << "1.5" << 4 << "0,00";
        QTest::newRow("letters") << "abc" << 4 << "0,00";
        QTest::newRow("1200") << "1200" << 4 << "1200,00";
        QTest::newRow("75,5") << "75,5" << 4 << "75,50";
        QTest::newRow("2,345 k2") << "2,345" << 2 << "2,35";
        QTest::newRow("2,344 k2") << "2,344" << 2 << "2,34";
        QTest::newRow("10,555 k2") << "10,555" << 2 << "10,55";
        QTest::newRow("7,33 stays") << "7,33" << 2 << "7,33";
    }
    void amountRule()
    {
        QFETCH(QString, input);
        QFETCH(int, k);
        QFETCH(QString, expected);
        QCOMPARE(Routines::amountRule(input, k), expected);
    }

    // How a pasted figure is read before the amount rule: Italian thousands points go, a
    // point before one or two last digits is the comma, anything else is left for the rule.
    void amountReading_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("read");
        QTest::newRow("a thousand") << "1.234" << "1234";
        QTest::newRow("a million") << " 1.234.567 " << "1234567";
        QTest::newRow("negative thousand") << "-12.500" << "-12500";
        QTest::newRow("points beside a comma") << "12.500,50" << "12500,50";
        QTest::newRow("point before two digits") << "1.23" << "1,23";
        QTest::newRow("point before one digit") << "1.5" << "1,5";
        QTest::newRow("four digits before the point") << "1234.567" << "1234.567";
        QTest::newRow("four digits after the point") << "1.2345" << "1.2345";
        QTest::newRow("a group of two") << "1.234.56" << "1.234.56";
        QTest::newRow("nothing before the point") << ".234" << ".234";
        QTest::newRow("plain") << "75,5" << "75,5";
    }
    void amountReading()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, read);
        QCOMPARE(Routines::amountReading(pasted), read);
    }

    void numbers()
    {
        QCOMPARE(numberText(8.0), QString("8"));
        QCOMPARE(numberText(104.125), QString("104,125"));
        QCOMPARE(numberText(-0.0), QString("0"));
        QVERIFY(!parseNumber(QString()));
        QVERIFY(!parseNumber("1,2,3"));
        QCOMPARE(*parseNumber(" 12,5 "), 12.5);
    }

    void dates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("expected");   // invalid: not a date
        QTest::newRow("leap day") << "29/02/2016" << QDate(2016, 2, 29);
        QTest::newRow("no leap day") << "29/02/2017" << QDate();
        QTest::newRow("31 April") << "31/04/2017" << QDate();
        QTest::newRow("single digits") << "1/2/2017" << QDate(2017, 2, 1);
        QTest::newRow("two-digit year") << "01/02/17" << QDate(2017, 2, 1);
        QTest::newRow("window start") << "1/1/67" << QDate(1967, 1, 1);
        QTest::newRow("window end") << "1/1/66" << QDate(2066, 1, 1);
        QTest::newRow("no year") << "1/2" << QDate(2017, 2, 1);
        QTest::newRow("final slash and blanks") << " 1/ 2/2017/  " << QDate(2017, 2, 1);
        QTest::newRow("three-digit year") << "1/2/999" << QDate(999, 2, 1);
        QTest::newRow("year 0") << "1/2/0000" << QDate();
        QTest::newRow("empty") << "" << QDate();
        QTest::newRow("dashes") << "01-02-2017" << QDate();
        QTest::newRow("trailing text") << "01/02/2017x" << QDate();
        QTest::newRow("month 13") << "01/13/2017" << QDate();
    }
    void dates()
    {
        QFETCH(QString, text);
        QFETCH(QDate, expected);
        const auto d = parseDate(text);
        QCOMPARE(d.value_or(QDate()), expected);
        QCOMPARE(isDate(text), expected.isValid());
    }

    void dateTextPads() { QCOMPARE(dateText(QDate(2017, 2, 1)), QString("01/02/2017")); }
};

QTEST_GUILESS_MAIN(TestRoutines)
#include "TestRoutines.moc"
