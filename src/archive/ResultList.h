#pragma once
#include "archive/ResultLines.h"

#include <QListView>
#include <QStringList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class ResultLinesModel;

// A result list: fixed-pitch lines kept in list order (ListOrder), wider than the screen.
// Lines are set in one go, so tens of thousands of them cost one model reset, and they stay
// Windows-1252 bytes: a line becomes text only when the view or a caller asks for it.

class ResultList : public QListView
{
    Q_OBJECT
public:
    explicit ResultList(QWidget *parent = nullptr);

    // Sorts the lines unless the caller already did. Text is kept in the code page of the
    // archives: a character it lacks shows as '?', as it would once stored.
    void setLines(ListOrder::Lines lines, bool sorted = false);
    void setLines(const QStringList &lines, bool sorted = false);
    QString line(int row) const;
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

    // A column of the lines that may be shown narrower, down to least characters.
    struct Narrowable {
        int column;
        int width;
        int least;
    };
    // The first columns that explain why a line is listed stay in view: the type gets smaller,
    // down to a readable 9 points, then the narrowable columns give up characters, until that
    // many characters fit the list's width.
    void keepInView(int characters, const QVector<Narrowable> &narrowable = {});
    // Shows the column of width characters starting at column shortened by that many
    // characters (cut text ending with "…", the whole line in the tooltip); 0 shows lines
    // whole. Searching, picking and printing always use the whole lines.
    void shortenColumn(int column, int width, int by);
    // The line as shown, and whether the list shows any line shortened.
    QString shownLine(int row) const;
    bool shortened() const;
    // Whether the selected line, as shown, is wider than the list.
    bool selectedLineCut() const;

signals:
    // A double-click anywhere on the list; line is null when nothing is selected.
    void picked(const QString &line);
    void resized();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    // Enter and Space on a line pick it, as a double-click does. Left, Right, Ctrl+Left and
    // Ctrl+Right move the lines sideways, Home and End to their beginning and to the end of
    // the selected line; Ctrl+Home and Ctrl+End go to the first and last line.
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void fitType();

    void scrollSideways(int to);
    int characterWidth() const;

    ResultLinesModel *m_model;
    int m_keepInView = 0;
    QVector<Narrowable> m_narrowable;
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
    void setLines(const ListOrder::Lines &lines, bool sorted = false);
    void setLines(const QStringList &lines, bool sorted = false);
    // What showing a screen does: forget the last search text, select the first line and
    // empty the search box.
    void reset();
    void findInList();
    void printList();
    // Where the focus goes once the list is filled: the list when it has lines, so that the
    // arrows and Enter work at once, else the search box.
    void focusResults();

signals:
    void picked(const QString &line);
    void closeRequested();

private:
    void showCount();
    void showWholeLine();

    QString m_title;
    QString m_ownRemembered;   // when the screen class keeps none
    QString *m_remembered;
    ResultList *m_list;
    QLineEdit *m_search;
    QLabel *m_count = nullptr;
    QLabel *m_notFound = nullptr;
    QLabel *m_wholeLine = nullptr;
};

namespace ResultText {
QString emptyList();                 // the in-list search on an empty list
QString count(int lines);            // "Il presente riepilogo contiene N schede."
}
