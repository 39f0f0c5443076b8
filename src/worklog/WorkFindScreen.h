#pragma once
#include "archive/FindScreen.h"

class QLineEdit;
class QStackedLayout;

// The work find screen. Its mode "lavori" loads the chosen work into the work screen.
namespace WorkFindScreen {
FindDefinition definition();
void open(QWidget *parent, const QString &mode);
inline QString remembered;
// The works of the open log marked incomplete.
SummaryDefinition incomplete();
}

// Copies the name, code and scope of a project of a chosen year into the work card.
class ProjectImportScreen : public QDialog
{
    Q_OBJECT
public:
    explicit ProjectImportScreen(QWidget *parent = nullptr);
    static void open(QWidget *parent);
    ResultPanel *resultPanel() const { return m_results; }

public slots:
    void openYear();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    void pick(const QString &line);
    QStackedLayout *m_stack;
    QWidget *m_yearPanel;
    QLineEdit *m_year;
    class QLabel *m_file;
    ResultPanel *m_results;

    static inline QString remembered;
};

// Wires the work screen's find, incomplete-works and project import commands.
void installWorkFind();
