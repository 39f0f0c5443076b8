#pragma once
#include "shell/SearchEverywhere.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class ResultPanel;

// "Cerca in tutti gli archivi": the cards of every archive holding a text, one line each
// (the archive in words, the card's number, the field, the card's line in its own find);
// Enter or a double-click opens that card in its own screen.
class SearchEverywhereScreen : public QDialog
{
    Q_OBJECT
public:
    explicit SearchEverywhereScreen(QWidget *parent = nullptr);

    // Opens the screen searching for text at once (nothing searched when it is too short).
    static void open(QWidget *parent, const QString &text);

    void search();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openCard(int row);

    QLineEdit *m_text;
    ResultPanel *m_results;
    QLabel *m_note;
    SearchEverywhere::Result m_found;
    QVector<int> m_rows;   // the hit of each list line
};
