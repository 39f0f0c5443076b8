#include "framework/CalendarDialog.h"
#include "archive/ResultList.h"
#include "checks/CheckDialog.h"
#include "compensation/WorkLogFixture.h"
#include "framework/BoxBehaviour.h"
#include "framework/Clock.h"
#include "shell/MainMenu.h"
#include "shell/PaymentsMenu.h"
#include "shell/YearMenu.h"
#include "support/ScreenFixture.h"
#include "worklog/WorkCardScreen.h"

#include <QCalendarWidget>
#include <QVBoxLayout>
#include <QDialog>
#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>

namespace {
// Stands for a window manager that keeps the focus when a window closes.
class KeepsFocusOnClose : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide && watched == parent())
            QApplication::setActiveWindow(nullptr);
        return false;
    }
};
}

// What a keyboard user and a user who pastes meet on every screen.
class TestKeyboard : public QObject
{
    Q_OBJECT
private slots:
    void pastedTextIsJudgedOnLeaving_data()
    {
        QTest::addColumn<int>("keys");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("note");   // the line beside the box; empty: none shown
        const int A = int(Box::Keys::Amount), D = int(Box::Keys::Digits);
        QTest::newRow("letters") << A << 4 << "abc" << "0,00" << "\"abc\" non è un importo: vale 0,00";
        QTest::newRow("point before two digits is the comma") << A << 4 << "12.50" << "12,50" << "";
        QTest::newRow("point before one digit is the comma") << A << 2 << "12.5" << "12,50" << "";
        QTest::newRow("blanks around") << A << 2 << " 7,5 " << "7,50" << "";
        QTest::newRow("thousands points beside a comma") << A << 2 << "12.500,50" << "12500,50" << "";
        QTest::newRow("two thousands points") << A << 4 << "1.234.567,8" << "1234567,80" << "";
        QTest::newRow("thousands point alone") << A << 2 << "1.234" << "1234,00" << "";
        QTest::newRow("point before four digits") << A << 2 << "1.2345" << "0,00" << "\"1.2345\" non è un importo: vale 0,00";
        QTest::newRow("two commas") << A << 2 << "1,2,3" << "0,00" << "\"1,2,3\" non è un importo: vale 0,00";
        QTest::newRow("empty box says nothing") << A << 2 << "  " << "0,00" << "";
        QTest::newRow("fifteen digits keep their decimals") << A << 4 << "123456789012345" << "123456789012345,00" << "";
        QTest::newRow("rounded") << A << 2 << "10,555" << "10,55" << "";
        QTest::newRow("digits box keeps a letter for the checks") << D << -1 << "1111111015A" << "1111111015A" << "";
    }
    void pastedTextIsJudgedOnLeaving()
    {
        QFETCH(int, keys);
        QFETCH(int, decimals);
        QFETCH(QString, pasted);
        QFETCH(QString, left);
        QFETCH(QString, note);
        QWidget window;
        auto *line = new QHBoxLayout(&window);
        auto *box = new QLineEdit(&window);
        box->setObjectName("txtCosto");
        box->setMaxLength(15);
        auto *other = new QLineEdit(&window);
        line->addWidget(box);
        line->addWidget(other);
        Box::setup(box, {.keys = Box::Keys(keys), .amountDecimals = decimals});
        window.show();
        ScreenFixture::activate(&window);
        box->setFocus();
        box->setText("5,00");
        box->selectAll();
        QGuiApplication::clipboard()->setText(pasted);
        box->paste();
        QCOMPARE(box->text(), pasted.left(15));
        other->setFocus();
        QCOMPARE(box->text(), left);
        auto *shown = window.findChild<QLabel *>("notatxtCosto");
        QCOMPARE(shown && shown->isVisible() ? shown->text() : QString(), note);
        if (!note.isEmpty()) {
            // Beside the box, and gone as soon as the box is typed in again.
            QCOMPARE(line->indexOf(shown), line->indexOf(box) + 1);
            box->setFocus();
            QTest::keyClick(box, Qt::Key_5);
            QVERIFY(!shown->isVisible());
        }
    }

    // A text longer than its box shows its beginning once the box is left.
    void leftBoxShowsItsBeginning()
    {
        QWidget window;
        auto *line = new QHBoxLayout(&window);
        auto *cell = new QLineEdit(&window), *other = new QLineEdit(&window);
        cell->setFixedWidth(60);
        line->addWidget(cell);
        line->addWidget(other);
        Box::setup(cell);
        window.show();
        ScreenFixture::activate(&window);
        cell->setFocus();
        QTest::keyClicks(cell, "Rossi A., Bianchi L., Dell'Acqua N.");
        QCOMPARE(cell->cursorPosition(), 35);
        QTest::keyClick(cell, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), other);
        QCOMPARE(cell->cursorPosition(), 0);
    }

    // Italians type thousands with a point: a typed point has no effect, so 12.500,50 is 12500,50.
    void typedKeysStillFiltered()
    {
        QWidget window;
        auto *amount = new QLineEdit(&window);
        auto *digits = new QLineEdit(&window);
        Box::setup(amount, {.keys = Box::Keys::Amount, .amountDecimals = 2});
        Box::setup(digits, {.keys = Box::Keys::Digits});
        window.show();
        ScreenFixture::activate(&window);
        amount->setFocus();
        QTest::keyClicks(amount, "1a2-.5e");
        QCOMPARE(amount->text(), QString("125"));
        amount->clear();
        QTest::keyClicks(amount, "12.500,50");
        QTest::keyClick(amount, Qt::Key_Period, Qt::KeypadModifier);
        QCOMPARE(amount->text(), QString("12500,50"));
        digits->setFocus();
        QCOMPARE(amount->text(), QString("12500,50"));
        QTest::keyClicks(digits, "4x .2");
        QCOMPARE(digits->text(), QString("42"));
    }

    void partitaIvaCheckReachableWithPastedLetter()
    {
        ScreenFixture fx;
        CheckDialog screen(CheckDialog::Kind::PartitaIva);
        screen.show();
        ScreenFixture::activate(&screen);
        screen.box()->setFocus();
        QGuiApplication::clipboard()->setText("1111111015A");
        screen.box()->paste();
        ScreenFixture::click(&screen, "btnControlla");
        QCOMPARE(Dialogs::Test::shown().size(), 1);
        QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Warning);
    }

    // Enter that lands on a button shows the focus there, and Enter again presses it.
    void enterPressesTheFocusedButton()
    {
        ScreenFixture fx;
        ScreenRegistry &s = *fx.screens;
        s.workLogMenu->open();
        ScreenFixture::activate(s.workLogMenu);
        auto *year = ScreenFixture::child<QLineEdit>(s.workLogMenu, "txtAnnoPreventivi");
        auto *open = ScreenFixture::child<QPushButton>(s.workLogMenu, "btnApriPreventivi");
        year->setFocus(Qt::MouseFocusReason);
        s.workLogMenu->setAttribute(Qt::WA_KeyboardFocusChange, false);
        QTest::keyClick(year, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), open);
        QVERIFY(s.workLogMenu->testAttribute(Qt::WA_KeyboardFocusChange));   // the style frames it
        QTest::keyClick(open, Qt::Key_Return);
        QVERIFY(s.workLog->isVisible());
        QCOMPARE(ScreenFixture::child<QLabel>(s.workLog, "lblFile")->text(), fx.path("2017.lav"));

        ScreenFixture::activate(s.workLog);
        auto *activity = ScreenFixture::child<QLineEdit>(s.workLog, "txtAttivita");
        ScreenFixture::child<QComboBox>(s.workLog, "txtDaOre")->setCurrentText("08");
        ScreenFixture::child<QComboBox>(s.workLog, "txtAOre")->setCurrentText("12");
        activity->setFocus();
        QTest::keyClick(activity, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("btnCalcolaOre"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(ScreenFixture::child<QLineEdit>(s.workLog, "txtTotOre")->text(), QString("4"));
    }

    // The pay summary set up and shown without the mouse: lists open and move by keyboard,
    // typed characters stay out of them, Enter goes on to the command and presses it.
    void paySummaryByKeyboardAlone()
    {
        ScreenFixture fx;
        QVERIFY(writeLog(fx.path("2017.lav"), {{"10/01/2017", "40,00"}, {"10/02/2017", "60,00"}}));
        ScreenRegistry &s = *fx.screens;
        s.paySummarySetup->open();
        ScreenFixture::activate(s.paySummarySetup);
        const auto key = [](int k) { QTest::keyClick(QApplication::focusWidget(), Qt::Key(k)); };
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("txtTipologia"));
        key(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("txtGiornoInizio"));
        QTest::keyClicks(QApplication::focusWidget(), "05");
        QCOMPARE(ScreenFixture::child<QComboBox>(s.paySummarySetup, "txtGiornoInizio")->currentText(), QString());
        key(Qt::Key_Down);                                   // 01
        key(Qt::Key_Return);
        key(Qt::Key_Down);                                   // Gennaio
        key(Qt::Key_Return);
        key(Qt::Key_Down);                                   // 01
        key(Qt::Key_Return);
        key(Qt::Key_Down);
        key(Qt::Key_Down);                                   // Febbraio
        QCOMPARE(ScreenFixture::child<QComboBox>(s.paySummarySetup, "txtMeseFine")->currentText(), QString("Febbraio"));
        key(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("btnVisualizza"));
        int lines = -1;
        QTimer::singleShot(0, [&lines] {
            if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                lines = ScreenFixture::child<ResultList>(d, "lstRecords")->count();
                d->reject();
            }
        });
        key(Qt::Key_Return);
        QCOMPARE(lines, 1);                                  // 01/01 to 01/02: the January card
    }

    void calendarYearEnterOnlyMovesTheCalendar()
    {
        ScreenFixture fx;
        QLineEdit target;
        CalendarDialog::registerTarget(QStringLiteral("prova"), &target);
        CalendarDialog picker;
        picker.lblMemory()->setText(QStringLiteral("prova"));
        picker.show();
        ScreenFixture::activate(&picker);
        ScreenFixture::click(picker.calendar(), "qt_calendar_yearbutton");
        auto *year = picker.calendar()->findChild<QSpinBox *>();
        QVERIFY(year && year->isVisible());
        year->selectAll();
        QTest::keyClicks(year, "2020");
        QTest::keyClick(year, Qt::Key_Return);
        QVERIFY(picker.isVisible());
        QVERIFY(target.text().isEmpty());
        QCOMPARE(picker.calendar()->yearShown(), 2020);
        // Importa then takes the date selected on the calendar.
        const QDate selected = picker.calendar()->selectedDate();
        ScreenFixture::click(&picker, "btnImportaData");
        QVERIFY(!picker.isVisible());
        QCOMPARE(target.text(), selected.toString("dd/MM/yyyy"));
    }

    // Enter on a highlighted day takes it; Esc leaves the box as it was.
    void calendarEnterTakesTheDay()
    {
        ScreenFixture fx;
        QLineEdit target;
        CalendarDialog::registerTarget(QStringLiteral("prova"), &target);
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
            CalendarDialog picker;
            picker.lblMemory()->setText(QStringLiteral("prova"));
            picker.show();
            ScreenFixture::activate(&picker);
            auto *days = picker.calendar()->findChild<QAbstractItemView *>();
            QVERIFY(days);
            days->setFocus();
            QTest::keyClick(days, Qt::Key_Right);
            const QDate next = Clock::today().addDays(1);
            QCOMPARE(picker.calendar()->selectedDate(), next);
            QTest::keyClick(days, key);
            QVERIFY(!picker.isVisible());
            QCOMPARE(target.text(), key == Qt::Key_Return ? next.toString("dd/MM/yyyy") : QString());
        }
    }

    // A picker-only date box: Tab and Shift+Tab leave it, a modifier alone does nothing, any
    // other key opens the picker.
    void dateBoxesLetTabThrough()
    {
        QWidget window;
        auto *line = new QHBoxLayout(&window);
        auto *before = new QLineEdit(&window), *date = new QLineEdit(&window), *after = new QLineEdit(&window);
        for (QLineEdit *e : {before, date, after})
            line->addWidget(e);
        int opened = 0;
        Box::setup(date, {.picker = [&opened] { ++opened; }});
        window.show();
        ScreenFixture::activate(&window);
        before->setFocus();
        QTest::keyClick(before, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), date);
        for (const Qt::Key modifier : {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt})
            QTest::keyClick(date, modifier);
        QCOMPARE(opened, 0);
        QTest::keyClick(date, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), after);
        QTest::keyClick(after, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), date);
        QTest::keyClick(date, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), before);
        QCOMPARE(opened, 0);
        date->setFocus();
        QTest::keyClick(date, Qt::Key_A);
        QTest::keyClick(date, Qt::Key_F4);
        QCOMPARE(opened, 2);
    }

    // A filled list has the focus on its first line; arrows move, Enter and Space pick as a
    // double-click does, and never press the dialog's default button.
    void resultLinesArePickedByKeyboard_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }
    void resultLinesArePickedByKeyboard()
    {
        QFETCH(int, key);
        QDialog dialog;
        auto *layout = new QVBoxLayout(&dialog);
        auto *panel = new ResultPanel(QStringLiteral("Elenco"), nullptr, true, &dialog);
        layout->addWidget(panel);
        QStringList picked;
        connect(panel, &ResultPanel::picked, &dialog, [&picked](const QString &l) { picked << l; });
        panel->setLines(QStringList{"Bianchi", "Rossi", "Verdi"});
        dialog.show();
        ScreenFixture::activate(&dialog);
        panel->focusResults();
        QCOMPARE(QApplication::focusWidget(), panel->list());
        QCOMPARE(panel->list()->selectedRow(), 0);
        QTest::keyClick(panel->list(), Qt::Key_Down);
        QTest::keyClick(panel->list(), Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(picked, QStringList{"Rossi"});
        QVERIFY(dialog.isVisible());

        // The in-list search that finds nothing says so, and the line goes when the text changes.
        panel->searchBox()->setText("Neri");
        panel->findInList();
        auto *note = dialog.findChild<QLabel *>("lblNonTrovato");
        QVERIFY(note && note->isVisible());
        QCOMPARE(note->text(), QString("Nessuna riga dell'elenco contiene \"Neri\"."));
        panel->searchBox()->setText("Ver");
        QVERIFY(!note->isVisible());
        panel->findInList();
        QVERIFY(!note->isVisible());
        QCOMPARE(panel->list()->selectedRow(), 2);
    }

    // A check screen closes itself once its answer has been read: the window that opened it is
    // active again, with the focus in the box it was in, even when the window manager kept
    // the focus meanwhile.
    void closedDialogGivesTheFocusBack_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("codice fiscale") << int(CheckDialog::Kind::CodiceFiscale) << "RSSMRA85T10A562S";
        QTest::newRow("partita IVA") << int(CheckDialog::Kind::PartitaIva) << "11111110158";
        QTest::newRow("IBAN") << int(CheckDialog::Kind::Iban) << "IT60X0542811101000000123456";
        QTest::newRow("card") << int(CheckDialog::Kind::CardNumber) << "4111111111111111";
    }
    void closedDialogGivesTheFocusBack()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        ScreenFixture fx;
        QWidget owner;
        auto *layout = new QVBoxLayout(&owner);
        auto *first = new QLineEdit(&owner);
        auto *second = new QLineEdit(&owner);
        layout->addWidget(first);
        layout->addWidget(second);
        owner.show();
        ScreenFixture::activate(&owner);
        second->setFocus();
        bool answered = false;
        QTimer::singleShot(0, [&] {
            auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(d);
            d->installEventFilter(new KeepsFocusOnClose(d));
            ScreenFixture::activate(d);
            auto *box = d->findChild<QLineEdit *>();
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Return);                           // to "Controlla"
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);   // pressed
            answered = !d->isVisible();
            if (!answered)
                d->reject();
        });
        CheckDialogs::open(CheckDialog::Kind(kind), &owner, text);
        QVERIFY(answered);
        QCOMPARE(Dialogs::Test::shown().size(), 1);
        QTRY_COMPARE(QApplication::activeWindow(), &owner);
        QCOMPARE(QApplication::focusWidget(), second);
    }

    // A window shows its focus from the moment it opens, before any key is pressed.
    void focusShownFromTheStart()
    {
        ScreenFixture fx;
        QDialog dialog;
        auto *layout = new QVBoxLayout(&dialog);
        auto *button = new QPushButton(QStringLiteral("Stampa"), &dialog);
        layout->addWidget(button);
        button->setFocus();
        dialog.show();
        ScreenFixture::activate(&dialog);
        QStyleOptionButton option;
        option.initFrom(button);
        QVERIFY(option.state & QStyle::State_HasFocus);
        QVERIFY(option.state & QStyle::State_KeyboardFocusChange);
    }

    // Lines wider than the list move sideways by keys: Right and Ctrl+Right a little and a
    // lot, End to the end of the selected line, Home back; Ctrl+End and Ctrl+Home still go to
    // the last and first line.
    void wideLinesMoveSideways()
    {
        ScreenFixture fx;
        QDialog dialog;
        auto *layout = new QVBoxLayout(&dialog);
        auto *panel = new ResultPanel(QStringLiteral("Elenco"), nullptr, true, &dialog);
        layout->addWidget(panel);
        dialog.resize(500, 400);
        panel->setLines(QStringList{"Bianchi " + QString(150, 'b') + " fine", "Rossi", "Verdi"});
        dialog.show();
        ScreenFixture::activate(&dialog);
        panel->focusResults();
        ResultList *list = panel->list();
        QScrollBar *bar = list->horizontalScrollBar();
        QCOMPARE(bar->value(), 0);
        QTest::keyClick(list, Qt::Key_Right);
        const int step = bar->value();
        QVERIFY(step > 0);
        QTest::keyClick(list, Qt::Key_Right, Qt::ControlModifier);
        QVERIFY(bar->value() > 2 * step);
        QTest::keyClick(list, Qt::Key_Left);
        QTest::keyClick(list, Qt::Key_Home);
        QCOMPARE(bar->value(), 0);
        QTest::keyClick(list, Qt::Key_End);
        const QFontMetrics metrics(list->font());
        const int end = metrics.horizontalAdvance(list->line(0));
        QVERIFY(bar->value() > 0);
        QVERIFY(end - bar->value() <= list->viewport()->width());        // the end in view
        QVERIFY(end - bar->value() > list->viewport()->width() / 2);     // at the right edge
        QCOMPARE(list->selectedRow(), 0);
        // The whole line can be read under the list while it does not fit.
        auto *whole = dialog.findChild<QLabel *>("lblRigaIntera");
        QVERIFY(whole && whole->isVisible());
        QVERIFY(whole->text().endsWith(" fine"));
        QTest::keyClick(list, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(list->selectedRow(), 2);
        QVERIFY(!whole->isVisible());
        QTest::keyClick(list, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(list->selectedRow(), 0);
    }

    // "Trova" with an empty box asks for a text; Enter in another box of the window that
    // holds the list never presses "Trova".
    void inListSearchAsksForText()
    {
        ScreenFixture fx;
        QDialog dialog;
        auto *layout = new QVBoxLayout(&dialog);
        auto *own = new QLineEdit(&dialog);
        int searched = 0;
        connect(own, &QLineEdit::returnPressed, &dialog, [&searched] { ++searched; });
        layout->addWidget(own);
        auto *panel = new ResultPanel(QStringLiteral("Elenco"), nullptr, true, &dialog);
        layout->addWidget(panel);
        dialog.show();
        ScreenFixture::activate(&dialog);
        own->setFocus();
        QTest::keyClick(own, Qt::Key_Return);
        QCOMPARE(searched, 1);
        QVERIFY(Dialogs::Test::shown().isEmpty());   // no "Ricerca non applicabile"
        QVERIFY(dialog.isVisible());

        panel->setLines(QStringList{"Bianchi", "Rossi"});
        panel->searchBox()->clear();
        ScreenFixture::click(&dialog, "btnTrova");
        auto *note = dialog.findChild<QLabel *>("lblNonTrovato");
        QVERIFY(note->isVisible());
        QCOMPARE(note->text(), QString("Scrivere nella casella il testo da cercare nell'elenco."));
        QCOMPARE(QApplication::focusWidget(), panel->searchBox());
        QVERIFY(Dialogs::Test::shown().isEmpty());
    }
};

QTEST_MAIN(TestKeyboard)
#include "TestKeyboard.moc"
