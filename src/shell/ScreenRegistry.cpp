#include "shell/ScreenRegistry.h"

#include "framework/HelpHook.h"
#include "output/CardCommands.h"
#include "shell/HelpViewer.h"
#include "shell/MainMenu.h"
#include "shell/PaymentsMenu.h"
#include "shell/YearMenu.h"

#include <QApplication>
#include "archive/CardScreen.h"
#include "checks/CheckDialog.h"
#include "compensation/MonthlyStatsScreen.h"
#include "compensation/PaySummarySetupScreen.h"
#include "framework/Keyboard.h"
#include "framework/ProgramFormats.h"
#include "projects/ProjectCardScreen.h"
#include "projects/ProjectFindScreen.h"
#include "schedules/ScheduleCardScreen.h"
#include "schedules/ScheduleFindScreen.h"
#include "shell/LoginDialog.h"
#include "shifts/ShiftFindScreen.h"
#include "shifts/WeeklyShiftScreen.h"
#include "workers/WorkerCardScreen.h"
#include "workers/WorkerFindScreen.h"
#include "worklog/WorkCardScreen.h"
#include "worklog/WorkFindScreen.h"


namespace {
ScreenRegistry *screens = nullptr;
}

ScreenRegistry &ScreenRegistry::create()
{
    destroy();
    applyProgramFormats();
    // The rooms below reach the help viewer and the output commands through these.
    HelpHook::install(&HelpViewer::wire);
    CardScreen::lendCommands(&CardCommands::forScreen);
    screens = new ScreenRegistry;
    ScreenRegistry &s = *screens;
    s.login = new LoginDialog;
    s.mainMenu = new MainMenu;
    s.changePassword = new ChangePasswordDialog;
    s.workers = new WorkerCardScreen;
    s.shiftCalendarMenu = new YearMenu(YearMenu::Kind::ShiftCalendar);
    s.schedules = new ScheduleCardScreen;
    s.weeklyShifts = new WeeklyShiftScreen;
    s.dailyShifts = new DailyShiftScreen;
    s.projectMenu = new YearMenu(YearMenu::Kind::Projects);
    s.projects = new ProjectCardScreen;
    s.workLogMenu = new YearMenu(YearMenu::Kind::WorkLog);
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
