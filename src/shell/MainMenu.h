#pragma once
#include "framework/Background.h"
#include "framework/WorkWindow.h"

class QLabel;
class QPushButton;
class StartBackup;

// The main menu: a picture per module. Below them, the contracts due, counted away from
// the screen each time the menu is shown, and where the data and their backups are, with
// the progress of the backup under way.
class MainMenu : public WorkWindow
{
    Q_OBJECT
public:
    explicit MainMenu(QWidget *parent = nullptr);
    // Shows the progress of this backup on the backup line, then its outcome.
    void follow(StartBackup *backup);
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
    QString m_backupLine;   // replaces the last backup's line while one is made or missed archives
};
