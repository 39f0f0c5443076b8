#include "settings/Crypt.h"
#include "settings/IniText.h"
#include "settings/PasswordFile.h"
#include "support/ScratchMount.h"

#include <QSettings>
#include <QtTest>

using PasswordFile::ChangeResult;
using PasswordFile::LoginResult;
using PasswordFile::ReadStatus;

namespace {
// Scrambled forms worked out apart from the code under test.
const QString Rossi = QStringLiteral("691B31958B");
const QString Accesso = QStringLiteral("7A305393BB8149");

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}
QByteArray fileWith(const QString &value)
{
    return "[Altro]\nChiave=uno\n\n[Accesso]\nValore=" + value.toLatin1() + "\nExtra=due\n";
}
}

class TestPassword : public QObject
{
    Q_OBJECT
private slots:
    void scrambleKnownValues_data()
    {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("hex");
        QTest::newRow("empty") << "" << "";
        QTest::newRow("one character") << "A" << "7A";
        QTest::newRow("digit") << "0" << "0B";
        QTest::newRow("word") << "ROSSI" << Rossi;
        QTest::newRow("initial password") << "ACCESSO" << Accesso;
        QTest::newRow("letters and digits") << "PASSWORD123" << "6B096521C3B23F2F2A67A7";
        QTest::newRow("western accents") << "ÀÈÌ" << "FBDF96";
    }
    void scrambleKnownValues()
    {
        QFETCH(QString, plain);
        QFETCH(QString, hex);
        QCOMPARE(Crypt::scramble(plain), hex);
        QCOMPARE(Crypt::unscramble(hex), plain);
        QCOMPARE(Crypt::unscramble(hex.toLower()), plain);
    }

    void roundTrip()
    {
        QString all;
        for (int c = 1; c < 256; ++c)
            all += QChar(c);
        const QString texts[] = {all, QString(300, QLatin1Char('Z')), QStringLiteral("A1B2C3 D4")};
        for (const QString &t : texts)
            QCOMPARE(Crypt::unscramble(Crypt::scramble(t)), t);
    }

    void unscrambleEdges_data()
    {
        QTest::addColumn<QString>("hex");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("plain");
        QTest::newRow("odd last digit ignored") << Rossi + "7" << true << "ROSSI";
        QTest::newRow("odd non-hex last digit ignored") << "7AZ" << true << "A";
        QTest::newRow("letter past F") << "7G" << false << "";
        QTest::newRow("non-hex pair after good ones") << Rossi.left(4) + "X1" << false << "";
        QTest::newRow("blank inside") << "7A 30" << false << "";
        QTest::newRow("sign") << "-1" << false << "";
    }
    void unscrambleEdges()
    {
        QFETCH(QString, hex);
        QFETCH(bool, ok);
        QFETCH(QString, plain);
        const std::optional<QString> got = Crypt::unscramble(hex);
        QCOMPARE(got.has_value(), ok);
        if (ok)
            QCOMPARE(*got, plain);
    }

    void readStored_data()
    {
        QTest::addColumn<QByteArray>("content");   // null: no file
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("password");
        QTest::newRow("no file") << QByteArray() << int(ReadStatus::Ok) << "";
        QTest::newRow("no section") << QByteArray("[Altro]\nValore=7A\n") << int(ReadStatus::Ok) << "";
        QTest::newRow("no value") << QByteArray("[Accesso]\nAltro=7A\n") << int(ReadStatus::Ok) << "";
        QTest::newRow("among others") << fileWith(Rossi) << int(ReadStatus::Ok) << "ROSSI";
        QTest::newRow("CR LF and blanks") << QByteArray("[Accesso]\r\n  Valore = 691B31958B \r\n")
                                           << int(ReadStatus::Ok) << "ROSSI";
        QTest::newRow("stored blanks trimmed") << Crypt::scramble(" ROSSI ").toLatin1().prepend("[Accesso]\nValore=")
                                                << int(ReadStatus::Ok) << "ROSSI";
        QTest::newRow("byte-order mark, CR line ends") << QByteArray("\xEF\xBB\xBF[Accesso]\rValore=691B31958B\r")
                                                        << int(ReadStatus::Ok) << "ROSSI";
        QTest::newRow("quoted, other case") << QByteArray("[ACCESSO]\nvalore= \"691B31958B\"\n")
                                             << int(ReadStatus::Ok) << "ROSSI";
        QTest::newRow("commented out") << QByteArray("[Accesso]\n;Valore=691B31958B\n")
                                        << int(ReadStatus::Ok) << "";
        QTest::newRow("not hexadecimal") << fileWith("69ZZ31") << int(ReadStatus::NotHex) << "";
    }
    void readStored()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, status);
        QFETCH(QString, password);
        QTemporaryDir dir;
        const QString path = dir.filePath(PasswordFile::FileName);
        if (!content.isNull())
            QVERIFY(writeAll(path, content));
        const PasswordFile::Stored stored = PasswordFile::read(path);
        QCOMPARE(int(stored.status), status);
        QCOMPARE(stored.password, password);
    }

    void unreadableFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(PasswordFile::FileName);
        QVERIFY(QDir().mkdir(path));   // a folder where the file should be
        QCOMPARE(PasswordFile::read(path).status, ReadStatus::Unreadable);
        QCOMPARE(PasswordFile::login(path, "ROSSI"), LoginResult::ReadError);
        QCOMPARE(PasswordFile::change(path, "ROSSI", "NUOVA", "NUOVA"), ChangeResult::ReadError);
    }

    void login_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("result");
        const QByteArray rossi = fileWith(Rossi);
        QTest::newRow("capitals") << rossi << "ROSSI" << int(LoginResult::Admitted);
        QTest::newRow("small letters") << rossi << "rossi" << int(LoginResult::Admitted);
        QTest::newRow("mixed case, blanks around") << rossi << "  RoSsI\t" << int(LoginResult::Admitted);
        QTest::newRow("prefix only") << rossi << "ROSS" << int(LoginResult::WrongPassword);
        QTest::newRow("blank inside") << rossi << "RO SSI" << int(LoginResult::WrongPassword);
        QTest::newRow("blanks only") << rossi << "   " << int(LoginResult::WrongPassword);
        QTest::newRow("no file, empty entry") << QByteArray() << "" << int(LoginResult::WrongPassword);
        QTest::newRow("no file") << QByteArray() << "ROSSI" << int(LoginResult::WrongPassword);
        QTest::newRow("empty value, empty entry") << QByteArray("[Accesso]\nValore=\n") << " "
                                                  << int(LoginResult::WrongPassword);
        QTest::newRow("not hexadecimal") << fileWith("7Q") << "ROSSI"
                                         << int(LoginResult::ReadError);
        QTest::newRow("accents are not folded") << fileWith("FBDF96") << "àèì" << int(LoginResult::WrongPassword);
        QTest::newRow("accents as stored") << fileWith("FBDF96") << "ÀÈÌ" << int(LoginResult::Admitted);
    }
    void login()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, typed);
        QFETCH(int, result);
        QTemporaryDir dir;
        const QString path = dir.filePath(PasswordFile::FileName);
        if (!content.isNull())
            QVERIFY(writeAll(path, content));
        QCOMPARE(int(PasswordFile::login(path, typed)), result);
    }

    void refusedChangeLeavesFile_data()
    {
        QTest::addColumn<QString>("oldTyped");
        QTest::addColumn<QString>("newTyped");
        QTest::addColumn<QString>("confirmTyped");
        QTest::addColumn<int>("result");
        QTest::newRow("old wrong") << "BIANCHI" << "NUOVA" << "NUOVA" << int(ChangeResult::OldPasswordWrong);
        QTest::newRow("confirmation differs in case") << "rossi" << "Nuova" << "nuova"
                                                      << int(ChangeResult::NotConfirmed);
        QTest::newRow("confirmation differs") << "ROSSI" << "NUOVA" << "NUOVE" << int(ChangeResult::NotConfirmed);
        QTest::newRow("new blank") << "ROSSI" << "  " << "  " << int(ChangeResult::Incomplete);
        QTest::newRow("old blank") << "" << "NUOVA" << "NUOVA" << int(ChangeResult::Incomplete);
        QTest::newRow("256 characters") << "ROSSI" << QString(256, 'a') << QString(256, 'a')
                                        << int(ChangeResult::TooLong);
        QTest::newRow("euro sign") << "ROSSI" << "CASSA€" << "CASSA€" << int(ChangeResult::UnstorableCharacter);
    }
    void refusedChangeLeavesFile()
    {
        QFETCH(QString, oldTyped);
        QFETCH(QString, newTyped);
        QFETCH(QString, confirmTyped);
        QFETCH(int, result);
        QTemporaryDir dir;
        const QString path = dir.filePath(PasswordFile::FileName);
        QVERIFY(writeAll(path, fileWith(Rossi)));
        QCOMPARE(int(PasswordFile::change(path, oldTyped, newTyped, confirmTyped)), result);
        QCOMPARE(readAll(path), fileWith(Rossi));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{PasswordFile::FileName});
    }

    void readsFileAfresh()
    {
        // Another computer sharing the folder may replace the file with one of the same size
        // and, on coarse clocks, the same time stamp: the next login must still see it.
        QTemporaryDir dir;
        const QString path = dir.filePath(PasswordFile::FileName);
        QVERIFY(writeAll(path, fileWith(Rossi)));
        const QDateTime stamp = QFileInfo(path).lastModified();
        QCOMPARE(PasswordFile::login(path, "ROSSI"), LoginResult::Admitted);
        QVERIFY(writeAll(path, fileWith(Crypt::scramble("VERDI"))));
        QFile same(path);
        QVERIFY(same.open(QIODevice::ReadWrite));
        QVERIFY(same.setFileTime(stamp, QFileDevice::FileModificationTime));
        same.close();
        QCOMPARE(PasswordFile::login(path, "VERDI"), LoginResult::Admitted);
    }

    void changeKeepsOtherContent()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(PasswordFile::FileName);
        QVERIFY(writeAll(path, fileWith(Rossi)));
        const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
            | QFileDevice::WriteUser | QFileDevice::ReadGroup;
        QVERIFY(QFile::setPermissions(path, mode));

        const QString longest(PasswordFile::MaxLength, QLatin1Char('x'));
        QCOMPARE(PasswordFile::change(path, " rossi ", " Verdi ", " Verdi "), ChangeResult::Changed);
        QCOMPARE(PasswordFile::login(path, "VERDI"), LoginResult::Admitted);
        QCOMPARE(PasswordFile::login(path, "ROSSI"), LoginResult::WrongPassword);
        QCOMPARE(PasswordFile::change(path, "verdi", "NERI1", "NERI1"), ChangeResult::Changed);
        QCOMPARE(PasswordFile::login(path, "neri1"), LoginResult::Admitted);
        QCOMPARE(PasswordFile::change(path, "NERI1", longest, longest), ChangeResult::Changed);
        QCOMPARE(PasswordFile::login(path, longest), LoginResult::Admitted);

        QSettings ini(path, QSettings::IniFormat);
        QCOMPARE(ini.value("Altro/Chiave").toString(), QString("uno"));
        QCOMPARE(ini.value("Accesso/Extra").toString(), QString("due"));
        QCOMPARE(ini.value("Accesso/Valore").toString(), Crypt::scramble(longest.toUpper()));
        QCOMPARE(QFile::permissions(path), mode);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{PasswordFile::FileName});
    }

    // Setting the value changes its bytes and nothing else of a file other programs share.
    void editInPlace_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        const QByteArray shared =
            "; condiviso\r\n[Percorsi]\r\nChiave Con Spazi = C:\\Programmi\\Veltaro\r\n"
            "Fattore=1,5\r\n\r\n[Accesso]\r\nValore = 7A30\r\n\r\n[Altro]\r\nx=1\r\n";
        QByteArray sharedAfter = shared;
        sharedAfter.replace("Valore = 7A30", "Valore = NEW");
        QTest::newRow("CR LF, comments, blanks, backslashes") << shared << sharedAfter;
        QTest::newRow("key missing: end of its section")
            << QByteArray("[Accesso]\r\nAltro=1\r\n\r\n[Zeta]\r\n")
            << QByteArray("[Accesso]\r\nAltro=1\r\nValore=NEW\r\n\r\n[Zeta]\r\n");
        QTest::newRow("section missing, no last line end")
            << QByteArray("[Zeta]\nk=v") << QByteArray("[Zeta]\nk=v\n[Accesso]\nValore=NEW\n");
        QTest::newRow("empty file") << QByteArray("") << QByteArray("[Accesso]\nValore=NEW\n");
        QTest::newRow("byte-order mark, quotes, other case")
            << QByteArray("\xEF\xBB\xBF[accesso]\nVALORE=\"OLD\"\n")
            << QByteArray("\xEF\xBB\xBF[accesso]\nVALORE=\"NEW\"\n");
        QTest::newRow("CR only, repeated key") << QByteArray("[Accesso]\rValore=A\rValore=B\r")
                                                << QByteArray("[Accesso]\rValore=NEW\rValore=NEW\r");
        QTest::newRow("same key elsewhere untouched")
            << QByteArray("[Altro]\nValore=A\n[Accesso]\n")
            << QByteArray("[Altro]\nValore=A\n[Accesso]\nValore=NEW\n");
    }
    void editInPlace()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QCOMPARE(IniText::withValue(before, "Accesso", "Valore", "NEW"), after);
        QCOMPARE(IniText::value(after, "Accesso", "Valore"), QByteArray("NEW"));
    }

    void changeKeepsForeignBytes()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(PasswordFile::FileName);
        const QByteArray before = "; scritto da un altro programma\r\n[Percorsi]\r\n"
                                  "Chiave Con Spazi=C:\\Programmi\\Veltaro\r\n[Accesso]\r\nValore="
            + Rossi.toLatin1() + "\r\nFattore=1,5\r\n";
        QVERIFY(writeAll(path, before));
        QCOMPARE(PasswordFile::change(path, "rossi", "verdi", "verdi"), ChangeResult::Changed);
        QByteArray expected = before;
        expected.replace(Rossi.toLatin1(), Crypt::scramble("VERDI").toLatin1());
        QCOMPARE(readAll(path), expected);
        QCOMPARE(PasswordFile::login(path, "Verdi"), LoginResult::Admitted);
    }

    void changeCreatesMissingFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(PasswordFile::FileName);
        // With no file the stored password is empty, and an empty old entry is refused.
        QCOMPARE(PasswordFile::change(path, "", "ACCESSO", "ACCESSO"), ChangeResult::Incomplete);
        QString error;
        QVERIFY(PasswordFile::write(path, "ACCESSO", &error));
        QCOMPARE(readAll(path), PasswordFile::initialContent());
    }

    void deliveredFile()
    {
        const QString path = QStringLiteral(VELTARO_RESOURCES "/") + PasswordFile::FileName;
        QCOMPARE(readAll(path), PasswordFile::initialContent());
        QCOMPARE(PasswordFile::initialContent(), "[Accesso]\nValore=" + Accesso.toLatin1() + "\n");
        QCOMPARE(PasswordFile::login(path, QString(PasswordFile::InitialPassword).toLower()),
                 LoginResult::Admitted);
    }

    void fullDiskKeepsOldFile()
    {
        ScratchMount mount("64k");
        if (!mount.ok())
            QSKIP("cannot mount a scratch file system here");
        const QString path = mount.path() + "/" + PasswordFile::FileName;
        QVERIFY(writeAll(path, fileWith(Rossi)));
        {
            QFile filler(mount.path() + "/filler");
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray block(4096, 'f');
            while (filler.write(block) == block.size()) {
            }
        }
        QVERIFY(!writeAll(mount.path() + "/probe", "x"));   // really full
        QFile::remove(mount.path() + "/probe");

        QString error;
        QVERIFY(!PasswordFile::write(path, "VERDI", &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(PasswordFile::change(path, "ROSSI", "VERDI", "VERDI"), ChangeResult::WriteError);
        QCOMPARE(readAll(path), fileWith(Rossi));
        QCOMPARE(PasswordFile::login(path, "ROSSI"), LoginResult::Admitted);
        QStringList left = QDir(mount.path()).entryList(QDir::Files | QDir::Hidden);
        left.sort();
        QCOMPARE(left, QStringList({"filler", PasswordFile::FileName}));
    }

    void readOnlyFolderKeepsOldFile()
    {
        ScratchMount mount("1M");
        if (!mount.ok())
            QSKIP("cannot mount a scratch file system here");
        const QString path = mount.path() + "/" + PasswordFile::FileName;
        QVERIFY(writeAll(path, fileWith(Rossi)));
        QVERIFY(mount.makeReadOnly());
        QCOMPARE(PasswordFile::change(path, "ROSSI", "VERDI", "VERDI"), ChangeResult::WriteError);
        QCOMPARE(readAll(path), fileWith(Rossi));
        QCOMPARE(PasswordFile::login(path, "rossi"), LoginResult::Admitted);
    }

    void messages()
    {
        using PasswordFile::message;
        QCOMPARE(message(LoginResult::Admitted).kind, MessageKind::None);
        QCOMPARE(message(LoginResult::WrongPassword).kind, MessageKind::Warning);
        QCOMPARE(message(LoginResult::WrongPassword).text, QString("Attenzione: password errata."));
        QCOMPARE(message(LoginResult::ReadError).kind, MessageKind::Notice);
        QCOMPARE(message(LoginResult::ReadError).text,
                 QString("Attenzione: si è verificato un errore durante la procedura di lettura della "
                         "password. Si consiglia di reinstallare il software."));
        QCOMPARE(message(ChangeResult::Changed).text, QString("Modifica della password completata con successo."));
        QCOMPARE(message(ChangeResult::OldPasswordWrong).text, QString("Attenzione: vecchia password errata."));
        QCOMPARE(message(ChangeResult::NotConfirmed).text,
                 QString("Attenzione: la nuova password non è stata confermata correttamente. E' "
                         "necessario reinserire entrambi i valori."));
        const QString failed("Attenzione: si è verificato un errore durante la procedura di modifica della "
                             "password. Si consiglia di reinstallare il software.");
        QCOMPARE(message(ChangeResult::WriteError).text, failed);
        QCOMPARE(message(ChangeResult::ReadError).text, failed);
        QCOMPARE(message(ChangeResult::TooLong).kind, MessageKind::Warning);
        QVERIFY(message(ChangeResult::TooLong).text.contains("255"));
    }
};

QTEST_GUILESS_MAIN(TestPassword)
#include "TestPassword.moc"
