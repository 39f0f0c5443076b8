#include "archive/AttachFolderDialog.h"
#include "archive/CardScreen.h"
#include "framework/Documents.h"
#include "shell/MainMenu.h"
#include "shell/PaymentsMenu.h"
#include "shell/YearMenu.h"
#include "support/Modal.h"
#include "support/ScreenFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
// Each card kind: how to reach its screen from the main menu, what Save needs, its commands.
struct Kind {
    const char *picture;       // on the main menu
    const char *menuButton;    // on the year menu, if any
    const char *screen;
    const char *attach, *save, *duplicate;
    QList<QPair<const char *, const char *>> required;
};
const QHash<QString, Kind> &kinds()
{
    static const QHash<QString, Kind> k = {
        {"istruttori", {"imgLavoratori", nullptr, "TfrmIstruttori", "cmdFile", "cmdSalva", nullptr,
                        {{"txtCognome", "Rossi"}, {"txtNome", "Maria"}}}},
        {"orari", {"imgImpostaOrari", nullptr, "TfrmOrari", "btnAllega", "btnSalva", "btnDuplica", {{"txtNome", "Mattina"}}}},
        {"turni", {"imgCalendario", "btnApriFatture", "TfrmTurni", "btnAllega", "btnSalva", "btnDuplica",
                   {{"txtNome", "Reparto"}, {"txtData", "12/06/2017"}}}},
        {"settimanale", {"imgCalendario", "btnApriAnnoSet", "TfrmSettimanale", "btnAllega", "btnSalva", "btnDuplica",
                         {{"txtNome", "Settimana"}, {"txtDataInizio", "12/06/2017"}, {"txtDataFine", "18/06/2017"}}}},
        {"lavori", {"imgLavori", "btnApriPreventivi", "TfrmLavori", "cmdFile", "cmdSalva", "cmdDuplica",
                    {{"txtCognome", "Rossi"}, {"txtNome", "Maria"}, {"txtCodFisc", "RSSMRA85T10A562S"},
                     {"txtAttivita", "Pulizie"}}}},
    };
    return k;
}

QString label(QWidget *screen, const char *name) { return ScreenFixture::child<QLabel>(screen, name)->text(); }
QString field(QDialog *d, const char *name) { return ScreenFixture::child<QLineEdit>(d, name)->text(); }
}

class TestAttachFolderDialog : public QObject
{
    Q_OBJECT

    CardScreen *openKind(ScreenFixture &fx, const Kind &k)
    {
        fx.screens->mainMenu->open();
        ScreenFixture::click(fx.screens->mainMenu, k.picture);
        if (k.menuButton)
            ScreenFixture::click(Navigation::current(), k.menuButton);
        auto *screen = qobject_cast<CardScreen *>(Navigation::current());
        if (screen)
            ScreenFixture::activate(screen);
        return screen;
    }
    // Opens the attachment dialog of the screen and runs f on it.
    static void attach(CardScreen *screen, const Kind &k, std::function<void(QDialog *)> f)
    {
        bool seen = false;
        Modal::on([&](QDialog *d) {
            seen = true;
            f(d);
        });
        ScreenFixture::click(screen, k.attach);
        QVERIFY(seen);
    }

private slots:
    void attachmentsLiveWithTheCard_data()
    {
        QTest::addColumn<QString>("tag");
        for (const char *tag : {"istruttori", "orari", "turni", "settimanale", "lavori"})
            QTest::newRow(tag) << tag;
    }
    // Picked, applied, saved, reloaded, copied by Duplicate into a card without them.
    void attachmentsLiveWithTheCard()
    {
        QFETCH(QString, tag);
        const Kind &k = kinds()[tag];
        ScreenFixture fx;
        CardScreen *screen = openKind(fx, k);
        QVERIFY(screen);
        QCOMPARE(screen->objectName(), QString(k.screen));
        for (const auto &[box, text] : k.required)
            ScreenFixture::child<QLineEdit>(screen, box)->setText(text);
        const QString contract = "C:\\Documenti\\contratto firmato è.pdf";
        const QString longPath = "/archivio/" + QString(300, 'p');
        attach(screen, k, [&](QDialog *d) {
            QCOMPARE(d->windowTitle(), QString(" Allega file"));
            QCOMPARE(field(d, "txtFile01"), QString());
            QCOMPARE(ScreenFixture::child<QLabel>(d, "lblMemory")->text(), tag);
            Documents::Test::queueFile(contract);
            ScreenFixture::click(d, "btnSfoglia01");
            Documents::Test::queueFile(longPath);
            ScreenFixture::click(d, "btnSfoglia03");
            ScreenFixture::child<QLineEdit>(d, "txtDesc01")->setText("  Contratto  ");
            ScreenFixture::child<QLineEdit>(d, "txtDesc02")->setText("Senza file");
            ScreenFixture::click(d, "btnApplica");
            QVERIFY(!d->isVisible());
        });
        QCOMPARE(label(screen, "lblFile01"), contract);
        QCOMPARE(label(screen, "lblDesc01"), QString("Contratto"));
        ScreenFixture::click(screen, k.save);
        QCOMPARE(Dialogs::Test::last().text, CardText::inserted());

        screen->newCard();
        QCOMPARE(label(screen, "lblFile01"), QString());
        screen->first();
        QCOMPARE(label(screen, "lblFile01"), contract);
        QCOMPARE(label(screen, "lblDesc02"), QString("Senza file"));
        QCOMPARE(label(screen, "lblFile03"), longPath.left(250));
        attach(screen, k, [&](QDialog *d) {
            QCOMPARE(field(d, "txtFile01"), contract);
            QCOMPARE(field(d, "txtDesc01"), QString("Contratto"));
            QVERIFY(ScreenFixture::child(d, "btnApri01")->isEnabled());
            QVERIFY(!ScreenFixture::child(d, "btnApri02")->isEnabled());
            QVERIFY(ScreenFixture::child(d, "btnApri03")->isEnabled());
        });
        if (k.duplicate) {
            ScreenFixture::click(screen, k.duplicate);
            QCOMPARE(Dialogs::Test::last().text, CardText::duplicated());
            for (const char *l : {"lblFile01", "lblDesc01", "lblDesc02", "lblFile03"})
                QCOMPARE(label(screen, l), QString());
        }
    }

    // The dialog's own commands: cancel, clear, a cancelled chooser, opening present and missing files.
    void dialogCommands()
    {
        ScreenFixture fx;
        const Kind &k = kinds()["istruttori"];
        CardScreen *screen = openKind(fx, k);
        QVERIFY(screen);
        const QString present = fx.path("documento con spazi.txt");
        QFile f(present);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        ScreenFixture::child<QLabel>(screen, "lblFile01")->setText(present);
        ScreenFixture::child<QLabel>(screen, "lblFile02")->setText(fx.path("sparito.pdf"));
        attach(screen, k, [&](QDialog *d) {
            ScreenFixture::click(d, "btnApri01");
            QCOMPARE(Desktop::Test::opened().value(0), QUrl::fromLocalFile(present));
            QVERIFY(Dialogs::Test::shown().isEmpty());

            ScreenFixture::click(d, "btnApri02");
            QCOMPARE(Desktop::Test::opened().size(), 1);
            QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Warning);
            QVERIFY(Dialogs::Test::last().text.contains("non esiste più"));
            QVERIFY(Dialogs::Test::last().text.contains("sparito.pdf"));

            ScreenFixture::click(d, "btnSfoglia01");   // nothing queued: the user cancels
            QCOMPARE(field(d, "txtFile01"), present);
            ScreenFixture::click(d, "imgCancella02");
            QCOMPARE(field(d, "txtFile02"), QString());
            QVERIFY(!ScreenFixture::child(d, "btnApri02")->isEnabled());
            ScreenFixture::click(d, "btnAnnulla");
        });
        QCOMPARE(label(screen, "lblFile02"), fx.path("sparito.pdf"));
    }
};

QTEST_MAIN(TestAttachFolderDialog)
#include "TestAttachFolderDialog.moc"
