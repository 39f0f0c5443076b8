#include "shell/MainMenu.h"
#include "schedules/ScheduleCardScreen.h"
#include "schedules/ScheduleRecord.h"
#include "shell/PaymentsMenu.h"
#include "shell/YearMenu.h"
#include "shifts/WeeklyShiftRecord.h"
#include "shifts/WeeklyShiftScreen.h"
#include "support/Modal.h"
#include "support/RecordFiles.h"
#include "support/ScreenFixture.h"

#include <QLabel>
#include <QLineEdit>

namespace {
QByteArray weeklyCard(const QList<QPair<int, QByteArray>> &fields)
{
    return RecordFiles::atOffsets(5841, fields);
}
// The cell of band nn on day d (0 Monday .. 6 Sunday).
int cell(int day, int nn) { return 891 + 492 * day + 41 * (nn - 1); }
constexpr int Reserved = 722;

using RecordFiles::Fields;
Record weekly(const Fields &f) { return RecordFiles::make(WeeklyShiftRecord::layout(), f); }
}

class TestWeeklyShiftScreen : public QObject
{
    Q_OBJECT

    WeeklyShiftScreen *screen = nullptr;
    QLineEdit *box(const QString &f) { return ScreenFixture::child<QLineEdit>(screen, qPrintable("txt" + f)); }
    QString position() { return screen->lblPosizione()->text(); }
    void openYear(ScreenFixture &fx)
    {
        fx.screens->mainMenu->open();
        ScreenFixture::click(fx.screens->mainMenu, "imgCalendario");
        ScreenFixture::click(fx.screens->shiftCalendarMenu, "btnApriAnnoSet");
        screen = qobject_cast<WeeklyShiftScreen *>(fx.screens->weeklyShifts);
        QVERIFY(screen && screen->isVisible());
        QCOMPARE(screen->windowTitle(), QString(" Veltaro - Programmazione turni anno 2017"));
        ScreenFixture::activate(screen);
    }

private slots:
    void savesByteExactAfterItsChecks()
    {
        ScreenFixture fx;
        openYear(fx);
        box("Nome")->setText("Settimana");
        box("DataInizio")->setText("12/06/2017");
        ScreenFixture::click(screen, "btnSalva");
        QCOMPARE(Dialogs::Test::last().text,
                 QString("Attenzione: per salvare la scheda è necessario indicare la data di fine della settimana a cui si "
                         "riferiscono i turni di lavoro."));
        QCOMPARE(QApplication::focusWidget(), box("DataFine"));
        QVERIFY(!QFile::exists(fx.path("2017.set")));

        Modal::on([](QDialog *d) {
            QCOMPARE(ScreenFixture::child<QLabel>(d, "lblMemory")->text(), QString("set_fine"));
            ScreenFixture::click(d, "btnImportaData");
        });
        QTest::keyClick(box("DataFine"), Qt::Key_Return);
        QCOMPARE(box("DataFine")->text(), QString("15/06/2017"));
        box("Inizio09")->setText("09:00");
        box("Fine08")->setText("18:00");
        box("Lun01")->setText("Rossi");
        box("Mer06")->setText("Verdi");
        box("Dom12")->setText("Bianchi");
        box("Sab03")->setText(QString(45, 'y'));
        QCOMPARE(box("Sab03")->text().size(), 40);
        ScreenFixture::click(screen, "btnSalva");
        QCOMPARE(Dialogs::Test::last().text, CardText::inserted());
        const QByteArray bytes = fx.fileBytes("2017.set");
        QCOMPARE(bytes, weeklyCard({{0, "Settimana"}, {51, "12/06/2017"}, {62, "15/06/2017"}, {716, "18:00"}, {843, "09:00"},
                                    {cell(0, 1), "Rossi"}, {cell(2, 6), "Verdi"}, {cell(6, 12), "Bianchi"},
                                    {cell(5, 3), QByteArray(40, 'y')}}));
        QCOMPARE(bytes.mid(Reserved, 121), QByteArray(121, '\0'));
    }

    void endBeforeStartIsSavedWithANote()
    {
        ScreenFixture fx;
        openYear(fx);
        auto *note = ScreenFixture::child<QLabel>(screen, "lblDateInvertite");
        box("Nome")->setText("Al contrario");
        box("DataInizio")->setText("20/06/2017");
        box("DataFine")->setText("20/06/2017");
        QVERIFY(note->text().isEmpty());
        box("DataFine")->setText("14/06/2017");
        QVERIFY(!note->text().isEmpty());
        QVERIFY(note->isVisible());
        ScreenFixture::click(screen, "btnSalva");
        QCOMPARE(Dialogs::Test::last().text, CardText::inserted());
        QCOMPARE(Dialogs::Test::shown().size(), 1);
        ScreenFixture::click(screen, "btnNuovo");
        QVERIFY(note->text().isEmpty());
    }

    void reservedBytesKeptOnRewriteZeroOnNewCards()
    {
        ScreenFixture fx;
        Record foreign = weekly({{"Nome", "Altro"}, {"DataInizio", "01/01/2017"}, {"DataFine", "07/01/2017"}});
        foreign.bytes().replace(Reserved, 121, QByteArray(121, 'R'));
        QVERIFY(RecordFiles::write(fx.path("2017.set"), {foreign}));
        openYear(fx);
        ScreenFixture::click(screen, "cmdPrimo");
        QCOMPARE(box("Nome")->text(), QString("Altro"));
        box("Nome")->setText("Altro rivisto");
        ScreenFixture::click(screen, "btnSalva");
        QCOMPARE(Dialogs::Test::last().text, CardText::saved());
        QCOMPARE(fx.fileBytes("2017.set").mid(Reserved, 121), QByteArray(121, 'R'));

        ScreenFixture::click(screen, "btnDuplica");
        ScreenFixture::click(screen, "btnSalva");
        ScreenFixture::click(screen, "btnNuovo");
        box("Nome")->setText("Nuova");
        box("DataInizio")->setText("02/01/2017");
        box("DataFine")->setText("08/01/2017");
        ScreenFixture::click(screen, "btnSalva");
        const QByteArray bytes = fx.fileBytes("2017.set");
        QCOMPARE(bytes.size(), 3 * 5841);
        QCOMPARE(bytes.mid(5841 + Reserved, 121), QByteArray(121, '\0'));
        QCOMPARE(bytes.mid(2 * 5841 + Reserved, 121), QByteArray(121, '\0'));
    }

    void enterFillsTheGridRowByRow_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("name to start date") << "Nome" << "DataInizio";
        QTest::newRow("site") << "Sede" << "Disposizioni";
        QTest::newRow("instructions") << "Disposizioni" << "Inizio01";
        QTest::newRow("end time to Monday") << "Fine03" << "Lun03";
        QTest::newRow("Saturday to Sunday") << "Sab03" << "Dom03";
        QTest::newRow("Sunday to next band") << "Dom05" << "Inizio06";
        QTest::newRow("last cell") << "Dom12" << "Annotazioni";
        QTest::newRow("notes") << "Annotazioni" << "Nome";
    }
    void enterFillsTheGridRowByRow()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        ScreenFixture fx;
        openYear(fx);
        box(from)->setFocus();
        QTest::keyClick(box(from), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), box(to));
    }

    void presetImportAndFind()
    {
        ScreenFixture fx;
        QVERIFY(RecordFiles::write(fx.path("Orari.pro"),
                                   {RecordFiles::make(ScheduleRecord::layout(),
                                                      {{"Nome", "Preset"}, {"Periodo", "Estate"}, {"Sede", "Roma"},
                                                       {"Inizio12", "22:00"}, {"Attivita01", "Apertura"}})}));
        QVERIFY(RecordFiles::write(fx.path("2017.set"),
                                   {weekly({{"Nome", "A"}, {"DataInizio", "05/06/2017"}, {"DataFine", "11/06/2017"}}),
                                    weekly({{"Nome", "B"}, {"DataInizio", "12/06/2017"}, {"DataFine", "18/06/2017"},
                                            {"Mar04", "Neri"}})}));
        openYear(fx);
        box("Lun01")->setText("Rossi");
        box("DataInizio")->setText("01/06/2017");
        Modal::on([](QDialog *d) {
            QCOMPARE(ScreenFixture::child<QLabel>(d, "lblMemory")->text(), QString("settimanale"));
            Modal::search(d, {});
            Modal::pick(d);
        });
        ScreenFixture::click(screen, "impNome");
        QCOMPARE(box("Nome")->text(), QString("Preset"));
        QCOMPARE(box("Sede")->text(), QString("Roma"));
        QCOMPARE(box("Inizio12")->text(), QString("22:00"));
        QCOMPARE(box("Lun01")->text(), QString("Rossi"));
        QCOMPARE(box("DataInizio")->text(), QString("01/06/2017"));

        Modal::on([](QDialog *d) {
            QCOMPARE(d->objectName(), QString("TfrmTrovaSet"));
            QCOMPARE(ScreenFixture::child<QLabel>(d, "lblMemory")->text(), QString("settimanale"));
            const QStringList lines = Modal::search(d, {{"txtDataInizio", "12/06"}, {"txtDataFine", "18/06"}});
            QCOMPARE(lines, QStringList{"B" + QString(29, ' ') + "  Da: 12/06/2017  A: 18/06/2017  Sede: " + QString(30, ' ')
                                        + "  Note: "});
            Modal::pick(d);
        });
        ScreenFixture::click(screen, "btnTrova");
        QCOMPARE(position(), QString("2"));
        QCOMPARE(box("Mar04")->text(), QString("Neri"));
        QVERIFY(box("Lun01")->text().isEmpty());
    }
};

QTEST_MAIN(TestWeeklyShiftScreen)
#include "TestWeeklyShiftScreen.moc"
