#include "shell/MainMenu.h"
#include "schedules/ScheduleCardScreen.h"
#include "schedules/ScheduleRecord.h"
#include "shell/PaymentsMenu.h"
#include "shell/YearMenu.h"
#include "shifts/DailyShiftRecord.h"
#include "shifts/WeeklyShiftRecord.h"
#include "support/Modal.h"
#include "support/RecordFiles.h"
#include "support/ScreenFixture.h"

#include <QLabel>
#include <QLineEdit>

namespace {
// The expected bytes of a stored preset, built from the published offsets.
QByteArray preset(const QList<QPair<int, QByteArray>> &fields)
{
    return RecordFiles::atOffsets(3757, fields);
}
int band(int nn) { return 655 + 133 * (nn - 1); }

using RecordFiles::Fields;
Record schedule(const Fields &f) { return RecordFiles::make(ScheduleRecord::layout(), f); }
}

class TestScheduleCardScreen : public QObject
{
    Q_OBJECT

    CardScreen *screen = nullptr;
    QLineEdit *box(const QString &f) { return ScreenFixture::child<QLineEdit>(screen, qPrintable("txt" + f)); }
    QString position() { return screen->lblPosizione()->text(); }
    void openFromMenu(ScreenFixture &fx)
    {
        fx.screens->mainMenu->open();
        ScreenFixture::click(fx.screens->mainMenu, "imgImpostaOrari");
        screen = qobject_cast<CardScreen *>(fx.screens->schedules);
        QVERIFY(screen && screen->isVisible());
        QCOMPARE(screen->windowTitle(), QString(" Veltaro - Impostazione orari"));
    }

private slots:
    void savesByteExact()
    {
        ScreenFixture fx;
        openFromMenu(fx);
        QCOMPARE(screen->panInfo()->text(), QString("Pronto per archiviare una nuova scheda..."));
        ScreenFixture::activate(screen);

        box("Nome")->setText("   ");
        ScreenFixture::click(screen, "btnSalva");
        QCOMPARE(Dialogs::Test::last().text, missingTableName());
        QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Warning);
        QCOMPARE(QApplication::focusWidget(), box("Nome"));
        QVERIFY(!QFile::exists(fx.path("Orari.pro")));

        box("Nome")->setText(" Turno mattino ");
        box("Periodo")->setText("Estate");
        box("Disposizioni")->setText("Divisa");
        box("Inizio07")->setFocus();
        QTest::keyClicks(box("Inizio07"), "8.30xy");   // a sixth character cannot be typed
        box("Fine07")->setText("12:00");
        box("Attivita12")->setText("Chiusura");
        box("Annotazioni")->setText("fine");
        ScreenFixture::click(screen, "btnSalva");
        QCOMPARE(Dialogs::Test::last().text, QString("La scheda corrente è stata inserita in archivio."));
        QCOMPARE(position(), QString("1"));
        QCOMPARE(fx.fileBytes("Orari.pro"), preset({{0, "Turno mattino"}, {51, "Estate"}, {153, "Divisa"}, {404, "fine"},
                                                    {band(7), "8.30x"}, {band(7) + 6, "12:00"}, {band(12) + 12, "Chiusura"}}));

        // A name alone is enough.
        ScreenFixture::click(screen, "btnNuovo");
        QVERIFY(box("Inizio07")->text().isEmpty());
        box("Nome")->setText("Vuoto");
        ScreenFixture::click(screen, "btnSalva");
        QCOMPARE(fx.fileBytes("Orari.pro").mid(3757), preset({{0, "Vuoto"}}));
    }

    void duplicateAppendsACopyWithoutAttachments()
    {
        ScreenFixture fx;
        QVERIFY(RecordFiles::write(fx.path("Orari.pro"),
                                   {schedule({{"Nome", "A"}}), schedule({{"Nome", "B"}, {"Sede", "Roma"}, {"File01", "/x.pdf"}})}));
        openFromMenu(fx);
        ScreenFixture::click(screen, "btnDuplica");
        QCOMPARE(Dialogs::Test::last().text, CardText::duplicateWarning());
        QVERIFY(position().isEmpty());

        ScreenFixture::click(screen, "cmdUltimo");
        QCOMPARE(ScreenFixture::child<QLabel>(screen, "lblFile01")->text(), QString("/x.pdf"));
        const QByteArray before = fx.fileBytes("Orari.pro");
        ScreenFixture::click(screen, "btnDuplica");
        QCOMPARE(Dialogs::Test::last().text, CardText::duplicated());
        QVERIFY(position().isEmpty());
        QVERIFY(ScreenFixture::child<QLabel>(screen, "lblFile01")->text().isEmpty());
        ScreenFixture::click(screen, "btnSalva");
        QCOMPARE(position(), QString("3"));
        const QByteArray after = fx.fileBytes("Orari.pro");
        QCOMPARE(after.left(2 * 3757), before);
        QCOMPARE(after.mid(2 * 3757), schedule({{"Nome", "B"}, {"Sede", "Roma"}}).bytes());

        // Showing the screen again starts on an empty card.
        screen->close();
        fx.screens->schedules->open();
        QVERIFY(position().isEmpty());
        QVERIFY(box("Sede")->text().isEmpty());
    }

    void enterCycleAndHighlights()
    {
        ScreenFixture fx;
        openFromMenu(fx);
        ScreenFixture::activate(screen);
        ScreenFixture::enterMoves(screen, {"Nome", "Periodo", "Sede", "Disposizioni", "Inizio01", "Fine01", "Attivita01", "Inizio02"});
        ScreenFixture::enterMoves(screen, {"Attivita12", "Annotazioni", "Nome"});
        for (const char *f : {"effNome", "effPeriodo", "effSede", "effDisposizioni"})
            QVERIFY(screen->findChild<QWidget *>(f));
        for (const char *f : {"effAnnotazioni", "effInizio01", "effAttivita12"})
            QVERIFY(!screen->findChild<QWidget *>(f));
        QCOMPARE(box("Attivita05")->maxLength(), 120);
        QCOMPARE(box("Disposizioni")->maxLength(), 250);
        QCOMPARE(box("Fine12")->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    }

    void findListsAndLoads()
    {
        ScreenFixture fx;
        QVERIFY(RecordFiles::write(fx.path("Orari.pro"),
                                   {schedule({{"Nome", "Turno mattino lungo con un nome oltre trenta"}, {"Sede", "Roma"},
                                              {"Annotazioni", "prima"}}),
                                    schedule({{"Nome", "Serale"}, {"Sede", "Roma Nord"}, {"Attivita02", "Pulizie"}}),
                                    schedule({{"Nome", "Mattino"}, {"Sede", "Milano"}}),
                                    schedule({{"Nome", "Serale"}, {"Sede", "Roma Nord"}, {"Attivita12", "ultima"}})}));
        openFromMenu(fx);
        Modal::on([](QDialog *d) {
            QCOMPARE(d->objectName(), QString("TfrmTrovaOrari"));
            QCOMPARE(d->windowTitle(), QString(" Trova orari di lavoro in archivio"));
            QCOMPARE(ScreenFixture::child<QLabel>(d, "lblMemory")->text(), QString("orari"));
            const QStringList lines = Modal::search(d, {{"txtNome", "MATTINO"}, {"txtSede", "roma"}});
            QCOMPARE(ScreenFixture::child<QLabel>(d, "lblConta")->text(), QString("2"));
            QCOMPARE(lines, QStringList{"Turno mattino lungo con un nom" + QString("  Periodo: ") + QString(24, ' ')
                                        + "  Sede: Roma" + QString(20, ' ') + "  Note: prima"});
            Modal::pick(d);
        });
        ScreenFixture::click(screen, "btnTrova");
        QCOMPARE(position(), QString("1"));
        QCOMPARE(box("Nome")->text(), QString("Turno mattino lungo con un nome oltre trenta"));

        // Equal lines: the later card in the file stays.
        Modal::on([](QDialog *d) {
            QCOMPARE(Modal::search(d, {{"txtNome", "serale"}}).size(), 2);
            Modal::pick(d, 1);
        });
        ScreenFixture::click(screen, "btnTrova");
        QCOMPARE(position(), QString("4"));
        QCOMPARE(box("Attivita12")->text(), QString("ultima"));
        box("Nome")->setText("Serale rivisto");
        ScreenFixture::click(screen, "btnSalva");
        QCOMPARE(Dialogs::Test::last().text, CardText::saved());
        QCOMPARE(fx.fileBytes("Orari.pro").mid(3 * 3757, 15), QByteArray("\x0eSerale rivisto"));

        // Activity filters look at their own band only.
        Modal::on([](QDialog *d) {
            QCOMPARE(Modal::search(d, {{"txtAttivita01", "pulizie"}}).size(), 0);
        });
        ScreenFixture::click(screen, "btnTrova");
    }
};

QTEST_MAIN(TestScheduleCardScreen)
#include "TestScheduleCardScreen.moc"
