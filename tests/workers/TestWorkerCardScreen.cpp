#include "support/RecordFiles.h"
#include "support/ScreenFixture.h"
#include "workers/WorkerCardScreen.h"
#include "workers/WorkerRecord.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLayout>
#include <QStyle>
#include <functional>

namespace {
// The expected bytes of a stored card, built from the published offsets.
QByteArray card(const QList<QPair<int, QByteArray>> &fields)
{
    return RecordFiles::atOffsets(4043, fields);
}

QByteArray minimalCard(const QByteArray &surname, const QByteArray &name)
{
    return card({{0, surname}, {51, name}, {2393, "15/06/2017"}, {2404, "15/06/2017"}, {2415, "0"},
                 {2419, "0,00"}, {2486, "0,00"}});
}
}

class TestWorkerCardScreen : public QObject
{
    Q_OBJECT

    WorkerCardScreen *screen = nullptr;
    QLineEdit *box(const char *field) { return ScreenFixture::child<QLineEdit>(screen, (QByteArray("txt") + field).constData()); }
    QString position() { return screen->lblPosizione()->text(); }
    void fill(const char *surname, const char *name)
    {
        box("Cognome")->setText(QString::fromUtf8(surname));
        box("Nome")->setText(QString::fromUtf8(name));
    }

private slots:
    void savesNewCardsByteExact()
    {
        ScreenFixture fx;
        screen = fx.screens->workers;
        screen->open();
        QCOMPARE(box("Decorrenza")->text(), QString("15/06/2017"));
        QCOMPARE(box("Totale")->text(), QString("0,00"));
        QVERIFY(position().isEmpty());

        fill("  Rossi  ", "Maria");
        ScreenFixture::click(screen, "cmdSalva");
        QCOMPARE(Dialogs::Test::last().text, QString("La scheda corrente è stata inserita in archivio."));
        QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Information);
        QCOMPARE(position(), QString("1"));
        QCOMPARE(fx.fileBytes("Dipendenti.pro"), minimalCard("Rossi", "Maria"));

        ScreenFixture::click(screen, "cmdNuovo");
        QVERIFY(position().isEmpty());
        QVERIFY(box("Cognome")->text().isEmpty());
        fill("Bianchi", "€ 中");
        ScreenFixture::click(screen, "cmdSalva");
        QCOMPARE(position(), QString("2"));
        const QByteArray bytes = fx.fileBytes("Dipendenti.pro");
        QCOMPARE(bytes.size(), 8086);
        QCOMPARE(bytes.mid(4043), minimalCard("Bianchi", "\x80 ?"));

        // A stored card is rewritten in place.
        ScreenFixture::click(screen, "cmdPrimo");
        box("Note")->setText("ok");
        ScreenFixture::click(screen, "cmdSalva");
        QCOMPARE(Dialogs::Test::last().text, QString("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
        QCOMPARE(position(), QString("1"));
        const QByteArray after = fx.fileBytes("Dipendenti.pro");
        QCOMPARE(after.size(), 8086);
        QCOMPARE(after.mid(1783, 3), QByteArray("\x02ok"));
        QCOMPARE(after.mid(4043), bytes.mid(4043));
    }

    void saveChecksInOrder_data()
    {
        QTest::addColumn<QString>("setup");   // field=value pairs separated by '|'
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QString fmt = "\n\r\n\rPer poter salvare la scheda è necessario indicare una data valida nel formato gg/mm/aaaa.";
        QTest::newRow("surname") << "Cognome= " << "warning"
                                 << "Attenzione: per salvare la scheda è necessario indicare il cognome del lavoratore." << "txtCognome";
        QTest::newRow("name") << "Nome=" << "warning"
                              << "Attenzione: per salvare la scheda è necessario indicare il nome del lavoratore." << "txtNome";
        QTest::newRow("start empty") << "Decorrenza=|Scadenza=" << "warning"
                                     << "Attenzione: per salvare la scheda è necessario indicare la data di decorrenza del contratto di assunzione."
                                     << "txtDecorrenza";
        QTest::newRow("expiry empty") << "Scadenza=" << "warning"
                                      << "Attenzione: per salvare la scheda è necessario indicare la data di scadenza del contratto di assunzione."
                                      << "txtScadenza";
        QTest::newRow("start invalid") << "Decorrenza=31/02/2017|Scadenza=x" << "notice"
                                       << "Attenzione: la data di decorrenza del contratto 31/02/2017 non esiste." + fmt << "txtDecorrenza";
        QTest::newRow("expiry invalid") << "Scadenza=1-1-2018" << "notice"
                                        << "Attenzione: la data di scadenza del contratto 1-1-2018 non esiste." + fmt << "txtScadenza";
        QTest::newRow("interval") << "Decorrenza=10/05/2017|Scadenza=09/05/2017|Preavviso=" << "notice"
                                  << "Attenzione: la data di scadenza del contratto (09/05/2017) non può essere anteriore a quella di "
                                     "decorrenza (10/05/2017).\n\r\n\rPer poter salvare la scheda è necessario indicare un intervallo di tempo valido."
                                  << "txtCognome";
        QTest::newRow("notice days") << "Preavviso=" << "warning"
                                     << "Attenzione: per salvare la scheda è necessario indicare i giorni di preavviso." << "txtPreavviso";
    }
    void saveChecksInOrder()
    {
        QFETCH(QString, setup);
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        ScreenFixture fx;
        screen = fx.screens->workers;
        screen->open();
        ScreenFixture::activate(screen);
        fill("Rossi", "Maria");
        for (const QString &pair : setup.split('|')) {
            const QString field = pair.section('=', 0, 0), value = pair.section('=', 1);
            box(qPrintable(field))->setText(value);
        }
        box("Cognome")->setFocus();
        Dialogs::Test::clear();
        ScreenFixture::click(screen, "cmdSalva");
        QCOMPARE(Dialogs::Test::shown().size(), 1);
        QCOMPARE(kindName(Dialogs::Test::last().kind), qPrintable(kind));
        QCOMPARE(Dialogs::Test::last().text, message);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QVERIFY(!QFile::exists(fx.path("Dipendenti.pro")));
    }

    void equalDatesSave()
    {
        ScreenFixture fx;
        screen = fx.screens->workers;
        screen->open();
        fill("Rossi", "Maria");
        box("Decorrenza")->setText("10/05/2017");
        box("Scadenza")->setText("10/05/2017");
        ScreenFixture::click(screen, "cmdSalva");
        QCOMPARE(position(), QString("1"));
    }

    void browsing()
    {
        ScreenFixture fx;
        screen = fx.screens->workers;
        screen->open();
        ScreenFixture::click(screen, "cmdPrimo");
        QCOMPARE(Dialogs::Test::last().text, QString("L'archivio non contiene nessuna scheda."));
        QVERIFY(QFile::exists(fx.path("Dipendenti.pro")));
        QCOMPARE(QFileInfo(fx.path("Dipendenti.pro")).size(), 0);

        for (const char *s : {"Uno", "Due", "Tre"}) {
            ScreenFixture::click(screen, "cmdNuovo");
            fill(s, "X");
            ScreenFixture::click(screen, "cmdSalva");
        }
        Dialogs::Test::clear();
        const auto at = [&](const char *cmd) {
            ScreenFixture::click(screen, cmd);
            return box("Cognome")->text() + "@" + position();
        };
        ScreenFixture::click(screen, "cmdNuovo");
        QCOMPARE(at("cmdAvanti"), QString("Uno@1"));        // a new card moves to the first
        ScreenFixture::click(screen, "cmdNuovo");
        QCOMPARE(at("cmdIndietro"), QString("Uno@1"));
        QCOMPARE(at("cmdIndietro"), QString("Uno@1"));      // first card: nothing happens
        QCOMPARE(at("cmdAvanti"), QString("Due@2"));
        QCOMPARE(at("cmdUltimo"), QString("Tre@3"));
        box("Cognome")->setText("edited");
        QCOMPARE(at("cmdAvanti"), QString("edited@3"));     // last card: nothing happens
        QCOMPARE(at("cmdPrimo"), QString("Uno@1"));
        QVERIFY(Dialogs::Test::shown().isEmpty());

        // Showing the screen again starts a new card.
        screen->close();
        screen->open();
        QVERIFY(position().isEmpty());
    }

    void archiveAccessFailureKeepsScreen()
    {
        ScreenFixture fx;
        QVERIFY(QDir(fx.dir.path()).mkdir("Dipendenti.pro"));   // a folder where the file should be
        screen = fx.screens->workers;
        screen->open();
        fill("Rossi", "Maria");
        ScreenFixture::click(screen, "cmdSalva");
        QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Error);
        QCOMPARE(Dialogs::Test::last().text, Dialogs::archiveAccessText());
        QVERIFY(position().isEmpty());
        QCOMPARE(box("Cognome")->text(), QString("Rossi"));
        ScreenFixture::click(screen, "cmdUltimo");
        QCOMPARE(Dialogs::Test::last().text, Dialogs::archiveAccessText());
    }

    void damagedCardLoadsWithinWidths()
    {
        ScreenFixture fx;
        QByteArray bad = minimalCard("Rossi", "Maria");
        bad[119] = char(250);                  // Sesso: text[1] with a wild length byte
        bad[120] = 'F';
        QFile f(fx.path("Dipendenti.pro"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bad + QByteArray(100, 'z'));   // and a torn tail
        f.close();
        screen = fx.screens->workers;
        screen->open();
        ScreenFixture::click(screen, "cmdUltimo");
        QCOMPARE(position(), QString("1"));
        QCOMPARE(box("Sesso")->text(), QString("F"));
        QCOMPARE(box("Cognome")->text(), QString("Rossi"));
    }

    void keyHandling()
    {
        ScreenFixture fx;
        screen = fx.screens->workers;
        screen->open();
        ScreenFixture::activate(screen);

        box("Iva")->setFocus();
        QTest::keyClicks(box("Iva"), "12a 3");
        QTest::keyClick(box("Iva"), Qt::Key_Left);
        QTest::keyClick(box("Iva"), Qt::Key_Backspace);
        QCOMPARE(box("Iva")->text(), QString("13"));

        box("Rata")->setFocus();
        box("Rata")->clear();
        QTest::keyClicks(box("Rata"), "1.2-a,5");
        QCOMPARE(box("Rata")->text(), QString("12,5"));
        QTest::keyClick(box("Rata"), Qt::Key_Return);      // last box: back to the first
        QCOMPARE(QApplication::focusWidget(), box("Cognome"));
        QCOMPARE(box("Rata")->text(), QString("12,50"));   // amount rule when left
        QTest::keyClick(box("Cognome"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), box("Nome"));

        box("Totale")->setText("1,2,3");                    // however the text got there
        box("Totale")->setFocus();
        box("Cognome")->setFocus();
        QCOMPARE(box("Totale")->text(), QString("0,00"));
        box("Totale")->setFocus();
        box("Totale")->selectAll();
        QTest::keyClicks(box("Totale"), QString(20, '9'));
        QCOMPARE(box("Totale")->text().size(), 15);

        box("CodFisc")->setFocus();
        QTest::keyClicks(box("CodFisc"), "rssmra80 ");
        QCOMPARE(box("CodFisc")->text(), QString("RSSMRA80"));
        auto *prov = ScreenFixture::child<QComboBox>(screen, "txtProvRes");
        QCOMPARE(prov->count(), 112);
        prov->setFocus();
        QTest::keyClicks(prov, "mi");
        QCOMPARE(prov->currentText(), QString("MI"));

        QWidget *frame = ScreenFixture::child(screen, "effCognome");
        box("Cognome")->setFocus();
        QVERIFY(frame->isVisible());
        box("Nome")->setFocus();
        QVERIFY(!frame->isVisible());
        QVERIFY(ScreenFixture::child(screen, "effNome")->isVisible());
    }

    // Every box lies inside the window and the longest value of each code shows whole.
    void valuesShowWholeOnSmallScreens_data()
    {
        QTest::addColumn<QSize>("screenSize");
        QTest::newRow("1024x768") << QSize(1024, 768);
        QTest::newRow("1280x800") << QSize(1280, 800);
    }
    void valuesShowWholeOnSmallScreens()
    {
        QFETCH(QSize, screenSize);
        ScreenFixture fx;
        screen = fx.screens->workers;
        screen->show();
        const QSize window = screenSize - QSize(0, 40);   // room for a title bar
        screen->resize(window);
        screen->layout()->activate();
        QApplication::processEvents();
        QCOMPARE(screen->size(), window);   // not held wider or taller by what it holds
        const QRect inside = screen->rect();
        for (QWidget *w : screen->findChildren<QWidget *>(QRegularExpression("^(txt|btn)")))
            QVERIFY2(inside.contains(QRect(w->mapTo(screen, QPoint()), w->size())), qPrintable(w->objectName()));
        const QList<QPair<const char *, QString>> longest = {
            {"CodFisc", "MMMMMM88M88M888M"}, {"Iban", "IT88M8888888888888888888888"}, {"Carta", "8888888888888888888"},
            {"Iva", "88888888888"}, {"Email", "mariagrazia.bevilacqua@example.it"}, {"DataNasc", "28/08/1988"},
            {"Scadenza", "28/08/2028"}, {"Totale", "8888888888,8888"}, {"Cap", "88888"}, {"Preavviso", "888"}};
        for (const auto &[field, text] : longest) {
            QLineEdit *b = box(field);
            const int frame = b->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b);
            const int room = b->width() - 2 * frame - 4;   // the line edit's own margins
            QVERIFY2(b->fontMetrics().horizontalAdvance(text) <= room,
                     qPrintable(QString("%1: %2 > %3").arg(field).arg(b->fontMetrics().horizontalAdvance(text)).arg(room)));
        }
    }

    void emailOpensNewMessage()
    {
        ScreenFixture fx;
        screen = fx.screens->workers;
        screen->open();
        box("Email")->setText(" mario.rossi@example.it ");
        ScreenFixture::click(screen, "btnEmail");
        QCOMPARE(Desktop::Test::opened().last().toString(), QString("mailto:mario.rossi@example.it"));
        box("Email")->clear();
        ScreenFixture::click(screen, "btnEmail");
        QCOMPARE(Desktop::Test::opened().last().scheme(), QString("mailto"));
        QVERIFY(Desktop::Test::opened().last().path().isEmpty());
    }

    void hintLine()
    {
        ScreenFixture fx;
        screen = fx.screens->workers;
        screen->open();
        QLabel *info = screen->panInfo();
        QCOMPARE(info->text(), QString("Pronto per salvare una nuova scheda..."));
        // The window appearing under a resting mouse gets Enter events: the ready message stays
        // until the mouse moves.
        QEvent enter(QEvent::Enter);
        QWidget *form = ScreenFixture::child(screen, "panScheda");
        QApplication::sendEvent(form, &enter);
        QApplication::sendEvent(ScreenFixture::child(screen, "cmdSalva"), &enter);
        QCOMPARE(info->text(), QString("Pronto per salvare una nuova scheda..."));
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(ScreenFixture::child(screen, "cmdSalva"), &move);
        QCOMPARE(info->text(), QString("Salva la scheda corrente in archivio."));
        // A text box leaves the hint alone; every kind of background empties it.
        QApplication::sendEvent(ScreenFixture::child(screen, "txtCognome"), &enter);
        QCOMPARE(info->text(), QString("Salva la scheda corrente in archivio."));
        const QList<QWidget *> backgrounds{form, form->findChild<QGroupBox *>(), form->findChild<QLabel *>()};
        for (QWidget *background : backgrounds) {
            QVERIFY(background);
            QApplication::sendEvent(ScreenFixture::child(screen, "cmdSalva"), &enter);
            QApplication::sendEvent(background, &enter);
            QVERIFY2(info->text().isEmpty(), qPrintable(background->metaObject()->className()));
        }
        // Shown again: the ready message is back until the mouse moves.
        screen->hide();
        screen->open();
        QCOMPARE(info->text(), QString("Pronto per salvare una nuova scheda..."));
    }
};

QTEST_MAIN(TestWorkerCardScreen)
#include "TestWorkerCardScreen.moc"
