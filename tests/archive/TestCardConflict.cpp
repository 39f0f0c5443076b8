#include "support/ScreenFixture.h"
#include "archive/CardScreen.h"
#include "workers/WorkerCardScreen.h"

#include <QLabel>
#include <QLineEdit>
#include <QProcess>

// Two computers at the same card: a Save never silently overwrites what the other saved.
class TestCardConflict : public QObject
{
    Q_OBJECT

    static QLineEdit *box(QWidget *screen, const char *field)
    {
        return ScreenFixture::child<QLineEdit>(screen, (QByteArray("txt") + field).constData());
    }
    static QString position(WorkerCardScreen *screen) { return screen->lblPosizione()->text(); }
    // Note (offset 1783) as stored in card n.
    static QByteArray storedNote(const ScreenFixture &fx, int n)
    {
        const QByteArray card = fx.fileBytes("Dipendenti.pro").mid((n - 1) * 4043, 4043);
        return card.mid(1784, static_cast<unsigned char>(card.at(1783)));
    }
    static QByteArray storedSurname(const ScreenFixture &fx, int n)
    {
        const QByteArray card = fx.fileBytes("Dipendenti.pro").mid((n - 1) * 4043, 4043);
        return card.mid(1, static_cast<unsigned char>(card.at(0)));
    }
    // Two stored cards, the screen showing the first.
    static void twoCards(WorkerCardScreen *screen)
    {
        for (const char *surname : {"Rossi", "Bianchi"}) {
            screen->newCard();
            box(screen, "Cognome")->setText(QString::fromLatin1(surname));
            box(screen, "Nome")->setText(QStringLiteral("Maria"));
            screen->save();
        }
        screen->first();
    }
    static int questions()
    {
        int n = 0;
        for (const Dialogs::Shown &s : Dialogs::Test::shown())
            n += s.kind == Dialogs::Kind::Question;
        return n;
    }

private slots:
    void twoScreensOnOneArchive_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("overwrite") << 0;
        QTest::newRow("reload") << 1;
        QTest::newRow("cancel") << 2;
        QTest::newRow("Enter or Esc") << -1;
    }

    void twoScreensOnOneArchive()
    {
        QFETCH(int, answer);
        ScreenFixture fx;
        WorkerCardScreen *mine = fx.screens->workers;
        mine->open();
        twoCards(mine);
        WorkerCardScreen other;
        other.open();
        other.first();

        // The other screen saves first: nobody changed the card since it loaded it.
        box(&other, "Note")->setText(QStringLiteral("dall'altro"));
        Dialogs::Test::clear();
        other.save();
        QCOMPARE(questions(), 0);
        QCOMPARE(Dialogs::Test::last().text, CardText::saved());
        const QByteArray afterOther = fx.fileBytes("Dipendenti.pro");

        box(mine, "Cognome")->setText(QStringLiteral("Rossini"));
        Dialogs::Test::clear();
        if (answer >= 0)
            Dialogs::Test::queueChoice(answer);
        mine->save();
        QCOMPARE(questions(), 1);
        QCOMPARE(Dialogs::Test::shown().first().text, CardText::changedElsewhere());
        QCOMPARE(position(mine), QString("1"));
        if (answer == 0) {
            QCOMPARE(Dialogs::Test::last().text, CardText::saved());
            QCOMPARE(storedSurname(fx, 1), QByteArray("Rossini"));
            QCOMPARE(storedNote(fx, 1), QByteArray());
        } else if (answer == 1) {
            // Reloaded: the other change on screen, the file untouched, no edit kept.
            QCOMPARE(Dialogs::Test::shown().size(), 1);
            QCOMPARE(fx.fileBytes("Dipendenti.pro"), afterOther);
            QCOMPARE(box(mine, "Cognome")->text(), QString("Rossi"));
            QCOMPARE(box(mine, "Note")->text(), QString("dall'altro"));
        } else {
            // Cancelled, also by a hurried Enter: nothing written, my edit still on screen,
            // and the next Save asks again.
            QCOMPARE(Dialogs::Test::shown().size(), 1);
            QCOMPARE(fx.fileBytes("Dipendenti.pro"), afterOther);
            QCOMPARE(box(mine, "Cognome")->text(), QString("Rossini"));
            QCOMPARE(box(mine, "Note")->text(), QString());
            Dialogs::Test::clear();
            Dialogs::Test::queueChoice(0);
            mine->save();
            QCOMPARE(questions(), 1);
            QCOMPARE(storedSurname(fx, 1), QByteArray("Rossini"));
        }
        QCOMPARE(fx.fileBytes("Dipendenti.pro").mid(4043), afterOther.mid(4043));

        // The card now matches the file: the next Save asks nothing.
        box(mine, "Nome")->setText(QStringLiteral("Marta"));
        Dialogs::Test::clear();
        mine->save();
        QCOMPARE(questions(), 0);
        QCOMPARE(Dialogs::Test::last().text, CardText::saved());
        QCOMPARE(fx.fileBytes("Dipendenti.pro").mid(52, 5), QByteArray("Marta"));
    }

    // A yes overwrites only what was there when asked; the other screen, which loaded
    // before that, is asked in its turn.
    void everyLateSaveIsAsked()
    {
        ScreenFixture fx;
        WorkerCardScreen *mine = fx.screens->workers;
        mine->open();
        twoCards(mine);
        WorkerCardScreen second, third;
        for (WorkerCardScreen *s : {&second, &third}) {
            s->open();
            s->first();
        }
        box(&second, "Note")->setText(QStringLiteral("seconda"));
        second.save();
        box(&third, "Note")->setText(QStringLiteral("terza"));
        Dialogs::Test::clear();
        Dialogs::Test::queueChoice(0);
        third.save();
        QCOMPARE(questions(), 1);
        QCOMPARE(storedNote(fx, 1), QByteArray("terza"));

        Dialogs::Test::clear();
        Dialogs::Test::queueChoice(1);
        mine->save();
        QCOMPARE(questions(), 1);
        QCOMPARE(box(mine, "Note")->text(), QString("terza"));
        QCOMPARE(storedNote(fx, 1), QByteArray("terza"));
    }

    // The other computer is another process: the comparison reads the file, not anything
    // this process remembers.
    void twoProcesses()
    {
        ScreenFixture fx;
        WorkerCardScreen *mine = fx.screens->workers;
        mine->open();
        twoCards(mine);

        // Both load card 1; the other process saves first.
        QProcess other;
        other.start(QStringLiteral(CARD_EDITOR_PATH), {fx.dir.path(), QStringLiteral("altro computer")});
        QVERIFY(other.waitForReadyRead(60000));
        QCOMPARE(other.readLine().trimmed(), QByteArray("caricata"));
        other.write("\n");
        QVERIFY(other.waitForFinished(60000));
        QCOMPARE(other.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(other.readAllStandardOutput()).trimmed(), CardText::saved());
        QCOMPARE(storedNote(fx, 1), QByteArray("altro computer"));

        box(mine, "Cognome")->setText(QStringLiteral("Rossini"));
        Dialogs::Test::clear();
        Dialogs::Test::queueChoice(1);
        mine->save();
        QCOMPARE(questions(), 1);
        QCOMPARE(box(mine, "Note")->text(), QString("altro computer"));
        QCOMPARE(storedSurname(fx, 1), QByteArray("Rossi"));

        // Both load again; this time we save first and the other process is asked, leaves
        // the answer on its default and writes nothing.
        other.start(QStringLiteral(CARD_EDITOR_PATH), {fx.dir.path(), QStringLiteral("ancora")});
        QVERIFY(other.waitForReadyRead(60000));
        QCOMPARE(other.readLine().trimmed(), QByteArray("caricata"));
        box(mine, "Cognome")->setText(QStringLiteral("Rossetti"));
        Dialogs::Test::clear();
        mine->save();
        QCOMPARE(questions(), 0);
        const QByteArray ours = fx.fileBytes("Dipendenti.pro");
        other.write("\n");
        QVERIFY(other.waitForFinished(60000));
        QCOMPARE(QString::fromUtf8(other.readAllStandardOutput()).trimmed(), CardText::changedElsewhere());
        QCOMPARE(fx.fileBytes("Dipendenti.pro"), ours);
        QCOMPARE(storedSurname(fx, 1), QByteArray("Rossetti"));
    }
};

QTEST_MAIN(TestCardConflict)
#include "TestCardConflict.moc"
