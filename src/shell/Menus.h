#pragma once
#include "framework/Background.h"
#include "framework/WorkWindow.h"

#include <QVector>

class QLabel;
class QLineEdit;
class QPushButton;

// The main menu: a picture per module. Below them, the contracts due, counted away from
// the screen each time the menu is shown, and where the data and their backups are.
class MainMenu : public WorkWindow
{
    Q_OBJECT
public:
    explicit MainMenu(QWidget *parent = nullptr);
public slots:
    void showFolderFacts();
signals:
    void quitRequested();
protected:
    void whenClosed() override;
    void showEvent(QShowEvent *event) override;
private:
    void countContracts();
    void openContracts();
    QPushButton *m_contracts;
    QLabel *m_facts;
    BackgroundJob m_counting;
    bool m_recount = false;
};

// A menu that leads to other screens by module tag and goes back to the main menu with "avvio".
class ModuleMenu : public WorkWindow
{
    Q_OBJECT
public:
    using WorkWindow::WorkWindow;
    QLabel *lblMemory() const { return m_memory; }
protected:
    QWidget *buildFrame(const QString &info, const QString &helpTopic);
    void whenClosed() override;
    QLabel *m_memory = nullptr;
};

// A menu asking for the four-digit year of a yearly archive.
class YearMenu : public ModuleMenu
{
    Q_OBJECT
public:
    struct Entry {
        const char *box;         // year box
        const char *label;
        const char *button;      // its "Apri"
        const char *extension;   // ".ore", ".set", ".prg", ".lav"
        const char *tag;         // the module screen to open
        const char *caption;     // caption given to it, followed by the year
    };
    YearMenu(const QString &objectName, const QString &caption, const QString &info,
             const QString &helpTopic, const QVector<Entry> &entries, QWidget *parent = nullptr);

    // Opens the screen of a yearly archive on that file, named and titled as this menu's
    // Apri would; null when no year menu keeps archives of its kind.
    static WorkWindow *openArchive(const QString &path);

protected:
    void showEvent(QShowEvent *event) override;

private:
    static void aimScreen(const Entry &entry, const QString &year);
    void openYear(const Entry &entry);
    QVector<Entry> m_entries;
};

class ShiftCalendarMenu : public YearMenu
{
    Q_OBJECT
public:
    explicit ShiftCalendarMenu(QWidget *parent = nullptr);
};

class ProjectArchiveMenu : public YearMenu
{
    Q_OBJECT
public:
    explicit ProjectArchiveMenu(QWidget *parent = nullptr);
};

class WorkLogMenu : public YearMenu
{
    Q_OBJECT
public:
    explicit WorkLogMenu(QWidget *parent = nullptr);
};

// Chooses between the pay summary and the statistics.
class PaymentsMenu : public ModuleMenu
{
    Q_OBJECT
public:
    explicit PaymentsMenu(QWidget *parent = nullptr);
protected:
    void showEvent(QShowEvent *event) override;
};

// A module screen still to come: it opens, shows its archive and returns to the main menu.
class PendingModule : public WorkWindow
{
    Q_OBJECT
public:
    PendingModule(const QString &objectName, const QString &caption, QWidget *parent = nullptr);
protected:
    void showEvent(QShowEvent *event) override;
private:
    QLabel *m_file;
    QLabel *m_shown;
};
