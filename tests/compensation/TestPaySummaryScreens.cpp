#include "shell/MainMenu.h"
#include "archive/ResultList.h"
#include "compensation/PaySummaryScreen.h"
#include "compensation/PaySummarySetupScreen.h"
#include "framework/Printing.h"
#include "shell/PaymentsMenu.h"
#include "shell/YearMenu.h"
#include "support/RecordFiles.h"
#include "support/ScreenFixture.h"
#include "workers/WorkerRecord.h"
#include "WorkLogFixture.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>

#include <functional>

namespace {

const QString Lf = QStringLiteral("\n\r\n\r");

// Runs f on the modal dialog a command is about to open, then closes it as Esci does.
void onModal(std::function<void(QDialog *)> f)
{
    QTimer::singleShot(0, [f] {
        auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(d);
        ScreenFixture::activate(d);
        f(d);
        if (d->isVisible())
            QTest::mouseClick(ScreenFixture::child(d, "btnEsci"), Qt::LeftButton);
    });
}

QStringList activities(ResultList *list)
{
    QStringList out;
    for (const QString &l : list->lines())
        out << l.left(44).trimmed();
    return out;
}

QString text(QWidget *screen, const char *label) { return ScreenFixture::child<QLabel>(screen, label)->text(); }

int pdfPages(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const auto m = QRegularExpression(QStringLiteral("/Type\\s*/Pages.*?/Count\\s+(\\d+)"),
                                      QRegularExpression::DotMatchesEverythingOption)
                       .match(QString::fromLatin1(f.readAll()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Cards of 2017 for three workers, in no particular order.
const QList<WorkCard> Cards = {
    {"28/02/2017", "99,00", "Fuori intervallo", "RSSMRA80A01H501U"},
    {"01/03/2017", "10,50", "Pulizie", "RSSMRA80A01H501U"},
    {"15/03/2017", "4,25", "Consegne", "RSSMRA80A01H501U"},
    {"31/03/2017", "7", "Archivio", "VRDLCU75B02F205X", "Verdi", "Luca", "02 555"},
    {"10/03/2017", "20,00", "Magazzino", "BNCNNA90C43L219K", "Bianchi", "Anna", ""},
    {"01/04/2017", "50,00", "Aprile", "RSSMRA80A01H501U"},
};

}

class TestPaySummaryScreens : public QObject
{
    Q_OBJECT

    PaySummarySetupScreen *screen = nullptr;

    QLineEdit *box(const char *name) { return ScreenFixture::child<QLineEdit>(screen, name); }
    QComboBox *list(const char *name) { return ScreenFixture::child<QComboBox>(screen, name); }
    void choose(const char *name, const QString &item)
    {
        QComboBox *c = list(name);
        c->setCurrentIndex(c->findText(item));
    }
    void interval(const QString &gi, const QString &mi, const QString &gf, const QString &mf)
    {
        choose("txtGiornoInizio", gi);
        choose("txtMeseInizio", mi);
        choose("txtGiornoFine", gf);
        choose("txtMeseFine", mf);
    }
    // Through the main menu and the compensation menu, as a user gets there.
    void openSetup(ScreenFixture &fx)
    {
        fx.screens->mainMenu->open();
        ScreenFixture::click(fx.screens->mainMenu, "btnCompensi");
        ScreenFixture::click(fx.screens->paymentsMenu, "btnRiepiloghi");
        screen = qobject_cast<PaySummarySetupScreen *>(fx.screens->paySummarySetup);
        QVERIFY(screen && screen->isVisible());
        ScreenFixture::activate(screen);
    }
    void visualizza() { ScreenFixture::click(screen, "btnVisualizza"); }

private slots:
    void init()
    {
        Printing::Test::reset();
        PaySummaryScreen::remembered.clear();
    }

    void setupScreenBoxes()
    {
        ScreenFixture fx;
        openSetup(fx);
        QCOMPARE(screen->windowTitle(), QString(" Veltaro - Riepilogo compensi"));
        QCOMPARE(box("txtAnno")->text(), QString("2017"));
        QCOMPARE(text(screen, "lblAnnoInizio"), QString("2017"));
        QCOMPARE(text(screen, "lblAnnoFine"), QString("2017"));
        QVERIFY(!ScreenFixture::child(screen, "lblAttendere")->isVisible());
        for (const char *name : {"lblDataInizio", "lblDataFine", "lblFile"})
            QVERIFY(ScreenFixture::child(screen, name)->isHidden());
        QCOMPARE(QApplication::focusWidget(), box("txtTipologia"));

        // The codice fiscale is written in capitals as it is typed, at most 16 characters.
        QTest::keyClicks(box("txtTipologia"), "rssmra80a01h501uxyz");
        QCOMPARE(box("txtTipologia")->text(), QString("RSSMRA80A01H501U"));

        // Nothing can be typed into the interval lists; they are chosen from, by keyboard too.
        QTest::keyClick(box("txtTipologia"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), list("txtGiornoInizio"));
        for (QComboBox *c : {list("txtGiornoInizio"), list("txtMeseFine")}) {
            c->setFocus();
            QTest::keyClicks(c, "1g");
            QCOMPARE(c->currentIndex(), -1);
            QCOMPARE(c->currentText(), QString());
            QTest::keyClick(c, Qt::Key_End);
            QCOMPARE(c->currentIndex(), c->count() - 1);
            c->setCurrentIndex(-1);
        }
        QCOMPARE(list("txtMeseInizio")->count(), 12);
        QCOMPARE(list("txtMeseInizio")->itemText(8), QString("Settembre"));
        QCOMPARE(list("txtGiornoFine")->itemText(30), QString("31"));

        // Digits only in the year as typed; pasted text comes in whole and is judged on "Apri"
        // (refusals below). The interval years follow it.
        QLineEdit *year = box("txtAnno");
        year->setFocus();
        year->selectAll();
        QTest::keyClicks(year, "2a0-16");
        QCOMPARE(year->text(), QString("2016"));
        QCOMPARE(text(screen, "lblAnnoFine"), QString("2016"));
        year->clear();
        QGuiApplication::clipboard()->setText("../x");
        year->paste();
        QCOMPARE(year->text(), QString("../x"));
        year->clear();
        QGuiApplication::clipboard()->setText("2015");
        year->paste();
        QCOMPARE(text(screen, "lblAnnoInizio"), QString("2015"));
        QTest::keyClick(year, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), box("txtTipologia"));

        // Every show starts afresh; closing goes back to the main menu.
        choose("txtMeseFine", "Marzo");
        ScreenFixture::click(screen, "btnEsci");
        QVERIFY(!screen->isVisible());
        QVERIFY(fx.screens->mainMenu->isVisible());
        openSetup(fx);
        QCOMPARE(box("txtAnno")->text(), QString("2017"));
        QVERIFY(box("txtTipologia")->text().isEmpty());
        QCOMPARE(list("txtMeseFine")->currentIndex(), -1);
    }

    void workerImportWritesTheCode()
    {
        ScreenFixture fx;
        QVERIFY(RecordFiles::write(fx.path("Dipendenti.pro"),
                                   {RecordFiles::make(WorkerRecord::layout(),
                                                      {{"Cognome", "Verdi"}, {"CodFisc", "VRDLCU75B02F205X"}})}));
        openSetup(fx);
        QTimer::singleShot(0, [] {
            QWidget *find = QApplication::activeModalWidget();
            QVERIFY(find);
            QCOMPARE(find->objectName(), QString("TfrmTrovaIstruttori"));
            QCOMPARE(ScreenFixture::child<QLabel>(find, "lblMemory")->text(), QString("riep_pagamenti"));
            QTest::mouseClick(ScreenFixture::child(find, "btnCerca"), Qt::LeftButton);
            auto *lines = ScreenFixture::child<ResultList>(find, "lstRecords");
            lines->selectRow(0);
            QTest::mouseDClick(lines->viewport(), Qt::LeftButton, {}, lines->visualRect(lines->model()->index(0, 0)).center());
        });
        ScreenFixture::click(screen, "impCodFisc");
        QCOMPARE(box("txtTipologia")->text(), QString("VRDLCU75B02F205X"));
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QStringList>("lists");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QStringList>("dates");

        const int W = int(Dialogs::Kind::Warning), N = int(Dialogs::Kind::Notice);
        const QString year = "Attenzione: indicare l'anno solare utilizzando quattro cifre.";
        const QString pick = "Attenzione: indicare il %1 intervallo selezionandolo dall'elenco a cascata.";
        const QStringList march = {"01", "Marzo", "31", "Marzo"};
        QTest::newRow("short year") << "17" << march << W << year << "txtAnno" << QStringList{"", ""};
        // Only digits can be typed; a pasted year that is not four digits is refused too.
        QTest::newRow("year not digits") << "2O17" << march << W << year << "txtAnno" << QStringList{"", ""};
        QTest::newRow("no start day") << "2017" << QStringList{"", "Marzo", "31", "Marzo"} << W
                                      << pick.arg("giorno di inizio") << "txtGiornoInizio" << QStringList{"", ""};
        QTest::newRow("no start month") << "2017" << QStringList{"01", "", "", ""} << W
                                        << pick.arg("mese di inizio") << "txtMeseInizio" << QStringList{"", ""};
        QTest::newRow("no end day") << "2017" << QStringList{"01", "Marzo", "", "Marzo"} << W
                                    << pick.arg("giorno di fine") << "txtGiornoFine" << QStringList{"", ""};
        QTest::newRow("no end month") << "2017" << QStringList{"01", "Marzo", "31", ""} << W
                                      << pick.arg("mese di fine") << "txtMeseFine" << QStringList{"", ""};
        QTest::newRow("31 April") << "2017" << QStringList{"31", "Aprile", "30", "Maggio"} << N
            << "Attenzione: la data 31/04/2017 di inizio intervallo non esiste." + Lf
                   + QString::fromUtf8("Per poter visualizzare il riepilogo è necessario indicare una data valida.")
            << "txtGiornoInizio" << QStringList{"31/04/2017", ""};
        QTest::newRow("29 February 2017") << "2017" << QStringList{"01", "Febbraio", "29", "Febbraio"} << N
            << "Attenzione: la data 29/02/2017 di fine intervallo non esiste." + Lf
                   + QString::fromUtf8("Per poter visualizzare il riepilogo è necessario indicare una data valida.")
            << "txtGiornoFine" << QStringList{"01/02/2017", "29/02/2017"};
        QTest::newRow("end before start") << "2017" << QStringList{"02", "Marzo", "01", "Marzo"} << N
            << QString::fromUtf8("Attenzione: la data di fine intervallo (01/03/2017) non può essere anteriore a "
                                 "quella di inizio intervallo (02/03/2017).")
                   + Lf
                   + QString::fromUtf8("Per poter visualizzare il riepilogo è necessario indicare un intervallo "
                                       "di tempo valido.")
            << "btnVisualizza" << QStringList{"02/03/2017", "01/03/2017"};
    }
    void refusals()
    {
        QFETCH(QString, year);
        QFETCH(QStringList, lists);
        QFETCH(int, kind);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        QFETCH(QStringList, dates);

        ScreenFixture fx;
        openSetup(fx);
        box("txtAnno")->setText(year);
        interval(lists[0], lists[1], lists[2], lists[3]);
        visualizza();
        QCOMPARE(Dialogs::Test::shown().size(), 1);
        QCOMPARE(int(Dialogs::Test::last().kind), kind);
        QCOMPARE(Dialogs::Test::last().text, message);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QCOMPARE(QStringList({text(screen, "lblDataInizio"), text(screen, "lblDataFine")}), dates);
        QVERIFY(!ScreenFixture::child(screen, "lblAttendere")->isVisible());
        QVERIFY(text(screen, "lblFile").isEmpty());
        QVERIFY(!QFile::exists(fx.path("2017.lav")));
    }

    void summaryThroughTheScreens_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("lists");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("total");

        const QStringList march = {"01", "Marzo", "31", "Marzo"};
        QTest::newRow("every worker, ends included") << "" << march << "Tutti i lavoratori"
            << QStringList{"Archivio", "Consegne", "Magazzino", "Pulizie"} << "41,75";
        QTest::newRow("part of a code, typed in lower case") << "rssmra" << march << "RSSMRA"
            << QStringList{"Consegne", "Pulizie"} << "14,75";
        QTest::newRow("one day") << "" << QStringList{"31", "Marzo", "31", "Marzo"} << "Tutti i lavoratori"
            << QStringList{"Archivio"} << "7,00";
        QTest::newRow("nobody") << "XYZ" << march << "XYZ" << QStringList{} << "0,00";
    }
    void summaryThroughTheScreens()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, lists);
        QFETCH(QString, heading);
        QFETCH(QStringList, listed);
        QFETCH(QString, total);

        ScreenFixture fx;
        QVERIFY(writeLog(fx.path("2017.lav"), Cards));
        openSetup(fx);
        QTest::keyClicks(box("txtTipologia"), typed);
        interval(lists[0], lists[1], lists[2], lists[3]);
        const QString start = lists[0] + "/03/2017", end = lists[2] + "/03/2017";

        bool seen = false;
        onModal([&](QDialog *d) {
            seen = true;
            QCOMPARE(d->objectName(), QString("TfrmRiepPagamenti"));
            QCOMPARE(d->windowTitle(), QString(" Veltaro - Riepilogo compensi"));
            QVERIFY(ScreenFixture::child(screen, "lblAttendere")->isVisible());
            QCOMPARE(text(d, "titTipologia"), heading);
            QCOMPARE(text(d, "lblConta"), typed.isEmpty() ? QString("0") : QString("1"));
            QVERIFY(ScreenFixture::child(d, "lblConta")->isHidden());
            auto *lines = ScreenFixture::child<ResultList>(d, "lstRecords");
            QCOMPARE(activities(lines), listed);
            QCOMPARE(text(d, "lblTotCosti"), total);
            QCOMPARE(text(d, "lblIntervallo"), "Dal   " + start + "   al   " + end);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString("txtTrova"));
            QVERIFY(ScreenFixture::child(d, "imgGuida")->isEnabled());
        });
        visualizza();
        QVERIFY(seen);
        QVERIFY(Dialogs::Test::shown().isEmpty());
        QVERIFY(!ScreenFixture::child(screen, "lblAttendere")->isVisible());
        QCOMPARE(text(screen, "lblFile"), fx.path("2017.lav"));
        QCOMPARE(text(screen, "lblDataInizio"), start);
        QCOMPARE(text(screen, "lblDataFine"), end);
    }

    void listLineShowsTheCard()
    {
        ScreenFixture fx;
        QVERIFY(writeLog(fx.path("2017.lav"),
                         {{"01/03/2017", "1234,5", "Riordino dell'archivio storico e catalogazione dei fascicoli",
                           "VRDLCU75B02F205X", "Verdi Bianchi Rossi", "Gianluca Maria", "02 5551234"}}));
        openSetup(fx);
        interval("01", "Marzo", "31", "Marzo");
        onModal([](QDialog *d) {
            QCOMPARE(ScreenFixture::child<ResultList>(d, "lstRecords")->lines(),
                     QStringList{QString::fromUtf8("Riordino dell'archivio storico e catalogazio"
                                                   " Data: 01/03/2017"
                                                   "  Verdi Bianchi Rossi Gianluca"
                                                   "  C.F. VRDLCU75B02F205X"
                                                   "  Tel. 02 5551234    "
                                                   "  Tot. € 1234,5")});
            QCOMPARE(text(d, "lblTotCosti"), QString("1234,50"));
            // The view covers the screen, and on a 1280-wide one the whole line is in view,
            // amount included.
            QCOMPARE(d->width(), d->screen()->availableGeometry().width() - 16);
            d->setFixedSize(1264, 760);
            auto *list = ScreenFixture::child<ResultList>(d, "lstRecords");
            const QString line = list->lines().first();
            QVERIFY(list->font().pointSize() >= 9);
            QVERIFY(QFontMetrics(list->font()).horizontalAdvance(line) <= list->viewport()->width());
            QCOMPARE(list->model()->index(0, 0).data().toString(), line);

            // On a 1024-wide one the type stays readable and the activity gives way instead,
            // ending with "…"; the tooltip and everything but the display keep the whole line.
            d->setFixedSize(1008, 740);
            QApplication::processEvents();
            QCOMPARE(list->font().pointSize(), 9);
            const QString shown = list->model()->index(0, 0).data().toString();
            QVERIFY2(shown.contains(QChar(0x2026)) && shown.endsWith("Tot. € 1234,5"), qPrintable(shown));
            QVERIFY(QFontMetrics(list->font()).horizontalAdvance(shown) <= list->viewport()->width());
            QCOMPARE(list->model()->index(0, 0).data(Qt::ToolTipRole).toString(), line);
            QCOMPARE(list->lines().first(), line);
        });
        visualizza();
    }

    void unreadableCardsGiveOneNotice()
    {
        ScreenFixture fx;
        QVERIFY(writeLog(fx.path("2017.lav"), {{"02/03/2017", "10,00", "Prima"},
                                               {"31/02/2017", "5,00", "Data sbagliata"},
                                               {"03/03/2017", "", "Senza totale"},
                                               {"04/03/2017", "2,50", "Dopo"},
                                               {"05/03/2017", "1O,00", "Totale sbagliato"}}));
        openSetup(fx);
        interval("01", "Marzo", "31", "Marzo");
        onModal([](QDialog *d) {
            // The cards after the bad ones are listed and added up all the same.
            QCOMPARE(activities(ScreenFixture::child<ResultList>(d, "lstRecords")), (QStringList{"Dopo", "Prima"}));
            QCOMPARE(text(d, "lblTotCosti"), QString("12,50"));
            QTRY_COMPARE(Dialogs::Test::shown().size(), 1);
            QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Notice);
            QCOMPARE(Dialogs::Test::last().text,
                     QString::fromUtf8("Attenzione: 3 schede dell'archivio non sono state considerate nel riepilogo.")
                         + Lf + "Data della prestazione non valida: scheda n. 2.\n\r"
                         + "Totale dovuto non valido: schede n. 3, 5." + Lf
                         + "Correggere le schede indicate nella schermata di registrazione dei lavori.");
        });
        visualizza();
        QCOMPARE(Dialogs::Test::shown().size(), 1);
    }

    void missingAndUnreadableLogs()
    {
        ScreenFixture fx;
        openSetup(fx);
        box("txtAnno")->setText("2016");
        interval("01", "Gennaio", "31", "Dicembre");
        onModal([](QDialog *d) {
            QCOMPARE(ScreenFixture::child<ResultList>(d, "lstRecords")->count(), 0);
            QCOMPARE(text(d, "lblTotCosti"), QString("0,00"));
            // Nothing to print, nothing to search.
            QTest::mouseClick(ScreenFixture::child(d, "btnStampa"), Qt::LeftButton);
            QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Warning);
            QCOMPARE(Dialogs::Test::last().text,
                     QString("Operazione di stampa non applicabile: il riepilogo non contiene nessuna voce."));
            QTest::mouseClick(ScreenFixture::child(d, "btnTrova"), Qt::LeftButton);
            QCOMPARE(Dialogs::Test::last().text, QString("Ricerca non applicabile: la lista non contiene nessuna voce."));
            QCOMPARE(Dialogs::Test::shown().size(), 2);
        });
        visualizza();
        QVERIFY(QFile::exists(fx.path("2016.lav")));
        QCOMPARE(QFileInfo(fx.path("2016.lav")).size(), 0);
        QCOMPARE(Printing::Test::asked(), 0);

        // A log that cannot be read is said so, not shown as an empty summary.
        Dialogs::Test::clear();
        QVERIFY(QDir(fx.dir.path()).mkdir("2015.lav"));
        box("txtAnno")->setText("2015");
        onModal([](QDialog *d) {
            QTRY_COMPARE(Dialogs::Test::shown().size(), 1);
            QCOMPARE(Dialogs::Test::last().text, QString("Attenzione: il file di archivio non risulta accessibile."));
            QCOMPARE(ScreenFixture::child<ResultList>(d, "lstRecords")->count(), 0);
        });
        visualizza();
    }

    void searchMovesOnAndWraps()
    {
        ScreenFixture fx;
        QVERIFY(writeLog(fx.path("2017.lav"), Cards));
        openSetup(fx);
        interval("01", "Marzo", "31", "Marzo");
        onModal([](QDialog *d) {
            auto *lines = ScreenFixture::child<ResultList>(d, "lstRecords");
            auto *find = ScreenFixture::child(d, "btnTrova");
            auto *search = ScreenFixture::child<QLineEdit>(d, "txtTrova");
            // Archivio, Consegne, Magazzino, Pulizie: Rossi's cards are the second and the last.
            QTest::keyClicks(search, "ROSSI");
            QTest::keyClick(search, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), find);
            QTest::keyClick(find, Qt::Key_Return);
            QList<int> rows{lines->selectedRow()};
            for (int i = 0; i < 2; ++i) {
                QTest::mouseClick(find, Qt::LeftButton);
                rows << lines->selectedRow();
            }
            QCOMPARE(rows, (QList<int>{1, 3, 1}));
            search->setText("nessuno");
            QTest::mouseClick(find, Qt::LeftButton);
            QCOMPARE(lines->selectedRow(), 1);
            QVERIFY(Dialogs::Test::shown().isEmpty());
        });
        visualizza();
        QCOMPARE(PaySummaryScreen::remembered, QString("nessuno"));
    }

    void printing()
    {
        ScreenFixture fx;
        QVERIFY(writeLog(fx.path("2017.lav"), Cards));
        openSetup(fx);
        QTest::keyClicks(box("txtTipologia"), "RSS");
        interval("01", "Marzo", "31", "Marzo");
        const QString pdf = fx.path("riepilogo.pdf");
        onModal([&](QDialog *d) {
            auto *view = qobject_cast<PaySummaryScreen *>(d);
            QVERIFY(view);
            const QStringList lines = view->list()->lines();
            QCOMPARE(lines.size(), 2);

            const QVector<Report::Page> pages = Report::layout(view->printTemplate());
            QCOMPARE(view->printTemplate().pageLayout().orientation(), QPageLayout::Landscape);
            QCOMPARE(pages.size(), 1);
            QStringList title, body, foot;
            for (const Report::Placed &p : pages.first()) {
                if (p.name == "txtTitolo")
                    title << p.text;
                else if (p.name == "txtRiepilogo")
                    body << p.text;
                else if (p.name == "txtPagina")
                    foot << p.text;
            }
            QCOMPARE(title, QStringList{"Riepilogo compensi   -   C.F. lavoratore:  RSS"});
            const QStringList after = {"- - - - - - - - - - - - - - - -",
                                       "INTERVALLO SELEZIONATO:    Dal   01/03/2017   al   31/03/2017",
                                       QString::fromUtf8("TOTALE COMPENSI:           € 14,75")};
            QCOMPARE(body, lines + after);
            QCOMPARE(foot, QStringList{"Stampa eseguita in data 15/06/2017"});

            // No to the question prints nothing; yes asks for the printer and prints.
            Printing::Test::setOutput(pdf);
            auto *print = ScreenFixture::child(d, "btnStampa");
            QTest::mouseClick(print, Qt::LeftButton);
            QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Question);
            QCOMPARE(Dialogs::Test::last().text, QString("Si vuole stampare il presente riepilogo?"));
            QCOMPARE(Printing::Test::asked(), 0);
            Dialogs::Test::queueAnswer(true);
            QTest::mouseClick(print, Qt::LeftButton);
            QCOMPARE(Printing::Test::asked(), 1);
        });
        visualizza();
        QCOMPARE(pdfPages(pdf), 1);
    }
};

QTEST_MAIN(TestPaySummaryScreens)
#include "TestPaySummaryScreens.moc"
