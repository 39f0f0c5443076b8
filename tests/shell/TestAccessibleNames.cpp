#include "shell/MainMenu.h"
#include "shell/LoginDialog.h"
#include "shell/PaymentsMenu.h"
#include "shell/YearMenu.h"
#include "support/Modal.h"
#include "support/ScreenFixture.h"
#include "workers/WorkerCardScreen.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLineEdit>
#include <QTimer>

// A screen reader says what each control is: every control that Tab can reach on every screen
// and dialog has an accessible name (its caption, its text or what it does).
class TestAccessibleNames : public QObject
{
    Q_OBJECT

    // The controls of root that a user can reach with Tab and that have no name.
    static QStringList unnamed(QWidget *root)
    {
        QStringList missing;
        for (QWidget *w : root->findChildren<QWidget *>()) {
            // A combo box's drop-down list is a window of its own, reached through the box.
            if (!(w->focusPolicy() & Qt::TabFocus) || w->focusProxy() || !w->isEnabled() || w->window() != root->window())
                continue;
            // Parts of a composite control (a combo box's line edit, a view's viewport) speak
            // through it.
            if (qobject_cast<QLineEdit *>(w) && w->parentWidget() && w->parentWidget()->inherits("QComboBox"))
                continue;
            if (w->parentWidget() && w->parentWidget()->inherits("QAbstractScrollArea") && w->objectName().startsWith("qt_"))
                continue;
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
            if (!a || a->text(QAccessible::Name).trimmed().isEmpty())
                missing << QString("%1 (%2)").arg(w->objectName(), w->metaObject()->className());
        }
        return missing;
    }

private slots:
    void everyControlHasAName()
    {
        ScreenFixture fx;
        ScreenRegistry &s = *fx.screens;
        const QList<QWidget *> windows = {s.login, s.mainMenu, s.changePassword, s.workers, s.shiftCalendarMenu,
                                          s.projectMenu, s.workLogMenu, s.paymentsMenu, s.schedules, s.dailyShifts,
                                          s.weeklyShifts, s.projects, s.workLog, s.paySummarySetup, s.monthlyStats};
        QStringList missing;
        for (QWidget *w : windows) {
            if (auto *work = qobject_cast<WorkWindow *>(w))
                work->open();
            for (const QString &m : unnamed(w))
                missing << w->objectName() + ": " + m;
        }
        for (const QString &m : std::as_const(missing))
            qInfo("no accessible name: %s", qPrintable(m));
        QVERIFY2(missing.isEmpty(), qPrintable(QString("%1 controls without a name").arg(missing.size())));

        // Names say what the control is; the status-line hint follows as its description.
        const auto spoken = [](QWidget *w, QAccessible::Text t) { return QAccessible::queryAccessibleInterface(w)->text(t); };
        QCOMPARE(spoken(s.workers->findChild<QWidget *>("txtCognome"), QAccessible::Name), QString("Cognome:"));
        QCOMPARE(spoken(s.weeklyShifts->findChild<QWidget *>("txtMer03"), QAccessible::Name), QString("MERCOLEDI', riga 3"));
        QWidget *importWorker = s.dailyShifts->findChild<QWidget *>("impLavoratore02");
        QCOMPARE(spoken(importWorker, QAccessible::Name),
                 QString("Importa un turnista dall'archivio anagrafico dei lavoratori, riga 2"));
        QCOMPARE(spoken(importWorker, QAccessible::Description),
                 QString("Importa un turnista dall'archivio anagrafico dei lavoratori."));
        QCOMPARE(spoken(s.mainMenu->findChild<QWidget *>("imgCalendario"), QAccessible::Name), QString("Calendario turni"));
    }

    // The dialogs the screens open: finds, pickers, imports, exports, prints, checks.
    void everyDialogControlHasAName()
    {
        ScreenFixture fx;
        ScreenRegistry &s = *fx.screens;
        const QList<QPair<QWidget *, QStringList>> opens = {
            {s.schedules, {"btnTrova", "btnEsporta", "btnAllega"}},
            {s.workers, {"cmdTrova", "cmdEsporta", "cmdFile", "btnCodFisc", "btnIva", "btnIban", "btnCarta", "cmdScaduti"}},
            {s.dailyShifts, {"btnTrova", "impData", "impNome", "impLavoratore01", "btnEsporta"}},
            {s.weeklyShifts, {"btnTrova", "impDatainizio"}},
            {s.projects, {"cmdTrova", "cmdScaduti", "cmdEsporta", "impResponsabile"}},
            {s.workLog, {"cmdTrova", "impProgetto", "impLavoratore", "btnIstruzioni", "btnCodFisc"}},
        };
        QStringList missing, opened;
        for (const auto &[screen, buttons] : opens) {
            qobject_cast<WorkWindow *>(screen)->open();
            for (const QString &name : buttons) {
                auto *b = screen->findChild<QAbstractButton *>(name);
                QVERIFY2(b, qPrintable(name));
                if (!b->isEnabled())
                    continue;
                QTimer::singleShot(0, [&, name] {
                    if (auto *d = QApplication::activeModalWidget()) {
                        opened << d->objectName();
                        for (const QString &m : unnamed(d))
                            missing << d->objectName() + " (" + name + "): " + m;
                        d->close();
                    }
                });
                b->click();
                QApplication::processEvents();
            }
        }
        for (const QString &m : std::as_const(missing))
            qInfo("no accessible name: %s", qPrintable(m));
        QVERIFY2(opened.size() >= 15, qPrintable(opened.join(' ')));
        QVERIFY2(missing.isEmpty(), qPrintable(QString("%1 controls without a name").arg(missing.size())));
    }
};

QTEST_MAIN(TestAccessibleNames)
#include "TestAccessibleNames.moc"
