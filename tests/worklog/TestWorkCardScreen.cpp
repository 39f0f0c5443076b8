#include "shell/MainMenu.h"
#include "archive/ResultList.h"
#include "shell/PaymentsMenu.h"
#include "shell/YearMenu.h"
#include "support/RecordFiles.h"
#include "support/ScreenFixture.h"
#include "workers/WorkerRecord.h"
#include "worklog/WorkCardScreen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

class TestWorkCardScreen : public QObject
{
    Q_OBJECT

    WorkCardScreen *screen = nullptr;
    QLineEdit *box(const char *f) { return ScreenFixture::child<QLineEdit>(screen, (QByteArray("txt") + f).constData()); }
    QComboBox *time(const char *f) { return ScreenFixture::child<QComboBox>(screen, (QByteArray("txt") + f).constData()); }
    void setTimes(const char *a, const char *b, const char *c, const char *d)
    {
        time("DaOre")->setCurrentText(a);
        time("DaMin")->setCurrentText(b);
        time("AOre")->setCurrentText(c);
        time("AMin")->setCurrentText(d);
    }
    // Opens the work log of 2017 through the menu, as a user does.
    void openYear(ScreenFixture &fx)
    {
        fx.screens->mainMenu->open();
        ScreenFixture::click(fx.screens->mainMenu, "imgLavori");
        ScreenFixture::click(fx.screens->workLogMenu, "btnApriPreventivi");
        screen = static_cast<WorkCardScreen *>(fx.screens->workLog);
        QVERIFY(screen->isVisible());
        QCOMPARE(screen->windowTitle(), QString(" Veltaro - Registrazione lavori anno 2017"));
    }
    void fillRequired()
    {
        box("Cognome")->setText("Rossi");
        box("Nome")->setText("Maria");
        box("CodFisc")->setText("RSSMRA85T10A562S");
        box("Attivita")->setText("Pulizie");
    }

private slots:
    void savesComputedCardByteExact()
    {
        ScreenFixture fx;
        openYear(fx);
        QCOMPARE(box("Data")->text(), QString("15/06/2017"));
        QCOMPARE(time("AMin")->currentText(), QString("00"));
        fillRequired();
        setTimes("09", "00", "17", "20");
        box("CompensoOra")->setText("12,5");
        ScreenFixture::child<QCheckBox>(screen, "chkIncompleto")->setChecked(true);
        ScreenFixture::click(screen, "cmdSalva");
        QCOMPARE(Dialogs::Test::last().text, QString("La scheda corrente è stata inserita in archivio."));
        QCOMPARE(box("TotOre")->text(), QString("8,33"));
        QCOMPARE(box("TotDovuto")->text(), QString("104,13"));

        QByteArray expected(2913, '\0');
        const auto put = [&](int offset, const QByteArray &text) {
            expected[offset] = char(text.size());
            expected.replace(offset + 1, text.size(), text);
        };
        put(0, "Rossi");
        put(51, "Maria");
        put(102, "RSSMRA85T10A562S");
        put(272, "15/06/2017");
        put(334, "Pulizie");
        put(585, "09");
        put(588, "00");
        put(591, "17");
        put(594, "20");
        put(597, "09:00");
        put(603, "17:20");
        put(609, "8,33");
        put(616, "12,50");
        put(632, "104,13");
        put(1404, "S\xec");
        QCOMPARE(fx.fileBytes("2017.lav"), expected);
    }

    void workerImportFillsSixFields()
    {
        ScreenFixture fx;
        QVERIFY(RecordFiles::write(fx.path("Dipendenti.pro"),
                                   {RecordFiles::make(WorkerRecord::layout(),
                                                      {{"Cognome", "Verdi"}, {"Nome", "Anna"}, {"CodFisc", "VRDNNA80A41H501X"},
                                                       {"Recapito", "333 1234567"}, {"Codice", "Cuoca"},
                                                       {"Categoria", "Operaia"}, {"Note", "non importata"}})}));
        openYear(fx);
        box("Note")->setText("mia nota");
        QTimer::singleShot(0, [] {
            QWidget *find = QApplication::activeModalWidget();
            QVERIFY(find);
            QCOMPARE(find->objectName(), QString("TfrmTrovaIstruttori"));
            QTest::mouseClick(ScreenFixture::child(find, "btnCerca"), Qt::LeftButton);
            auto *list = ScreenFixture::child<ResultList>(find, "lstRecords");
            list->selectRow(0);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
        });
        ScreenFixture::click(screen, "impLavoratore");
        QCOMPARE(box("Cognome")->text(), QString("Verdi"));
        QCOMPARE(box("CodFisc")->text(), QString("VRDNNA80A41H501X"));
        QCOMPARE(box("Recapito")->text(), QString("333 1234567"));
        QCOMPARE(box("Mansione")->text(), QString("Cuoca"));
        QCOMPARE(box("Categoria")->text(), QString("Operaia"));
        QCOMPARE(box("Note")->text(), QString("mia nota"));
        QVERIFY(!QApplication::activeModalWidget());
    }

    void computations_data()
    {
        QTest::addColumn<QStringList>("times");
        QTest::addColumn<QString>("pay");
        QTest::addColumn<QString>("hours");
        QTest::addColumn<QString>("payAfter");
        QTest::addColumn<QString>("total");
        QTest::newRow("4,5 hours") << QStringList{"08", "00", "12", "30"} << "10" << "4,5" << "10,00" << "45,00";
        QTest::newRow("equal times") << QStringList{"08", "00", "08", "00"} << "99" << "0" << "99,00" << "0,00";
        QTest::newRow("pay not a number") << QStringList{"08", "00", "12", "00"} << "1,2,3" << "0" << "0,00" << "0,00";
        QTest::newRow("latest end") << QStringList{"00", "00", "23", "59"} << "1" << "23,98" << "1,00" << "23,98";
    }
    void computations()
    {
        QFETCH(QStringList, times);
        QFETCH(QString, pay);
        QFETCH(QString, hours);
        QFETCH(QString, payAfter);
        QFETCH(QString, total);
        ScreenFixture fx;
        openYear(fx);
        setTimes(qPrintable(times[0]), qPrintable(times[1]), qPrintable(times[2]), qPrintable(times[3]));
        box("CompensoOra")->setText(pay);
        ScreenFixture::click(screen, "btnCalcolaDovuto");
        QCOMPARE(box("TotOre")->text(), hours);
        QCOMPARE(box("CompensoOra")->text(), payAfter);
        QCOMPARE(box("TotDovuto")->text(), total);
        QVERIFY(Dialogs::Test::shown().isEmpty());
    }

    void startAfterEndIsRefused()
    {
        ScreenFixture fx;
        openYear(fx);
        fillRequired();
        box("TotOre")->setText("3");
        setTimes("13", "00", "12", "59");
        ScreenFixture::click(screen, "btnCalcolaOre");
        QCOMPARE(Dialogs::Test::last().text, QString("Attenzione: l'ora di inizio lavoro non può essere posteriore a quella di fine lavoro."));
        QCOMPARE(box("TotOre")->text(), QString("3"));
        ScreenFixture::click(screen, "cmdSalva");
        QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Warning);
        QVERIFY(!QFile::exists(fx.path("2017.lav")));
    }

    void emptyCardReportsTheDateFirst()
    {
        ScreenFixture fx;
        openYear(fx);
        ScreenFixture::activate(screen);
        box("Data")->clear();
        ScreenFixture::click(screen, "cmdSalva");
        QCOMPARE(Dialogs::Test::last().text,
                 QString("Attenzione: per salvare la scheda è necessario indicare la data della prestazione lavorativa."));
        QCOMPARE(QApplication::focusWidget(), box("Data"));
    }

    void duplicateKeepsWorkAndEmptiesDate()
    {
        ScreenFixture fx;
        openYear(fx);
        ScreenFixture::activate(screen);
        fillRequired();
        setTimes("08", "00", "12", "30");
        ScreenFixture::click(screen, "cmdSalva");
        ScreenFixture::click(screen, "cmdDuplica");
        QCOMPARE(Dialogs::Test::last().text,
                 QString("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\rAl termine premere "
                         "Salva per inserire la scheda in archivio."));
        QVERIFY(box("Data")->text().isEmpty());
        QVERIFY(screen->lblPosizione()->text().isEmpty());
        QCOMPARE(box("Cognome")->text(), QString("Rossi"));
        QCOMPARE(time("AOre")->currentText(), QString("12"));
        QCOMPARE(QApplication::focusWidget(), box("Data"));
        box("Data")->setText("16/06/2017");
        ScreenFixture::click(screen, "cmdSalva");
        QCOMPARE(screen->lblPosizione()->text(), QString("2"));
        QCOMPARE(fx.fileBytes("2017.lav").size(), 2 * 2913);
    }

    // A date of another year is saved as it is, with a quiet line beside it and no box.
    void dateOutsideTheYearIsNoted()
    {
        ScreenFixture fx;
        openYear(fx);
        auto *note = ScreenFixture::child<QLabel>(screen, "lblAltroAnno");
        QVERIFY(note->text().isEmpty());
        fillRequired();
        box("Data")->setText("31/12/2016");
        QVERIFY(note->isVisible());
        QVERIFY(note->text().contains("2017"));
        ScreenFixture::click(screen, "cmdSalva");
        QCOMPARE(Dialogs::Test::shown().size(), 1);
        QCOMPARE(Dialogs::Test::last().text, QString("La scheda corrente è stata inserita in archivio."));
        QCOMPARE(fx.fileBytes("2017.lav").mid(272, 11), QByteArray("\x0a" "31/12/2016"));
        ScreenFixture::click(screen, "cmdNuovo");
        QVERIFY(note->text().isEmpty());
    }

    void keysAndLoading()
    {
        ScreenFixture fx;
        openYear(fx);
        ScreenFixture::activate(screen);
        time("DaOre")->setFocus();
        QTest::keyClicks(time("DaOre"), "12");          // nothing typed: chosen from the list,
        QCOMPARE(time("DaOre")->currentText(), QString("00"));
        QTest::keyClick(time("DaOre"), Qt::Key_Down);   // by keyboard too
        QCOMPARE(time("DaOre")->currentText(), QString("01"));
        box("CompensoOra")->setFocus();
        box("CompensoOra")->clear();
        QTest::keyClicks(box("CompensoOra"), "7-a.,5");   // a typed point has no effect
        QCOMPARE(box("CompensoOra")->text(), QString("7,5"));
        box("Note")->setFocus();
        QCOMPARE(box("CompensoOra")->text(), QString("7,50"));
        box("Data")->setFocus();
        QTest::keyClick(box("Data"), Qt::Key_Delete);
        QVERIFY(box("Data")->text().isEmpty());
        QString picker;
        QTimer::singleShot(0, [&] {
            if (QWidget *m = QApplication::activeModalWidget()) {
                picker = m->findChild<QLabel *>("lblMemory")->text();
                ScreenFixture::click(m, "btnImportaData");
            }
        });
        QTest::keyClick(box("Data"), Qt::Key_A);
        QCOMPARE(picker, QString("lavori_data"));
        QCOMPARE(box("Data")->text(), QString("15/06/2017"));

        // A stored mark that is neither "Sì" nor "No" leaves the box alone.
        fillRequired();
        ScreenFixture::click(screen, "cmdSalva");
        QByteArray bytes = fx.fileBytes("2017.lav");
        bytes.replace(1404, 3, "\x02?!");
        QFile f(fx.path("2017.lav"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        auto *mark = ScreenFixture::child<QCheckBox>(screen, "chkIncompleto");
        mark->setChecked(true);
        ScreenFixture::click(screen, "cmdPrimo");
        QVERIFY(mark->isChecked());
    }
};

QTEST_MAIN(TestWorkCardScreen)
#include "TestWorkCardScreen.moc"
