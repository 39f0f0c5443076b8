#include "shell/LoginDialog.h"
#include "shell/MainMenu.h"
#include "shell/PaymentsMenu.h"
#include "shell/YearMenu.h"
#include "support/ScreenFixture.h"

#include <QLineEdit>
#include <QPushButton>

class TestLogin : public QObject
{
    Q_OBJECT

    static void deliverPasswordFile(const ScreenFixture &fx)
    {
        QVERIFY(QFile::copy(QStringLiteral(VELTARO_SOURCE_DIR "/resources/unins000.dll"), fx.path("unins000.dll")));
        QFile::setPermissions(fx.path("unins000.dll"), QFile::ReadOwner | QFile::WriteOwner);
    }
    static void login(ScreenFixture &fx, const QString &typed)
    {
        auto *box = ScreenFixture::child<QLineEdit>(fx.screens->login, "txtPassword");
        box->setFocus();
        box->setText(typed);
        QTest::keyClick(box, Qt::Key_Return);
    }

private slots:
    void initialPasswordOpensMainMenu()
    {
        ScreenFixture fx;
        deliverPasswordFile(fx);
        fx.screens->login->ask();
        QVERIFY(fx.screens->login->isVisible());
        QVERIFY(!fx.screens->mainMenu->isVisible());
        auto *ok = ScreenFixture::child<QPushButton>(fx.screens->login, "cmdOK");
        QVERIFY(!ok->isEnabled());
        ScreenFixture::child<QLineEdit>(fx.screens->login, "txtPassword")->setText("   ");
        QVERIFY(!ok->isEnabled());

        login(fx, "sbagliata");
        QCOMPARE(Dialogs::Test::last().text, QString("Attenzione: password errata."));
        QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Warning);
        QVERIFY(ScreenFixture::child<QLineEdit>(fx.screens->login, "txtPassword")->text().isEmpty());
        QVERIFY(!fx.screens->mainMenu->isVisible());

        // Tab from the password: OK, then "Cambia Password", then "Esci".
        ScreenFixture::activate(fx.screens->login);
        auto *box = ScreenFixture::child<QLineEdit>(fx.screens->login, "txtPassword");
        box->setText("x");
        box->setFocus();
        QStringList order;
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(order, (QStringList{"cmdOK", "btnCambiaPassword", "cmdEsci", "txtPassword"}));

        login(fx, "  Accesso ");
        QVERIFY(fx.screens->mainMenu->isVisible());
        QVERIFY(!fx.screens->login->isVisible());
    }

    void changedPasswordWorksAtOnce()
    {
        ScreenFixture fx;
        deliverPasswordFile(fx);
        fx.screens->login->ask();
        ScreenFixture::click(fx.screens->login, "btnCambiaPassword");
        ChangePasswordDialog *change = fx.screens->changePassword;
        QVERIFY(change->isVisible());
        QVERIFY(!fx.screens->login->isVisible());
        auto *ok = ScreenFixture::child<QPushButton>(change, "cmdOK");
        const auto set = [&](const char *oldPw, const char *newPw, const char *confirm) {
            ScreenFixture::child<QLineEdit>(change, "txtPasswordOld")->setText(oldPw);
            ScreenFixture::child<QLineEdit>(change, "txtPasswordNew")->setText(newPw);
            ScreenFixture::child<QLineEdit>(change, "txtConferma")->setText(confirm);
        };
        set("accesso", "nuova", "");
        QVERIFY(!ok->isEnabled());
        set("altra", "nuova", "nuova");
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(Dialogs::Test::last().text, QString("Attenzione: vecchia password errata."));
        QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Notice);
        QVERIFY(ScreenFixture::child<QLineEdit>(change, "txtPasswordOld")->text().isEmpty());

        set("accesso", "nuova", "Nuova");   // differs only in case: not confirmed
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(Dialogs::Test::last().text,
                 QString("Attenzione: la nuova password non è stata confermata correttamente. E' necessario "
                         "reinserire entrambi i valori."));
        QVERIFY(ScreenFixture::child<QLineEdit>(change, "txtConferma")->text().isEmpty());
        QVERIFY(change->isVisible());

        set("accesso", QByteArray(256, 'a').constData(), QByteArray(256, 'a').constData());
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Warning);
        QVERIFY(change->isVisible());

        set("accesso", "nuova", "nuova");
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(Dialogs::Test::last().text, QString("Modifica della password completata con successo."));
        QVERIFY(!change->isVisible());
        QVERIFY(fx.screens->login->isVisible());
        QVERIFY(ScreenFixture::child<QLineEdit>(fx.screens->login, "txtPassword")->text().isEmpty());
        login(fx, "accesso");
        QCOMPARE(Dialogs::Test::last().text, QString("Attenzione: password errata."));
        login(fx, " NUOVA");
        QVERIFY(fx.screens->mainMenu->isVisible());
    }

    void missingOrDamagedPasswordFile()
    {
        ScreenFixture fx;
        fx.screens->login->ask();
        login(fx, "accesso");                  // no file: every entry is wrong
        QCOMPARE(Dialogs::Test::last().text, QString("Attenzione: password errata."));
        QFile f(fx.path("unins000.dll"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Accesso]\nValore=ZZ12\n");
        f.close();
        login(fx, "accesso");
        QCOMPARE(Dialogs::Test::last().text,
                 QString("Attenzione: si è verificato un errore durante la procedura di lettura della password. "
                         "Si consiglia di reinstallare il software."));
        QVERIFY(fx.screens->login->isVisible());
    }
};

QTEST_MAIN(TestLogin)
#include "TestLogin.moc"
