#pragma once

class MainMenu;
class LoginDialog;
class ChangePasswordDialog;
class WorkerCardScreen;
class YearMenu;
class PaymentsMenu;
class WorkWindow;

// Every work window, created once at start and kept until the end.
struct ScreenRegistry {
    LoginDialog *login = nullptr;
    MainMenu *mainMenu = nullptr;
    ChangePasswordDialog *changePassword = nullptr;
    WorkerCardScreen *workers = nullptr;
    YearMenu *shiftCalendarMenu = nullptr;
    YearMenu *projectMenu = nullptr;
    YearMenu *workLogMenu = nullptr;
    PaymentsMenu *paymentsMenu = nullptr;
    WorkWindow *schedules = nullptr;
    WorkWindow *dailyShifts = nullptr;
    WorkWindow *weeklyShifts = nullptr;
    WorkWindow *projects = nullptr;
    WorkWindow *workLog = nullptr;
    WorkWindow *paySummarySetup = nullptr;
    WorkWindow *monthlyStats = nullptr;

    // Creates the screens and wires the navigation between them.
    static ScreenRegistry &create();
    static ScreenRegistry &get();
    // Deletes them (tests start each case afresh).
    static void destroy();
};
