#include "archive/ResultList.h"
#include "support/Modal.h"
#include "support/RecordFiles.h"
#include "support/ScreenFixture.h"
#include "workers/WorkerCardScreen.h"
#include "workers/WorkerFind.h"
#include "workers/WorkerFindScreen.h"
#include "workers/WorkerRecord.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>
#include <functional>

namespace {
using RecordFiles::Fields;

Record worker(const Fields &fields) { return RecordFiles::make(WorkerRecord::layout(), fields); }

void writeWorkers(const QList<Record> &records)
{
    QVERIFY(RecordFiles::write(ProgramFolder::file("Dipendenti.pro"), records));
}

QString line(const Find::LineBuilder &builder, const Record &r)
{
    QByteArray out;
    builder(r.bytes().constData(), out);
    return QString::fromLatin1(out);
}


// Picks the only line found for a surname in a worker find screen of the given mode.
void findAndPick(const QString &mode, const QString &surname)
{
    FindScreen screen(WorkerFindScreen::definition());
    screen.setMode(mode);
    screen.show();
    screen.filterBox(0)->setText(surname);
    QTest::mouseClick(ScreenFixture::child(&screen, "btnCerca"), Qt::LeftButton);
    QCOMPARE(ScreenFixture::child<ResultList>(&screen, "lstRecords")->count(), 1);
    Modal::pick(&screen);
    QVERIFY(!screen.isVisible());
}

// A stand-in for a module screen that imports workers: a window with the named boxes.
struct StandIn {
    QWidget window;
    StandIn(const char *name, const QStringList &boxes)
    {
        window.setObjectName(QLatin1String(name));
        for (const QString &b : boxes)
            (new QLineEdit(&window))->setObjectName(b);
        window.show();
    }
    QString text(const char *box) { return ScreenFixture::child<QLineEdit>(&window, box)->text(); }
};

const Fields Rossi = {{"Cognome", "Rossi"}, {"Nome", "Mario"}, {"CodFisc", "RSSMRA80A01H501U"}, {"Recapito", "333 1234567"},
                      {"Codice", "Istruttore"}, {"Categoria", "B1"}, {"Scadenza", "10/06/2017"}, {"Preavviso", "10"}};
}

class TestWorkerFindScreen : public QObject
{
    Q_OBJECT
private slots:
    void filterPanel()
    {
        ScreenFixture fx;
        FindScreen screen(WorkerFindScreen::definition());
        screen.show();
        ScreenFixture::activate(&screen);
        QCOMPARE(screen.objectName(), QString("TfrmTrovaIstruttori"));
        QCOMPARE(screen.windowTitle(), QString(" Trova lavoratori in archivio"));
        const QList<QPair<QString, QString>> boxes = {
            {"txtCognome", "Cognome:"}, {"txtNome", "Nome:"}, {"txtCodice", "Mansione:"}, {"txtCategoria", "Categoria:"},
            {"txtCodFisc", "Codice fiscale:"}, {"txtIva", "Partita IVA:"}, {"txtFamiliari", "Giorni e orari disponibilità:"},
            {"txtProdotti", "Equipaggiamento assegnato:"}, {"txtAcquisto", "Tipo contratto:"}, {"txtNote", "Note:"}};
        QStringList labels;
        for (QLabel *l : screen.findChildren<QLabel *>())
            if (l->buddy())
                labels << l->buddy()->objectName() + "=" + l->text();
        for (int i = 0; i < boxes.size(); ++i) {
            QWidget *box = QApplication::focusWidget();
            QCOMPARE(box->objectName(), boxes[i].first);
            QVERIFY(labels.contains(boxes[i].first + "=" + boxes[i].second));
            QVERIFY(ScreenFixture::child(&screen, qPrintable("eff" + boxes[i].first.mid(3)))->isVisible());
            QTest::keyClick(box, Qt::Key_Return);
        }
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("txtCognome"));
    }

    void resultLines()
    {
        const Record r = worker(Rossi + Fields{{"Codice", "Istruttore di nuoto e fitness"}, {"Note", "turni serali"},
                                               {"Totale", "1200,00"}, {"Rata", "100,00"}, {"Acquisto", "Tempo determinato"}});
        QCOMPARE(line(WorkerFind::line(), r),
                 QString("Rossi Mario                 "
                         "  C.F. RSSMRA80A01H501U"
                         "  Mans. Istruttore di nuoto e fi"
                         "  Tel. 333 1234567   "
                         "  Note: turni serali"));
        QCOMPARE(line(WorkerFind::contractLine(), r),
                 QString::fromLatin1("Rossi Mario                   "
                                     "  Tel. 333 1234567 "
                                     "  Scad. 10/06/2017"
                                     "  Tot. \x80 1200,00     "
                                     "  Rata: \x80 100,00      "
                                     "  Tipo: Tempo determinato"));
    }

    void contractRule_data()
    {
        QTest::addColumn<QString>("expiry");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<int>("state");
        const int due = int(WorkerFind::Contract::Due), notDue = int(WorkerFind::Contract::NotDue),
                  unreadable = int(WorkerFind::Contract::Unreadable);
        // Today is 31/05/2017.
        QTest::newRow("notice period starts today") << "10/06/2017" << "10" << due;
        QTest::newRow("notice period starts tomorrow") << "10/06/2017" << "9" << notDue;
        QTest::newRow("long expired") << "01/01/2015" << "0" << due;
        QTest::newRow("no notice, expiry today") << "31/05/2017" << "0" << due;
        QTest::newRow("no notice, expiry tomorrow") << "01/06/2017" << "0" << notDue;
        QTest::newRow("short date form") << "10/6/17" << "10" << due;
        QTest::newRow("negative notice") << "29/05/2017" << "-2" << due;
        QTest::newRow("date that does not exist") << "31/02/2017" << "10" << unreadable;
        QTest::newRow("not a date") << "giugno" << "10" << unreadable;
        QTest::newRow("year zero") << "01/01/0000" << "0" << unreadable;
        QTest::newRow("empty notice") << "10/06/2017" << "" << unreadable;
        QTest::newRow("notice not a number") << "10/06/2017" << "1O" << unreadable;
    }
    void contractRule()
    {
        QFETCH(QString, expiry);
        QFETCH(QString, notice);
        QFETCH(int, state);
        const Record r = worker({{"Scadenza", expiry}, {"Preavviso", notice}});
        QCOMPARE(int(WorkerFind::contract(r.bytes().constData(), QDate(2017, 5, 31))), state);
    }

    void contractSummaryListsEveryReadableCard()
    {
        ScreenFixture fx(QDate(2017, 5, 31));
        // Cards that do not convert sit between due ones; they must not end the listing.
        writeWorkers({worker({{"Cognome", "Verdi"}, {"Scadenza", "01/01/2015"}, {"Preavviso", "0"}}),
                      worker({{"Cognome", "Guasto"}, {"Scadenza", "31/02/2017"}, {"Preavviso", "0"}}),
                      worker({{"Cognome", "Bianchi"}, {"Scadenza", "10/06/2017"}, {"Preavviso", "10"}}),
                      worker({{"Cognome", "Senza"}, {"Scadenza", "10/06/2017"}, {"Preavviso", ""}}),
                      worker({{"Cognome", "Neri"}, {"Scadenza", "10/06/2017"}, {"Preavviso", "9"}}),
                      worker({{"Cognome", "Azzurri"}, {"Scadenza", "31/05/2017"}, {"Preavviso", "0"}})});
        SummaryScreen summary(WorkerFindScreen::contractsDue());
        summary.show();
        ScreenFixture::activate(&summary);
        QCOMPARE(summary.windowTitle(), QString(" Riepilogo contratti in scadenza o scaduti"));
        QVERIFY(!summary.findChild<QLabel *>("lblTrovate"));
        auto *list = ScreenFixture::child<ResultList>(&summary, "lstRecords");
        QStringList names;
        for (const QString &l : list->lines())
            names << l.section(' ', 0, 0);
        QCOMPARE(names, (QStringList{"Azzurri", "Bianchi", "Verdi"}));
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("lstRecords"));   // arrows and Enter at once
        // On a 1280-wide screen "Rata" and "Tipo" are in view without scrolling.
        summary.setFixedWidth(1260);
        QApplication::processEvents();
        QVERIFY(QFontMetrics(list->font()).horizontalAdvance(QString(WorkerFind::ContractColumnsInView, 'X'))
                <= list->viewport()->width());
        QVERIFY(list->font().pointSize() >= 9);
        QTRY_COMPARE(Dialogs::Test::shown().size(), 1);
        QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Notice);
        QCOMPARE(Dialogs::Test::last().text,
                 QString("Attenzione: 2 schede non sono state incluse nel riepilogo perché la data di scadenza "
                         "o i giorni di preavviso non sono validi."));
        summary.close();
        QCOMPARE(list->count(), 0);
    }

    // At its own size the summary shows the contract's type: long names and amounts give up
    // room, a name cut short ends with "…" and is read whole under the list.
    void contractSummaryShowsTheType()
    {
        ScreenFixture fx(QDate(2017, 5, 31));
        writeWorkers({worker({{"Cognome", "Della Valle Bonaccorsi"}, {"Nome", "Maria Antonietta"}, {"Recapito", "0212345678"},
                              {"Scadenza", "01/06/2017"}, {"Preavviso", "5"}, {"Totale", "12000,00"},
                              {"Rata", "1000,00"}, {"Acquisto", "Tempo determinato"}})});
        SummaryScreen summary(WorkerFindScreen::contractsDue());
        summary.show();
        ScreenFixture::activate(&summary);
        auto *list = ScreenFixture::child<ResultList>(&summary, "lstRecords");
        QCOMPARE(list->count(), 1);
        const QString shown = list->shownLine(0);
        const int end = int(shown.indexOf("Tipo: Tempo determinato")) + 16;   // the type's beginning
        QVERIFY2(end > 16, qPrintable(shown));
        QVERIFY(QFontMetrics(list->font()).horizontalAdvance(shown.left(end)) <= list->viewport()->width());
        QVERIFY(shown.startsWith("Della Val") && shown.contains(QChar(0x2026)));
        QVERIFY(shown.contains("Tel. 0212345678") && shown.contains("12000,00") && shown.contains("1000,00"));
        QCOMPARE(list->line(0).left(30), QString("Della Valle Bonaccorsi Maria A"));   // picks and prints whole
        auto *whole = ScreenFixture::child<QLabel>(&summary, "lblRigaIntera");
        QVERIFY(whole->isVisible());
        QVERIFY(whole->text().startsWith("Della Valle Bonaccorsi Maria A Tel. 0212345678"));
    }

    void contractSummaryWithoutTroubleSaysNothing()
    {
        ScreenFixture fx(QDate(2017, 5, 31));
        writeWorkers({worker({{"Cognome", "Verdi"}, {"Scadenza", "01/01/2030"}, {"Preavviso", "0"}})});
        SummaryScreen summary(WorkerFindScreen::contractsDue());
        summary.show();
        QTest::qWait(20);
        QCOMPARE(ScreenFixture::child<ResultList>(&summary, "lstRecords")->count(), 0);
        QVERIFY(Dialogs::Test::shown().isEmpty());

        QFile::remove(fx.path("Dipendenti.pro"));
        QVERIFY(QDir(fx.dir.path()).mkdir("Dipendenti.pro"));
        SummaryScreen failing(WorkerFindScreen::contractsDue());
        failing.show();
        QTRY_COMPARE(Dialogs::Test::shown().size(), 1);
        QCOMPARE(Dialogs::Test::last().text, Dialogs::archiveAccessText());
    }

    void registryCommandsOpenFindAndSummary()
    {
        ScreenFixture fx(QDate(2017, 5, 31));
        writeWorkers({worker({{"Cognome", "Bianchi"}, {"Nome", "Luca"}, {"Scadenza", "01/01/2030"}, {"Preavviso", "0"}}),
                      worker(Rossi + Fields{{"Email", "mario@example.it"}, {"File01", "/doc/contratto.pdf"}})});
        WorkerCardScreen *registry = fx.screens->workers;
        registry->open();
        QVERIFY(ScreenFixture::child(registry, "cmdTrova")->isEnabled());
        QVERIFY(ScreenFixture::child(registry, "cmdScaduti")->isEnabled());

        // "istruttori": the whole card with its position.
        Modal::on([](QDialog *d) {
            QCOMPARE(d->objectName(), QString("TfrmTrovaIstruttori"));
            QCOMPARE(ScreenFixture::child<QLabel>(d, "lblMemory")->text(), QString("istruttori"));
            ScreenFixture::child<QLineEdit>(d, "txtCodice")->setText("struttore");
            QTest::mouseClick(ScreenFixture::child(d, "btnCerca"), Qt::LeftButton);
            Modal::pick(d);
        });
        ScreenFixture::click(registry, "cmdTrova");
        QCOMPARE(registry->lblPosizione()->text(), QString("2"));
        QCOMPARE(ScreenFixture::child<QLineEdit>(registry, "txtEmail")->text(), QString("mario@example.it"));
        QCOMPARE(ScreenFixture::child<QLabel>(registry, "lblFile01")->text(), QString("/doc/contratto.pdf"));

        // The contract summary replaces whatever card is shown, saved or not.
        ScreenFixture::click(registry, "cmdNuovo");
        ScreenFixture::child<QLineEdit>(registry, "txtCognome")->setText("Non salvato");
        Modal::on([](QDialog *d) {
            QCOMPARE(d->objectName(), QString("TfrmDaRinnovare"));
            QCOMPARE(ScreenFixture::child<ResultList>(d, "lstRecords")->count(), 1);
            Modal::pick(d);
        });
        ScreenFixture::click(registry, "cmdScaduti");
        QCOMPARE(registry->lblPosizione()->text(), QString("2"));
        QCOMPARE(ScreenFixture::child<QLineEdit>(registry, "txtCognome")->text(), QString("Rossi"));
    }

    // The find screen looks the same whoever opens it: the work card's own box colours stay
    // on the card.
    void findScreenLooksTheSameFromEveryCard()
    {
        ScreenFixture fx;
        const auto boxColour = [](QWidget *caller, const char *command) {
            QColor colour;
            Modal::on([&colour](QDialog *d) {
                auto *box = ScreenFixture::child<QLineEdit>(d, "txtCognome");
                box->ensurePolished();
                colour = box->palette().color(QPalette::Base);
            });
            ScreenFixture::click(caller, command);
            return colour;
        };
        fx.screens->workers->open();
        const QColor fromRegistry = boxColour(fx.screens->workers, "cmdTrova");
        fx.screens->workLog->findChild<QLabel *>("lblFile")->setText(fx.path("2017.lav"));
        fx.screens->workLog->open();
        const QColor fromWorkCard = boxColour(fx.screens->workLog, "impLavoratore");
        QVERIFY(fromRegistry.isValid());
        QCOMPARE(fromWorkCard, fromRegistry);
        auto *cardBox = fx.screens->workLog->findChild<QLineEdit *>("txtCognome");
        cardBox->ensurePolished();
        QCOMPARE(cardBox->palette().color(QPalette::Base), QColor(0xF0, 0xF8, 0xFF));
    }

    void importModes()
    {
        ScreenFixture fx;
        writeWorkers({worker(Rossi), worker({{"Cognome", "Bianchi"}, {"Nome", "Luca"}, {"Recapito", "02 555"}, {"CodFisc", "BNCLCU"}})});

        StandIn turni("TfrmTurni", {"txtLavoratore02", "txtLavoratore03"});
        findAndPick("turni_03", "Rossi");
        findAndPick("turni_03", "Bianchi");
        QCOMPARE(turni.text("txtLavoratore03"), QString("Rossi Mario, Bianchi Luca"));
        QVERIFY(turni.text("txtLavoratore02").isEmpty());

        StandIn lavori("TfrmLavori", {"txtCognome", "txtNome", "txtCodFisc", "txtRecapito", "txtMansione", "txtCategoria"});
        findAndPick("lavori", "Rossi");
        QCOMPARE(lavori.text("txtMansione"), QString("Istruttore"));
        QCOMPARE(lavori.text("txtCategoria"), QString("B1"));
        QCOMPARE(lavori.text("txtRecapito"), QString("333 1234567"));
        QCOMPARE(lavori.text("txtCodFisc"), QString("RSSMRA80A01H501U"));

        StandIn referti("TfrmReferti", {"txtResponsabile", "txtRecapito"});
        findAndPick("referti", "Bianchi");
        QCOMPARE(referti.text("txtResponsabile"), QString("Bianchi Luca"));
        QCOMPARE(referti.text("txtRecapito"), QString("02 555"));

        StandIn pagamenti("TfrmMenuRiepilogoPagamenti", {"txtTipologia"});
        findAndPick("riep_pagamenti", "Bianchi");
        QCOMPARE(pagamenti.text("txtTipologia"), QString("BNCLCU"));

        // An import never touches the registry screen.
        QLabel *position = fx.screens->workers->lblPosizione();   // none until first shown
        QVERIFY(!position || position->text().isEmpty());
    }
};

QTEST_MAIN(TestWorkerFindScreen)
#include "TestWorkerFindScreen.moc"
