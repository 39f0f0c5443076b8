#pragma once
#include "archive/FindScreen.h"

class QLabel;

// The project find screen. Its mode "referti" loads the chosen project into the project screen.
class ProjectFindScreen : public FindScreen
{
    Q_OBJECT
public:
    explicit ProjectFindScreen(QWidget *parent = nullptr);
    // Creates a find screen over the archive the project screen has open, in this mode,
    // shows it modally and destroys it.
    static void open(QWidget *parent, const QString &mode);

    static inline QString remembered;
};

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
