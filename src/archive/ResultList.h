#pragma once
#include <QListView>
#include <QStringList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QStringListModel;

// A result list: fixed-pitch lines kept in list order (ListOrder), wider than the screen.
// Lines are set in one go, so tens of thousands of them cost one model reset.
class ResultList : public QListView
{
    Q_OBJECT
public:
    explicit ResultList(QWidget *parent = nullptr);

    // Sorts the lines unless the caller already did.
    void setLines(QStringList lines, bool sorted = false);
    QStringList lines() const;
    int count() const;
    void clearLines();

    int selectedRow() const;            // -1 when no line is selected
    QString selectedLine() const;       // null when no line is selected
    void selectRow(int row);

    enum class Search { EmptyList, Found, NotFound };
    // The in-list search: a new text starts at the first line, the same text again goes on
    // after the selected line; the search wraps round once. remembered holds the last text.
    Search find(const QString &typed, QString &remembered);

signals:
    // A double-click anywhere on the list; line is null when nothing is selected.
    void picked(const QString &line);

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QStringListModel *m_model;
};

// The result panel of find screens and summaries (panContainer): the list, the in-list
// search, the optional count line, "Stampa" with the list title and "Chiudi".
class ResultPanel : public QWidget
{
    Q_OBJECT
public:
    // remembered: the in-list search text shared by every screen of one class.
    ResultPanel(const QString &listTitle, QString *remembered, bool countLine, QWidget *parent = nullptr);

    ResultList *list() const { return m_list; }
    QLineEdit *searchBox() const { return m_search; }
    QLabel *countLine() const { return m_count; }

    // Fills the list and the count line.
    void setLines(const QStringList &lines, bool sorted = false);
    // What showing a screen does: forget the last search text, select the first line and
    // empty the search box.
    void reset();
    void findInList();
    void printList();

signals:
    void picked(const QString &line);
    void closeRequested();

private:
    QString m_title;
    QString m_ownRemembered;   // when the screen class keeps none
    QString *m_remembered;
    ResultList *m_list;
    QLineEdit *m_search;
    QLabel *m_count = nullptr;
};

namespace ResultText {
QString emptyList();                 // the in-list search on an empty list
QString count(int lines);            // "Il presente riepilogo contiene N schede."
}
