#include "checks/CheckDialog.h"
#include "support/ScreenFixture.h"
#include "workers/WorkerCardScreen.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

class TestCheckScreens : public QObject
{
    Q_OBJECT

    // Runs check with the box holding text; returns whether the screen closed.
    static bool check(CheckDialog::Kind kind, const QString &text, bool typed = false)
    {
        CheckDialog screen(kind);
        screen.show();
        if (typed) {
            ScreenFixture::activate(&screen);
            screen.box()->setFocus();
            QTest::keyClicks(screen.box(), text);
        } else {
            screen.box()->setText(text);
        }
        ScreenFixture::click(&screen, "btnControlla");
        return !screen.isVisible();
    }

private slots:
    void answersAndRefusals_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("typed");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("closes");
        QTest::newRow("cf valid") << "cf" << "RSSMRA85T10A562S" << false << "information"
                                  << "Il codice fiscale digitato è VALIDO." << true;
        QTest::newRow("cf typed small") << "cf" << "rssmra85t10a562s" << true << "information"
                                        << "Il codice fiscale digitato è VALIDO." << true;
        QTest::newRow("cf wrong") << "cf" << "RSSMRA85T10A562T" << false << "warning"
                                  << "Attenzione: il codice fiscale digitato è ERRATO." << true;
        QTest::newRow("cf 15") << "cf" << "RSSMRA85T10A562" << false << "warning"
                               << "Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici." << false;
        QTest::newRow("iva milano") << "iva" << "11111110158" << false << "information"
                                    << "Il numero di partita IVA digitato risulta VALIDO.\r\n\r\nE' stato rilasciato "
                                       "dall'Ufficio IVA del Comune di Milano 1." << true;
        QTest::newRow("iva short") << "iva" << "1234" << false << "warning"
                                   << "Attenzione: la partita IVA deve essere composta da 11 caratteri numerici." << false;
        QTest::newRow("iban") << "iban" << "it60x0542811101000000123456" << true << "information"
                              << "L'IBAN digitato è VALIDO." << true;
        QTest::newRow("iban length") << "iban" << "IT60X054281110100000012345" << false << "warning"
                                     << "Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici." << false;
        QTest::newRow("card visa") << "carta" << "4111111111111111" << false << "information"
                                   << "Il numero di carta di credito 4111111111111111 risulta valido.\r\n\r\n"
                                      "La carta di credito è del tipo Visa." << true;
        QTest::newRow("card empty") << "carta" << "" << false << "warning"
                                    << "Attenzione: immettere il numero di carta di credito prima di premere il "
                                       "pulsante di controllo." << false;
    }
    void answersAndRefusals()
    {
        QFETCH(QString, screen);
        QFETCH(QString, text);
        QFETCH(bool, typed);
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QFETCH(bool, closes);
        ScreenFixture fx;
        bool closed = false;
        if (screen == "cf")
            closed = check(CheckDialog::Kind::CodiceFiscale, text, typed);
        else if (screen == "iva")
            closed = check(CheckDialog::Kind::PartitaIva, text, typed);
        else if (screen == "iban")
            closed = check(CheckDialog::Kind::Iban, text, typed);
        else
            closed = check(CheckDialog::Kind::CardNumber, text, typed);
        QCOMPARE(Dialogs::Test::shown().size(), 1);
        QCOMPARE(kindName(Dialogs::Test::last().kind), qPrintable(kind));
        QCOMPARE(Dialogs::Test::last().text, message);
        QCOMPARE(closed, closes);
    }

    void workerCardOpensTheRightCheck_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("box");
        QTest::newRow("digits in cf") << "btnCodFisc" << "txtCodFisc" << "12345678903" << "TfrmPartitaIva" << "txtPartitaIva";
        QTest::newRow("cf") << "btnCodFisc" << "txtCodFisc" << "RSSMRA85T10A562S" << "TfrmCodFisc" << "txtCodFisc";
        QTest::newRow("empty cf") << "btnCodFisc" << "txtCodFisc" << "" << "TfrmCodFisc" << "txtCodFisc";
        QTest::newRow("iva") << "btnIva" << "txtIva" << "11111110158" << "TfrmPartitaIva" << "txtPartitaIva";
        QTest::newRow("iban") << "btnIban" << "txtIban" << "IT60X0542811101000000123456" << "TfrmIban" << "txtIban";
        QTest::newRow("card") << "btnCarta" << "txtCarta" << "4111111111111111" << "TfrmCarta" << "txtNumero";
    }
    void workerCardOpensTheRightCheck()
    {
        QFETCH(QString, button);
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, screen);
        QFETCH(QString, box);
        ScreenFixture fx;
        WorkerCardScreen *card = fx.screens->workers;
        card->open();
        card->findChild<QLineEdit *>(field)->setText(value);
        QString opened, prefilled;
        QTimer::singleShot(0, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            opened = modal->objectName();
            prefilled = modal->findChild<QLineEdit *>(box)->text();
            ScreenFixture::click(modal, "btnChiudi");
        });
        ScreenFixture::click(card, qPrintable(button));
        QCOMPARE(opened, screen);
        QCOMPARE(prefilled, value);
        QCOMPARE(card->findChild<QLineEdit *>(field)->text(), value);   // the card is not changed
    }
};

QTEST_MAIN(TestCheckScreens)
#include "TestCheckScreens.moc"
