#pragma once

class MainMenu;
class LoginDialog;
class ChangePasswordDialog;
class WorkerCardScreen;
class ShiftCalendarMenu;
class ProjectArchiveMenu;
class WorkLogMenu;
class PaymentsMenu;
class WorkWindow;

// Every work window, created once at start and kept until the end.
struct ScreenRegistry {
    LoginDialog *login = nullptr;
    MainMenu *mainMenu = nullptr;
    ChangePasswordDialog *changePassword = nullptr;
    WorkerCardScreen *workers = nullptr;
    ShiftCalendarMenu *shiftCalendarMenu = nullptr;
    ProjectArchiveMenu *projectMenu = nullptr;
    WorkLogMenu *workLogMenu = nullptr;
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

// Settings every screen relies on: Italian locale, decimal comma, "dd/mm/yyyy".
void applyProgramFormats();
