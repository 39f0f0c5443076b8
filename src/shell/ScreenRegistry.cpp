#include "shell/ScreenRegistry.h"

#include "shell/Menus.h"
#include "shell/LoginDialog.h"
#include "checks/CheckDialog.h"
#include "framework/Keyboard.h"
#include "compensation/PaySummarySetupScreen.h"
#include "compensation/MonthlyStatsScreen.h"
#include "projects/ProjectCardScreen.h"
#include "projects/ProjectFindScreen.h"
#include "schedules/ScheduleCardScreen.h"
#include "schedules/ScheduleFindScreen.h"
#include "shifts/WeeklyShiftScreen.h"
#include "shifts/ShiftFindScreen.h"
#include "workers/WorkerCardScreen.h"
#include "workers/WorkerFindScreen.h"
#include "worklog/WorkCardScreen.h"
#include "worklog/WorkFindScreen.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {
ScreenRegistry *screens = nullptr;
}

void applyProgramFormats()
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    Keyboard::install();
    // Qt's own dialogs (print, page set-up, input boxes, file choice) speak Italian too.
    static QTranslator *qtTexts = nullptr;
    if (!qtTexts && qApp) {
        qtTexts = new QTranslator(qApp);
        if (qtTexts->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qtTexts);
    }
}

ScreenRegistry &ScreenRegistry::create()
{
    destroy();
    applyProgramFormats();
    screens = new ScreenRegistry;
    ScreenRegistry &s = *screens;
    s.login = new LoginDialog;
    s.mainMenu = new MainMenu;
    s.changePassword = new ChangePasswordDialog;
    s.workers = new WorkerCardScreen;
    s.shiftCalendarMenu = new ShiftCalendarMenu;
    s.schedules = new ScheduleCardScreen;
    s.weeklyShifts = new WeeklyShiftScreen;
    s.dailyShifts = new DailyShiftScreen;
    s.projectMenu = new ProjectArchiveMenu;
    s.projects = new ProjectCardScreen;
    s.workLogMenu = new WorkLogMenu;
    s.workLog = new WorkCardScreen;
    s.paymentsMenu = new PaymentsMenu;
    s.paySummarySetup = new PaySummarySetupScreen;
    s.monthlyStats = new MonthlyStatsScreen;

    Navigation::setMainMenu(s.mainMenu);
    Navigation::registerScreen(QStringLiteral("istruttori"), s.workers);
    Navigation::registerScreen(QStringLiteral("orari"), s.schedules);
    Navigation::registerScreen(QStringLiteral("menu_registro"), s.shiftCalendarMenu);
    Navigation::registerScreen(QStringLiteral("menu_referti"), s.projectMenu);
    Navigation::registerScreen(QStringLiteral("menu_lavori"), s.workLogMenu);
    Navigation::registerScreen(QStringLiteral("menu_pagamenti"), s.paymentsMenu);
    Navigation::registerScreen(QStringLiteral("registro"), s.dailyShifts);
    Navigation::registerScreen(QStringLiteral("settimanale"), s.weeklyShifts);
    Navigation::registerScreen(QStringLiteral("referti"), s.projects);
    Navigation::registerScreen(QStringLiteral("lavori"), s.workLog);
    Navigation::registerScreen(QStringLiteral("riepiloghi"), s.paySummarySetup);
    Navigation::registerScreen(QStringLiteral("statistiche"), s.monthlyStats);
    CheckDialogs::install();
    QObject::connect(s.login, &LoginDialog::admitted, s.mainMenu, &WorkWindow::open);
    QObject::connect(s.login, &LoginDialog::changeRequested, s.changePassword, &QWidget::show);
    QObject::connect(s.changePassword, &ChangePasswordDialog::closed, s.login, &LoginDialog::ask);
    QObject::connect(s.login, &LoginDialog::quitRequested, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    installWorkerFind();
    installScheduleFind();
    installShiftFind();
    installProjectFind();
    installWorkFind();
    QObject::connect(s.mainMenu, &MainMenu::quitRequested, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    return s;
}

ScreenRegistry &ScreenRegistry::get()
{
    return *screens;
}

void ScreenRegistry::destroy()
{
    if (!screens)
        return;
    ScreenRegistry &s = *screens;
    for (QWidget *w : std::initializer_list<QWidget *>{
             s.login, s.changePassword, s.mainMenu, s.workers, s.shiftCalendarMenu, s.projectMenu, s.workLogMenu, s.paymentsMenu, s.schedules,
             s.dailyShifts, s.weeklyShifts, s.projects, s.workLog, s.paySummarySetup, s.monthlyStats})
        delete w;
    Navigation::setCurrent(nullptr);
    delete screens;
    screens = nullptr;
}
