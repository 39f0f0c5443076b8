#pragma once
#include "archive/FindScreen.h"

class QLabel;

// The project find screen. Its mode "referti" loads the chosen project into the project screen.
namespace ProjectFindScreen {
FindDefinition definition();
// shows it modally and destroys it.
void open(QWidget *parent, const QString &mode);
inline QString remembered;
}

// The open projects of the archive whose due date has passed.
class ExpiredProjectsScreen : public SummaryScreen
{
    Q_OBJECT
public:
    explicit ExpiredProjectsScreen(QWidget *parent = nullptr);
    static void open(QWidget *parent);

    static inline QString remembered;

protected:
    void build() override;
    void pickLine(const QString &line) override;
};

// The archive the project screen has open.
QString openProjectArchive();

// Registers the project find modes.
void installProjectFind();
