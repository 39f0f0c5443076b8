#include "framework/Dialogs.h"
#include "framework/Documents.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QFile>
#include <QTemporaryDir>
#include <QStandardPaths>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

// The real boxes, not the test hook: each kind with its icon and its buttons, in Italian
// whether or not a translation of Qt is installed.
class TestDialogs : public QObject
{
    Q_OBJECT
private:
    struct Seen {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QStringList buttons;
        QString text;
    };

    // Shows one box and reads it while it is open; answers with the button whose text is `press`.
    static Seen open(const std::function<void()> &show, const QString &press)
    {
        Seen seen;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen.icon = box->icon();
            seen.text = box->text();
            for (QAbstractButton *b : box->buttons())
                seen.buttons << b->text();
            seen.buttons.sort();
            for (QAbstractButton *b : box->buttons())
                if (b->text() == press)
                    b->click();
        });
        show();
        return seen;
    }

private slots:
    void initTestCase() { Dialogs::Test::setEnabled(false); }

    void eachKindHasItsIconAndButtons()
    {
        const struct {
            std::function<void(const QString &)> show;
            QMessageBox::Icon icon;
            QStringList buttons;
        } kinds[] = {
            {[](const QString &t) { Dialogs::warning(nullptr, t); }, QMessageBox::Warning, {"Annulla", "OK"}},
            {[](const QString &t) { Dialogs::error(nullptr, t); }, QMessageBox::Critical, {"Annulla", "OK"}},
            {[](const QString &t) { Dialogs::information(nullptr, t); }, QMessageBox::Information, {"Annulla", "OK"}},
            {[](const QString &t) { Dialogs::notice(nullptr, t); }, QMessageBox::NoIcon, {"OK"}},
        };
        for (const auto &k : kinds) {
            const Seen seen = open([&] { k.show(QStringLiteral("Attenzione: prova.")); }, QStringLiteral("OK"));
            QCOMPARE(seen.icon, k.icon);
            QCOMPARE(seen.buttons, k.buttons);
            QCOMPARE(seen.text, QStringLiteral("Attenzione: prova."));
        }
    }

    void questionAnswersYesOrNo()
    {
        for (const bool yes : {true, false}) {
            bool answer = !yes;
            const Seen seen = open([&] { answer = Dialogs::question(nullptr, QStringLiteral("Procedere?")); },
                                   yes ? QString::fromUtf8("Sì") : QStringLiteral("No"));
            QCOMPARE(seen.icon, QMessageBox::Question);
            QCOMPARE(seen.buttons, QStringList({"No", QString::fromUtf8("Sì")}));
            QCOMPARE(answer, yes);
        }
    }

    // Enter on a question presses its default: Yes, or No where Yes would overwrite someone's work.
    void questionDefaultAnswer()
    {
        for (const bool noByDefault : {false, true}) {
            QString focused;
            bool answer = noByDefault;
            QTimer::singleShot(0, [&] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                QVERIFY(box);
                focused = box->defaultButton()->text();
                QTest::keyClick(box, Qt::Key_Return);
            });
            answer = Dialogs::question(nullptr, QStringLiteral("Sovrascrivere?"), noByDefault);
            QCOMPARE(focused, noByDefault ? QStringLiteral("No") : QString::fromUtf8("Sì"));
            QCOMPARE(answer, !noByDefault);
        }
    }

    // A question with its own buttons: each gives its index; Enter presses the default and Esc
    // the last button.
    void choiceGivesThePressedButton()
    {
        const QStringList buttons{"Salva", "Ricarica", "Annulla"};
        for (int i = 0; i < 3; ++i) {
            int answer = -1;
            const Seen seen = open([&] { answer = Dialogs::choice(nullptr, QStringLiteral("Che fare?"), buttons, 2); },
                                   buttons.at(i));
            QCOMPARE(seen.icon, QMessageBox::Question);
            QCOMPARE(answer, i);
        }
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            QString focused;
            QTimer::singleShot(0, [&] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                QVERIFY(box);
                focused = box->defaultButton()->text();
                QTest::keyClick(box, key);
            });
            QCOMPARE(Dialogs::choice(nullptr, QStringLiteral("Che fare?"), buttons, 1), key == Qt::Key_Return ? 1 : 2);
            QCOMPARE(focused, QStringLiteral("Ricarica"));
        }
    }

    // Paragraphs joined by a line feed and a carriage return are one blank line apart, not two.
    void paragraphsAreOneBlankLineApart()
    {
        const Seen seen = open([] { Dialogs::notice(nullptr, QStringLiteral("Primo.\n\r\n\rSecondo.\r\nTerzo.")); },
                               QStringLiteral("OK"));
        QCOMPARE(seen.text, QStringLiteral("Primo.\n\nSecondo.\nTerzo."));
        QCOMPARE(Dialogs::Test::last().text, QStringLiteral("Primo.\n\r\n\rSecondo.\r\nTerzo."));
    }

    // Choosers start in a folder that is there, never with a folder's name as the file name.
    void choosersStartInAnExistingFolder()
    {
        QTemporaryDir home;
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        QStandardPaths::setTestModeEnabled(false);
        QCOMPARE(Documents::startFolder(), QDir(home.path()).absolutePath() + "/");   // no Documents yet
        QVERIFY(QDir(home.path()).mkdir("Documents"));
        QCOMPARE(Documents::startFolder(), QDir(home.path()).absolutePath() + "/Documents/");
        QVERIFY(QDir(home.path()).mkdir("fatture"));
        QCOMPARE(Documents::startFolder(home.path() + "/fatture/a.pdf"), QDir(home.path()).absolutePath() + "/fatture/");
        Documents::remember(home.path() + "/fatture");
        QCOMPARE(Documents::startFolder(), QDir(home.path()).absolutePath() + "/fatture/");
        Documents::remember(home.path() + "/sparita");
        QCOMPARE(Documents::startFolder(), QDir(home.path()).absolutePath() + "/Documents/");
        qputenv("HOME", oldHome);
    }

    void inputBoxGivesTheTextOrNothing()
    {
        for (const bool accept : {true, false}) {
            QString value = QStringLiteral("1");
            QStringList buttons;
            QTimer::singleShot(0, [&] {
                auto *box = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
                QVERIFY(box);
                box->setTextValue(QStringLiteral("3"));
                // Its title bar has room for the whole title.
                const bool roomy = box->minimumSizeHint().width() > QFontMetrics(box->font()).horizontalAdvance(box->windowTitle()) + 100;
                QVERIFY2(roomy || (box->reject(), false), "title cut");
                for (QAbstractButton *b : box->findChildren<QAbstractButton *>())
                    buttons << b->text();
                buttons.sort();
                accept ? box->accept() : box->reject();
            });
            QCOMPARE(Dialogs::inputBox(nullptr, QStringLiteral("Numero copie da stampare"), QStringLiteral("Copie:"), value),
                     accept);
            QCOMPARE(buttons, QStringList({"Annulla", "OK"}));
            QCOMPARE(value, accept ? QStringLiteral("3") : QStringLiteral("1"));
        }
    }
};

QTEST_MAIN(TestDialogs)
#include "TestDialogs.moc"
