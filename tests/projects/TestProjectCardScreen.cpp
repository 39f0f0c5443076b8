#include "shell/MainMenu.h"
#include "projects/ProjectCardScreen.h"
#include "projects/ProjectRecord.h"
#include "shell/PaymentsMenu.h"
#include "shell/YearMenu.h"
#include "support/Modal.h"
#include "support/RecordFiles.h"
#include "support/ScreenFixture.h"
#include "workers/WorkerRecord.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>

namespace {
// A stored project built from the published offsets: each text, then its zero byte.
QByteArray project(const QList<QPair<int, QByteArray>> &fields)
{
    QByteArray r(62681, '\0');
    for (const auto &[offset, text] : fields)
        r.replace(offset, text.size(), text);
    return r;
}
using RecordFiles::Fields;
Record stored(const Fields &f) { return RecordFiles::make(ProjectRecord::layout(), f); }
}

class TestProjectCardScreen : public QObject
{
    Q_OBJECT

    enum Edit { DeleteLast, ChangeLast, ChangeFirst };

    ProjectCardScreen *screen = nullptr;
    QLineEdit *box(const char *f) { return ScreenFixture::child<QLineEdit>(screen, qPrintable(QString("txt") + f)); }
    QPlainTextEdit *lines(const char *f) { return ScreenFixture::child<QPlainTextEdit>(screen, qPrintable(QString("txt") + f)); }
    QString position() { return screen->lblPosizione()->text(); }
    void openYear(ScreenFixture &fx, const QString &year = "2017")
    {
        fx.screens->projectMenu->open();
        ScreenFixture::child<QLineEdit>(fx.screens->projectMenu, "txtAnnoPreventivi")->setText(year);
        ScreenFixture::click(fx.screens->projectMenu, "btnApriPreventivi");
        screen = qobject_cast<ProjectCardScreen *>(fx.screens->projects);
        QVERIFY(screen && screen->isVisible());
        QCOMPARE(screen->windowTitle(), " Veltaro - Archivio progetti anno " + year);
        ScreenFixture::activate(screen);
    }
    void expectWarning(const QString &what, QWidget *focus)
    {
        ScreenFixture::click(screen, "cmdSalva");
        QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Warning);
        QCOMPARE(Dialogs::Test::last().text, "Attenzione: per salvare la scheda è necessario indicare " + what + ".");
        QCOMPARE(QApplication::focusWidget(), focus);
    }

private slots:
    void newCardChecksAndSavesByteExact()
    {
        ScreenFixture fx;
        openYear(fx);
        QCOMPARE(box("CostoPrev")->text(), QString("0,00"));
        QCOMPARE(box("TotCosti")->text(), QString("0,00"));
        QCOMPARE(box("TotMembri")->text(), QString("0"));
        QCOMPARE(screen->selectedSection(), 0);
        QCOMPARE(QApplication::focusWidget(), box("Nome"));

        // Required fields in their order; a box on a hidden panel brings its tab forward.
        box("CostoPrev")->clear();
        expectWarning("il nome del progetto", box("Nome"));
        box("Nome")->setText(" " + QString(119, 'N'));
        expectWarning("il codice identificativo del progetto", box("Codice"));
        box("Codice")->setText("P-01");
        expectWarning("la data di inizio del progetto", box("DataInizio"));
        box("DataInizio")->setText("01/02/2017");
        expectWarning("la data di scadenza del progetto", box("DataScade"));
        box("DataScade")->setText("30/06/2017");
        screen->selectSection(4);
        expectWarning("il costo totale preventivato del progetto", box("CostoPrev"));
        QCOMPARE(screen->selectedSection(), 0);
        QTest::keyClicks(box("CostoPrev"), "12.500a,5");   // a typed point has no effect
        box("Stato")->setFocus();
        QCOMPARE(box("CostoPrev")->text(), QString("12500,50"));
        screen->selectSection(4);
        expectWarning("il nome del responsabile del progetto", box("Responsabile"));
        QVERIFY(QFile::exists(fx.path("2017.prg")) == false);

        box("Responsabile")->setText("Rossi Mario");
        lines("Fasi")->setPlainText("uno\ndue");
        lines("Espletate")->setPlainText(QString(10005, 'e'));
        findChild<QCheckBox>("chkTerminato")->setChecked(true);
        screen->selectSection(1);
        box("TotMembri")->setFocus();
        box("TotMembri")->clear();
        QTest::keyClicks(box("TotMembri"), "x,1");
        QCOMPARE(box("TotMembri")->text(), QString("1"));
        box("TotMembri")->clear();
        lines("Membri")->setFocus();
        QCOMPARE(box("TotMembri")->text(), QString("0"));
        screen->selectSection(4);
        box("TotCosti")->setFocus();
        box("TotCosti")->setText("0,123456");
        lines("Costi")->setFocus();
        QCOMPARE(box("TotCosti")->text(), QString("0,1235"));
        ScreenFixture::click(screen, "cmdSalva");
        QCOMPARE(Dialogs::Test::last().text, QString("La scheda corrente è stata inserita in archivio."));
        QCOMPARE(position(), QString("1"));
        QCOMPARE(fx.fileBytes("2017.prg"),
                 project({{0, " " + QByteArray(119, 'N')}, {121, "P-01"}, {454, "01/02/2017"}, {465, "30/06/2017"},
                          {476, "12500,50"}, {540, "Rossi Mario"}, {1144, "uno\r\ndue"}, {6145, "S\xec"}, {11149, "0"},
                          {21156, QByteArray(10000, 'e')}, {56161, "0,1235"}}));
    }

    // Whatever section is chosen, the card stays within the screen and its status line in sight.
    void cardNeverGrowsPastTheScreen()
    {
        ScreenFixture fx;
        openYear(fx);
        const QRect available = screen->screen()->availableGeometry();
        auto *status = ScreenFixture::child<QWidget>(screen, "panInfo");
        for (int section = 0; section < 5; ++section) {
            screen->selectSection(section);
            QApplication::processEvents();
            QVERIFY2(screen->height() <= available.height(), qPrintable(QString::number(section)));
            QVERIFY(status->isVisible());
            QVERIFY(status->mapTo(screen, QPoint(0, status->height())).y() <= screen->height());
        }
    }

    // The note for a refused amount wraps beside its box: at 1024 by 768 the card keeps
    // within its window.
    void amountNoteStaysInsideTheCard()
    {
        ScreenFixture fx;
        openYear(fx);
        screen->showNormal();
        screen->resize(1024, 768);
        QApplication::processEvents();
        auto *form = findChild<QWidget>("panScheda");
        const int width = form->width();
        QVERIFY(width <= screen->width());
        box("CostoPrev")->setFocus();
        box("CostoPrev")->setText("1,2,3,4,5,6,");
        box("Stato")->setFocus();
        QApplication::processEvents();
        auto *note = findChild<QLabel>("notatxtCostoPrev");
        QVERIFY(note && note->isVisible());
        QCOMPARE(note->text(), QString("\"1,2,3,4,5,6,\" non è un importo: vale 0,00"));
        QCOMPARE(form->width(), width);
        QVERIFY(note->mapTo(form, QPoint(note->width(), 0)).x() <= width);
    }

    // An amount pasted and saved at once, the box never left, is stored as the rule reads it.
    void amountPastedThenSavedIsRead()
    {
        ScreenFixture fx;
        openYear(fx);
        for (const auto &[f, text] : {std::pair{"Nome", "Sito"}, {"Codice", "P-1"}, {"DataInizio", "01/02/2017"},
                                      {"DataScade", "30/06/2017"}, {"Responsabile", "Rossi"}})
            box(f)->setText(text);
        box("CostoPrev")->setFocus();
        box("CostoPrev")->setText("1.234");   // as a paste puts it: no key filter stops it
        ScreenFixture::click(screen, "cmdSalva");
        QCOMPARE(Dialogs::Test::last().text, CardText::inserted());
        QCOMPARE(fx.fileBytes("2017.prg").mid(476, 8), QByteArray("1234,00\0", 8));
        QCOMPARE(QApplication::focusWidget(), box("CostoPrev"));
    }

    void loadKeepsTabAndDuplicateAppends()
    {
        ScreenFixture fx;
        QVERIFY(RecordFiles::write(fx.path("2017.prg"),
                                   {stored({{"Nome", "  Alfa  "}, {"Terminato", "No"}, {"Fasi", "a\r\nb"}, {"File01", "  doc.pdf "}}),
                                    stored({{"Nome", "Beta"}, {"Terminato", "forse"}})}));
        openYear(fx);
        screen->selectSection(2);
        ScreenFixture::click(screen, "cmdPrimo");
        QCOMPARE(box("Nome")->text(), QString("  Alfa  "));
        QCOMPARE(lines("Fasi")->toPlainText(), QString("a\nb"));
        QCOMPARE(ScreenFixture::child<QLabel>(screen, "lblFile01")->text(), QString("doc.pdf"));
        QCOMPARE(screen->selectedSection(), 2);
        auto *finished = findChild<QCheckBox>("chkTerminato");
        finished->setChecked(true);
        ScreenFixture::click(screen, "cmdAvanti");
        QVERIFY(finished->isChecked());   // an unknown mark leaves the box alone
        ScreenFixture::click(screen, "cmdIndietro");
        QVERIFY(!finished->isChecked());

        ScreenFixture::click(screen, "cmdDuplica");
        QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Information);
        QVERIFY(position().isEmpty());
        QVERIFY(ScreenFixture::child<QLabel>(screen, "lblFile01")->text().isEmpty());
        QCOMPARE(screen->selectedSection(), 0);
        QCOMPARE(QApplication::focusWidget(), box("Nome"));
        for (const char *f : {"Codice", "DataInizio", "DataScade", "CostoPrev", "Responsabile"})
            box(f)->setText("x");
        ScreenFixture::click(screen, "cmdSalva");
        QCOMPARE(position(), QString("3"));
        QCOMPARE(fx.fileBytes("2017.prg").size(), 3 * 62681);

        // A Save the archive refuses is told in a plain notice; the card keeps its values.
        QVERIFY(QFile::remove(fx.path("2017.prg")) && QDir().mkdir(fx.path("2017.prg")));
        box("Nome")->setText("Gamma");
        ScreenFixture::click(screen, "cmdSalva");
        QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Notice);
        QCOMPARE(Dialogs::Test::last().text, Dialogs::archiveAccessText());
        QCOMPARE(box("Nome")->text(), QString("Gamma"));

        ScreenFixture::click(screen, "cmdNuovo");
        QVERIFY(position().isEmpty());
        ScreenFixture::click(screen, "cmdDuplica");
        QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Warning);
    }

    // A field another program filled to its last byte (no zero) is shown whole, and an edit
    // to it is stored as the box shows it: never reported saved while the file keeps the old
    // text, never stored a character short.
    void editOfFullFieldIsStoredAsShown_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("full");
        QTest::addColumn<int>("edit");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray code = "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234";   // 31 bytes in ztext[30]
        QTest::newRow("last character deleted") << QByteArray("Codice") << 121 << code << int(DeleteLast)
                                                << code.left(30) + '\0';
        QTest::newRow("last character changed") << QByteArray("Codice") << 121 << code << int(ChangeLast)
                                                << code.left(30) + '9';
        QTest::newRow("other character changed") << QByteArray("Codice") << 121 << code << int(ChangeFirst)
                                                 << 'Q' + code.mid(1);
        const QByteArray phases = QByteArray(5000, 'f') + 'g';            // 5001 bytes in ztext[5000]
        QTest::newRow("multi-line, last deleted") << QByteArray("Fasi") << 1144 << phases << int(DeleteLast)
                                                  << phases.left(5000) + '\0';
        QTest::newRow("multi-line, first changed") << QByteArray("Fasi") << 1144 << phases << int(ChangeFirst)
                                                   << 'Q' + phases.mid(1);
    }
    void editOfFullFieldIsStoredAsShown()
    {
        QFETCH(QByteArray, field);
        QFETCH(int, offset);
        QFETCH(QByteArray, full);
        QFETCH(int, edit);
        QFETCH(QByteArray, expected);
        ScreenFixture fx;
        const QByteArray before = project({{0, "Sito"}, {121, "P-1"}, {454, "01/02/2017"}, {465, "30/06/2017"},
                                           {476, "10,00"}, {540, "Rossi"}, {6145, "No"}, {offset, full}});
        Record card(ProjectRecord::layout());
        card.bytes() = before;
        QVERIFY(RecordFiles::write(fx.path("2017.prg"), {card}));
        openYear(fx);
        ScreenFixture::click(screen, "cmdPrimo");
        QWidget *w = findChild<QWidget>(qPrintable("txt" + field));
        const bool multiLine = qobject_cast<QPlainTextEdit *>(w);
        if (multiLine)
            screen->selectSection(0);
        QCOMPARE(WidgetText::get(w), QString::fromLatin1(full));

        w->setFocus();
        if (edit == ChangeFirst) {
            QTest::keyClick(w, Qt::Key_Home, multiLine ? Qt::ControlModifier : Qt::NoModifier);
            QTest::keyClick(w, Qt::Key_Delete);
            QTest::keyClicks(w, "Q");
        } else {
            QTest::keyClick(w, Qt::Key_End, multiLine ? Qt::ControlModifier : Qt::NoModifier);
            QTest::keyClick(w, Qt::Key_Backspace);
            if (edit == ChangeLast)
                QTest::keyClicks(w, "9");
        }
        ScreenFixture::click(screen, "cmdSalva");
        QCOMPARE(Dialogs::Test::last().text, CardText::saved());
        const QByteArray file = fx.fileBytes("2017.prg");
        QCOMPARE(file.mid(offset, expected.size()), expected);
        QByteArray after = before;
        after.replace(offset, expected.size(), expected);
        QVERIFY(file == after);

        // What was saved is what comes back.
        const QString shown = WidgetText::get(w);
        ScreenFixture::click(screen, "cmdNuovo");
        ScreenFixture::click(screen, "cmdPrimo");
        QCOMPARE(WidgetText::get(w), shown);

        // A new card types no further than the box's own limit.
        if (!multiLine) {
            ScreenFixture::click(screen, "cmdNuovo");
            w->setFocus();
            QTest::keyClicks(w, QString(40, 'x'));
            QCOMPARE(WidgetText::get(w), QString(30, 'x'));
        }
    }

    void importsResponsiblePerson()
    {
        ScreenFixture fx;
        QVERIFY(RecordFiles::write(fx.path("Dipendenti.pro"),
                                   {RecordFiles::make(WorkerRecord::layout(),
                                                      {{"Cognome", "Verdi"}, {"Nome", "Anna"}, {"Recapito", "02 123"}})}));
        openYear(fx);
        box("Ambito")->setText("Scuola");
        Modal::on([](QDialog *d) {
            QCOMPARE(d->objectName(), QString("TfrmTrovaIstruttori"));
            QCOMPARE(Modal::search(d, {}).size(), 1);
            Modal::pick(d);
        });
        ScreenFixture::click(screen, "impResponsabile");
        QCOMPARE(box("Responsabile")->text(), QString("Verdi Anna"));
        QCOMPARE(box("Recapito")->text(), QString("02 123"));
        QCOMPARE(box("Ambito")->text(), QString("Scuola"));
    }

private:
    template <class T>
    T *findChild(const char *name) { return ScreenFixture::child<T>(screen, name); }
};

QTEST_MAIN(TestProjectCardScreen)
#include "TestProjectCardScreen.moc"
