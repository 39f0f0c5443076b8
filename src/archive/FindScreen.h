#pragma once
#include "archive/FindEngine.h"
#include "archive/RecordLayout.h"
#include "archive/ResultList.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QStackedLayout;
class ResultPanel;

// What a pick hands over: the record and its 1-based position in the archive.
using PickAction = std::function<void(const Record &record, qint64 position)>;

// The pick actions of every find screen class, by mode tag. A module registers the modes it
// serves when it is installed; a later registration for the same tag replaces the earlier.
namespace PickModes {
void add(const QString &findScreen, const QString &mode, PickAction action);
PickAction action(const QString &findScreen, const QString &mode);
// Hands over every record of the archive whose line equals the picked one.
bool handOver(const QString &path, const RecordLayout &layout, const Find::LineBuilder &line,
              const QString &picked, const PickAction &action);
// The screen created at start with this objectName, if there is one.
QWidget *screen(const QString &objectName);
}

// What a module tells the find screen about its archive.
struct FindDefinition {
    QString objectName;                     // "TfrmTrovaIstruttori"
    QString caption;
    const RecordLayout *layout = nullptr;
    std::function<QString()> archivePath;   // the default archive; callers may set another
    QVector<Find::FilterBox> filters;       // in Enter order
    Find::LineBuilder line;
    QString listTitle;
    QString *remembered = nullptr;          // the in-list search text of the class
};

// The find screen: a filter panel (panAvvio) and, after "Cerca", the result panel
// (panContainer). The caller writes the mode into lblMemory, shows it modally, and destroys it.
class FindScreen : public QDialog
{
    Q_OBJECT
public:
    explicit FindScreen(FindDefinition definition, QWidget *parent = nullptr);
    // Creates a find screen in this mode (over another archive than the definition's when
    // archivePath is given), shows it modally and destroys it.
    static void openModal(QWidget *parent, FindDefinition definition, const QString &mode,
                          const QString &archivePath = QString());

    void setMode(const QString &tag);
    QString mode() const;                   // lblMemory, trimmed
    void setArchivePath(const QString &path) { m_path = path; }
    QString archivePath() const;
    ResultPanel *resultPanel() const { return m_results; }
    QLineEdit *filterBox(int i) const { return m_boxes.at(i); }

public slots:
    void search();
    void pick(const QString &line);

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    QWidget *buildFilterPanel();

    FindDefinition m_def;
    QString m_path;
    QStackedLayout *m_stack;
    QWidget *m_filterPanel;
    ResultPanel *m_results;
    QVector<QLineEdit *> m_boxes;
    QLabel *m_wait;
    QLabel *m_countFilters;
    QLabel *m_memory;
};

// What a module tells a summary screen: the lines one rule picks from a whole archive
// (contracts due, expired projects, incomplete works) and what a picked line does.
struct SummaryDefinition {
    QString objectName;                          // "TfrmDaRinnovare"
    QString caption;
    QString listTitle;
    QString *remembered = nullptr;               // the in-list search text of the class
    int keepInView = 0;                          // leading characters kept in view (ResultList)
    std::function<Find::Listing()> list;         // reads the archive
    std::function<QString(int count)> unreadableNotice;   // cards the rule could not judge
    std::function<void(const QString &line)> pick;
    QVector<ResultList::Narrowable> narrowable;  // columns shown narrower to keep the above in view
};

// A summary: the result panel alone, filled each time it is shown. An archive that cannot
// be read, and cards the rule could not judge, are said once the list is on view.
class SummaryScreen : public QDialog
{
    Q_OBJECT
public:
    explicit SummaryScreen(SummaryDefinition definition, QWidget *parent = nullptr);
    // Shows one modally and destroys it; returns how it was closed (Accepted after a pick).
    static int openModal(QWidget *parent, SummaryDefinition definition);
    ResultPanel *resultPanel() const { return m_results; }

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    void build();

    SummaryDefinition m_def;
    ResultPanel *m_results;
};

namespace DialogFrame {
// The frame of every dialog: a fixed size, no title-bar icons but the close button.
void setup(QDialog *dialog, const QString &objectName, const QString &caption, const QSize &size);
void centre(QWidget *dialog);
// "Chiudi" (btnChiudi), the dialog's default button, accepting it.
QPushButton *closeButton(QDialog *dialog);
// The body of a confirmation dialog: an optional bold title, the lines centred one under the
// other, and the action button `btnStampa` (the default, focused) beside `btnAnnulla`,
// which rejects the dialog. Returns the action button.
QPushButton *confirmation(QDialog *dialog, const QString &title, const QStringList &lines, const QString &action);
}
