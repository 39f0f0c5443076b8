#pragma once
#include "shell/ModuleMenu.h"

#include <QVector>

// A menu asking for the four-digit year of a yearly archive, and opening its screen on it.
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
    // The year menus differ only by their data: the shift calendar (daily and weekly tables),
    // the project archive and the work log.
    enum class Kind { ShiftCalendar, Projects, WorkLog };
    explicit YearMenu(Kind kind, QWidget *parent = nullptr);

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
