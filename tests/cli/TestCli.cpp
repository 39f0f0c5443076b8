#include "cli/Cli.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
struct Run {
    int code;
    QString out, err;
};
Run cli(const QStringList &args)
{
    QString out, err;
    QTextStream o(&out), e(&err);
    Cli::Io io{o, e};
    const int code = Cli::main(args, io);
    o.flush();
    e.flush();
    return {code, out, err};
}
}

class TestCli : public QObject
{
    Q_OBJECT
private slots:
    void verificaTellsSoundFromDamaged()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Dipendenti.pro");
        QByteArray two(2 * 4043, '\0');
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(two);
        f.close();
        Run r = cli({"verifica", path});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains("schede: 2\n"));

        two[4043 + 119] = char(9);               // Sesso is text[1]
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(two + QByteArray(10, 'x'));
        f.close();
        r = cli({"verifica", path});
        QCOMPARE(r.code, 1);
        QVERIFY(r.out.contains("scheda 2: campo Sesso lunghezza 9 oltre la larghezza 1\n"));
        QVERIFY(r.out.contains("byte di scheda incompleta in coda: 10\n"));
    }

    void controllaAnswersAsTheScreens_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("out");
        QTest::newRow("cf") << QStringList{"cf", "rssmra85t10a562s"} << 0 << "Il codice fiscale digitato è VALIDO.\n";
        QTest::newRow("iva") << QStringList{"iva", "12345678903"} << 0
                             << "Il numero di partita IVA digitato risulta VALIDO.\n\nE' stato rilasciato dall'Ufficio IVA del Comune di .\n";
        QTest::newRow("iban") << QStringList{"iban", "IT60X0542811101000000123457"} << 1 << "Attenzione: l'IBAN digitato è ERRATO!\n";
        QTest::newRow("carta") << QStringList{"carta", "5555555555554444"} << 0
                               << "Il numero di carta di credito 5555555555554444 risulta valido.\n\nLa carta di credito è del tipo MasterCard.\n";
    }
    void controllaAnswersAsTheScreens()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, out);
        const Run r = cli(QStringList{"controlla"} + args);
        QCOMPARE(r.out, out);
        QCOMPARE(r.code, code);
    }

    void usageAndFileErrors()
    {
        QTemporaryDir dir;
        QCOMPARE(cli({}).code, 2);
        QCOMPARE(cli({"boh"}).code, 2);
        QCOMPARE(cli({"verifica"}).code, 2);
        QCOMPARE(cli({"controlla", "pin", "1"}).code, 2);
        const Run unknown = cli({"verifica", dir.filePath("note.txt")});
        QCOMPARE(unknown.code, 2);
        QVERIFY(unknown.err.contains("non riconosciuto"));
        QCOMPARE(cli({"verifica", dir.filePath("2017.prg")}).code, 2);   // missing
        const Run help = cli({"verifica", "--help"});
        QCOMPARE(help.code, 0);
        QVERIFY(help.out.startsWith("Uso: veltaro-cli verifica ARCHIVIO"));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "TestCli.moc"
