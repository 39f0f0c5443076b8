#include "shell/MainMenu.h"
#include "cli/Cli.h"
#include "schedules/ScheduleCardScreen.h"
#include "schedules/ScheduleFindScreen.h"
#include "schedules/ScheduleRecord.h"
#include "shell/PaymentsMenu.h"
#include "shell/YearMenu.h"
#include "shifts/DailyShiftRecord.h"
#include "shifts/ShiftFindScreen.h"
#include "shifts/ShiftScreen.h"
#include "shifts/WeeklyShiftRecord.h"
#include "support/Modal.h"
#include "support/RecordFiles.h"
#include "support/ScreenFixture.h"
#include "workers/WorkerRecord.h"

#include <QLabel>
#include <QLineEdit>

namespace {
QByteArray dailyCard(const QList<QPair<int, QByteArray>> &fields)
{
    return RecordFiles::atOffsets(5220, fields);
}
int band(int nn) { return 666 + 133 * (nn - 1); }
int workers(int nn) { return 2262 + 121 * (nn - 1); }

using RecordFiles::Fields;
Record daily(const Fields &f) { return RecordFiles::make(DailyShiftRecord::layout(), f); }
Record preset(const Fields &f) { return RecordFiles::make(ScheduleRecord::layout(), f); }
Record worker(const Fields &f) { return RecordFiles::make(WorkerRecord::layout(), f); }

// Confirms the date the picker offers (today) once it opens, checking its mode.
void confirmDate(const QString &mode)
{
    Modal::on([mode](QDialog *d) {
        QCOMPARE(ScreenFixture::child<QLabel>(d, "lblMemory")->text(), mode);
        ScreenFixture::click(d, "btnImportaData");
    });
}
}

class TestDailyShiftScreen : public QObject
{
    Q_OBJECT

    DailyShiftScreen *screen = nullptr;
    QLineEdit *box(const QString &f) { return ScreenFixture::child<QLineEdit>(screen, qPrintable("txt" + f)); }
    QString position() { return screen->lblPosizione()->text(); }
    void openYear(ScreenFixture &fx, const QString &year = "2017")
    {
        fx.screens->mainMenu->open();
        ScreenFixture::click(fx.screens->mainMenu, "imgCalendario");
        ScreenFixture::child<QLineEdit>(fx.screens->shiftCalendarMenu, "txtAnnoFatture")->setText(year);
        ScreenFixture::click(fx.screens->shiftCalendarMenu, "btnApriFatture");
        screen = qobject_cast<DailyShiftScreen *>(fx.screens->dailyShifts);
        QVERIFY(screen && screen->isVisible());
        QCOMPARE(screen->windowTitle(), " Veltaro - Programmazione turni anno " + year);
        ScreenFixture::activate(screen);
    }
    void pickWorker(int nn, const QString &surname)
    {
        Modal::on([surname](QDialog *d) {
            QCOMPARE(d->objectName(), QString("TfrmTrovaIstruttori"));
            QCOMPARE(Modal::search(d, {{"txtCognome", surname}}).size(), 1);
            Modal::pick(d);
        });
        ScreenFixture::click(screen, qPrintable(QString("impLavoratore%1").arg(nn, 2, 10, QChar('0'))));
    }

private slots:
    void savesByteExactAfterItsChecks()
    {
        ScreenFixture fx;
        openYear(fx);
        ScreenFixture::click(screen, "btnSalva");
        QCOMPARE(Dialogs::Test::last().text, missingTableName());
        QCOMPARE(QApplication::focusWidget(), box("Nome"));

        box("Nome")->setText("Mattino");
        ScreenFixture::click(screen, "btnSalva");
        QCOMPARE(Dialogs::Test::last().text,
                 QString("Attenzione: per salvare la scheda è necessario indicare la data a cui si riferiscono i turni di lavoro."));
        QCOMPARE(QApplication::focusWidget(), box("Data"));
        QVERIFY(!QFile::exists(fx.path("2017.ore")));

        // The date box takes no typing: a key opens the picker, Backspace empties it.
        confirmDate("turni");
        QTest::keyClick(box("Data"), Qt::Key_5);
        QCOMPARE(box("Data")->text(), QString("15/06/2017"));
        QTest::keyClick(box("Data"), Qt::Key_Backspace);
        QVERIFY(box("Data")->text().isEmpty());
        confirmDate("turni");
        ScreenFixture::click(screen, "impData");

        box("Inizio01")->setText("08:00");
        box("Lavoratore03")->setText("Rossi Anna");
        box("Attivita05")->setText("Pulizie");
        ScreenFixture::click(screen, "btnSalva");
        QCOMPARE(Dialogs::Test::last().text, CardText::inserted());
        QCOMPARE(position(), QString("1"));
        QCOMPARE(fx.fileBytes("2017.ore"), dailyCard({{0, "Mattino"}, {51, "15/06/2017"}, {band(1), "08:00"},
                                                      {workers(3), "Rossi Anna"}, {band(5) + 12, "Pulizie"}}));

        // Duplicate keeps the date and the workers.
        ScreenFixture::click(screen, "btnDuplica");
        ScreenFixture::click(screen, "btnSalva");
        QCOMPARE(position(), QString("2"));
        QCOMPARE(fx.fileBytes("2017.ore").mid(5220), fx.fileBytes("2017.ore").left(5220));
    }

    void enterOrder()
    {
        ScreenFixture fx;
        openYear(fx);
        ScreenFixture::enterMoves(screen, {"Periodo", "Sede", "Disposizioni", "Inizio01", "Fine01", "Lavoratore01", "Attivita01", "Inizio02"});
        ScreenFixture::enterMoves(screen, {"Attivita12", "Annotazioni", "Nome", "Data"});
        bool picker = false;
        Modal::on([&picker](QDialog *d) { picker = d->objectName() == "TfrmCalendario"; });
        QTest::keyClick(box("Data"), Qt::Key_Return);
        QVERIFY(picker);
        QVERIFY(box("Data")->text().isEmpty());   // cancelled
        QVERIFY(screen->findChild<QWidget *>("effData"));
        QVERIFY(!screen->findChild<QWidget *>("effLavoratore01"));
    }

    void importsPresetAndWorkers()
    {
        ScreenFixture fx;
        QVERIFY(RecordFiles::write(fx.path("Orari.pro"),
                                   {preset({{"Nome", "Preset"}, {"Sede", "Roma"}, {"Disposizioni", "D"}, {"Inizio01", "07:00"},
                                            {"Attivita12", "Chiudere"}, {"Annotazioni", "n"}, {"File01", "/p.pdf"}})}));
        QVERIFY(RecordFiles::write(fx.path("Dipendenti.pro"),
                                   {worker({{"Cognome", "Rossi"}, {"Nome", "Anna"}}), worker({{"Cognome", "Bianchi"}, {"Nome", "Luca"}})}));
        openYear(fx);
        box("Nome")->setText("Vecchio");
        box("Periodo")->setText("Inverno");
        box("Lavoratore01")->setText("Verdi Ugo");
        box("Data")->setText("01/02/2017");
        ScreenFixture::click(screen, "btnSalva");

        Modal::on([](QDialog *d) {
            QCOMPARE(d->objectName(), QString("TfrmTrovaOrari"));
            QCOMPARE(ScreenFixture::child<QLabel>(d, "lblMemory")->text(), QString("turni"));
            QCOMPARE(Modal::search(d, {}).size(), 1);
            Modal::pick(d);
        });
        ScreenFixture::click(screen, "impNome");
        QCOMPARE(box("Nome")->text(), QString("Preset"));
        QVERIFY(box("Periodo")->text().isEmpty());   // an empty period empties the box
        QCOMPARE(box("Inizio01")->text(), QString("07:00"));
        QCOMPARE(box("Attivita12")->text(), QString("Chiudere"));
        QCOMPARE(box("Data")->text(), QString("01/02/2017"));
        QCOMPARE(box("Lavoratore01")->text(), QString("Verdi Ugo"));
        QVERIFY(ScreenFixture::child<QLabel>(screen, "lblFile01")->text().isEmpty());
        QCOMPARE(position(), QString("1"));
        ScreenFixture::click(screen, "btnSalva");
        QCOMPARE(Dialogs::Test::last().text, CardText::saved());
        QCOMPARE(fx.fileBytes("2017.ore").size(), 5220);

        pickWorker(3, "Rossi");
        pickWorker(3, "Bianchi");
        QCOMPARE(box("Lavoratore03")->text(), QString("Rossi Anna, Bianchi Luca"));
        box("Lavoratore04")->setText("   ");
        pickWorker(4, "Rossi");
        QCOMPARE(box("Lavoratore04")->text(), QString("Rossi Anna"));

        // A name that would no longer fit is refused whole.
        const QString full(109, 'x');
        box("Lavoratore05")->setText(full);
        Dialogs::Test::clear();
        pickWorker(5, "Rossi");   // 109 + ", " + 10 = 121
        QCOMPARE(box("Lavoratore05")->text(), full);
        QCOMPARE(Dialogs::Test::last().text, DailyShiftRecord::workersTooLong());
        box("Lavoratore05")->setText(QString(108, 'x'));
        pickWorker(5, "Rossi");
        QCOMPARE(box("Lavoratore05")->text().size(), 120);
    }

    void findsInTheYearOpen()
    {
        ScreenFixture fx;
        QVERIFY(RecordFiles::write(fx.path("2016.ore"), {daily({{"Nome", "Vecchio"}, {"Data", "01/06/2016"}})}));
        QVERIFY(RecordFiles::write(fx.path("2017.ore"),
                                   {daily({{"Nome", "Mattino"}, {"Data", "03/03/2017"}, {"Sede", "Roma"}, {"Annotazioni", "n"}}),
                                    daily({{"Nome", "Sera"}, {"Data", "04/03/2017"}, {"Lavoratore06", "Rossi"}}),
                                    daily({{"Nome", "Mattino"}, {"Data", "03/03/2017"}, {"Sede", "Roma"}, {"Annotazioni", "n"},
                                           {"Lavoratore01", "Bianchi"}})}));
        openYear(fx);
        Modal::on([](QDialog *d) {
            QCOMPARE(d->objectName(), QString("TfrmTrovaTurni"));
            QCOMPARE(d->windowTitle(), QString(" Trova turni di lavoro in archivio"));
            QCOMPARE(ScreenFixture::child<QLabel>(d, "lblMemory")->text(), QString("turni"));
            QCOMPARE(Modal::search(d, {{"txtData", "03/2017"}}),
                     QStringList({"Mattino" + QString(23, ' ') + "  Data: 03/03/2017  Sede: Roma" + QString(26, ' ') + "  Note: n",
                                  "Mattino" + QString(23, ' ') + "  Data: 03/03/2017  Sede: Roma" + QString(26, ' ') + "  Note: n",
                                  "Sera" + QString(26, ' ') + "  Data: 04/03/2017  Sede: " + QString(30, ' ') + "  Note: "}));
            Modal::pick(d, 0);
        });
        ScreenFixture::click(screen, "btnTrova");
        QCOMPARE(position(), QString("3"));   // the later of two equal lines
        QCOMPARE(box("Lavoratore01")->text(), QString("Bianchi"));

        Modal::on([](QDialog *d) {
            QCOMPARE(Modal::search(d, {{"txtLavoratore01", "rossi"}}).size(), 0);   // band 6 is not searched
        });
        ScreenFixture::click(screen, "btnTrova");

        // The year chosen in the menu decides the file the commands use.
        screen->close();
        openYear(fx, "2016");
        QVERIFY(position().isEmpty());
        ScreenFixture::click(screen, "cmdUltimo");
        QCOMPARE(box("Nome")->text() + "@" + position(), QString("Vecchio@1"));
        ScreenFixture::click(screen, "btnDuplica");
        ScreenFixture::click(screen, "btnSalva");
        QCOMPARE(QFileInfo(fx.path("2016.ore")).size(), 2 * 5220);
        QCOMPARE(QFileInfo(fx.path("2017.ore")).size(), 3 * 5220);
    }

    // The command line lists what each find screen lists, in the same order.
    void commandLineListsAsTheFindScreens()
    {
        ScreenFixture fx;
        QVERIFY(RecordFiles::write(fx.path("Orari.pro"), {preset({{"Nome", "Zeta"}, {"Sede", "Roma"}}),
                                                          preset({{"Nome", "alfa"}, {"Sede", "roma nord"}}),
                                                          preset({{"Nome", "Beta"}, {"Sede", "Milano"}})}));
        QVERIFY(RecordFiles::write(fx.path("2017.ore"), {daily({{"Nome", "B"}, {"Data", "02/03/2017"}}),
                                                         daily({{"Nome", "a"}, {"Data", "01/03/2017"}, {"Sede", QString::fromUtf8("Forlì")}}),
                                                         daily({{"Nome", "c"}, {"Data", "01/04/2017"}})}));
        // A wild length byte in the first card neither ends the list nor leaks into the next field.
        QByteArray damaged = fx.fileBytes("2017.ore");
        damaged[0] = char(255);
        QFile ore(fx.path("2017.ore"));
        QVERIFY(ore.open(QIODevice::WriteOnly));
        ore.write(damaged);
        ore.close();
        QVERIFY(RecordFiles::write(fx.path("2017.set"),
                                   {RecordFiles::make(WeeklyShiftRecord::layout(), {{"Nome", "S2"}, {"DataInizio", "06/03/2017"}}),
                                    RecordFiles::make(WeeklyShiftRecord::layout(), {{"Nome", "S1"}, {"DataInizio", "27/02/2017"}})}));
        struct Case {
            const char *screen, *archive, *box, *text, *field;
        };
        for (const Case &c : {Case{"TfrmTrovaOrari", "Orari.pro", "txtSede", "roma", "Sede"},
                              Case{"TfrmTrovaOrari", "Orari.pro", nullptr, "", ""},
                              Case{"TfrmTrovaTurni", "2017.ore", "txtData", "03/2017", "Data"},
                              Case{"TfrmTrovaSet", "2017.set", "txtDataInizio", "2017", "DataInizio"}}) {
            std::unique_ptr<FindScreen> find;
            if (QByteArray(c.screen) == "TfrmTrovaOrari")
                find = std::make_unique<FindScreen>(ScheduleFindScreen::definition());
            else if (QByteArray(c.screen) == "TfrmTrovaTurni")
                find = std::make_unique<FindScreen>(DailyShiftFindScreen::definition());
            else
                find = std::make_unique<FindScreen>(WeeklyShiftFindScreen::definition());
            find->setArchivePath(fx.path(c.archive));
            find->show();
            QStringList args{"trova", fx.path(c.archive)};
            QList<QPair<const char *, QString>> filters;
            if (c.box) {
                filters.append({c.box, QString::fromUtf8(c.text)});
                args << QString("--%1=%2").arg(c.field, c.text);
            }
            const QStringList lines = Modal::search(find.get(), filters);
            QVERIFY(lines.size() >= 2);
            if (QByteArray(c.archive) == "2017.ore")
                QVERIFY(lines.first().startsWith("a ") && lines.last().startsWith("B "));
            QString out, err;
            QTextStream o(&out), e(&err);
            Cli::Io io{o, e};
            QCOMPARE(Cli::main(args, io), 0);
            o.flush();
            QCOMPARE(out, lines.join('\n') + '\n');
        }
    }
};

QTEST_MAIN(TestDailyShiftScreen)
#include "TestDailyShiftScreen.moc"
