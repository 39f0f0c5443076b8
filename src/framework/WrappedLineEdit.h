#pragma once
#include <QLineEdit>

// A one-line box for a long text in a narrow cell (a shift table's day, its workers): while
// it is edited it scrolls as any line edit; once left, a text that does not fit is shown on
// two lines, in smaller type if need be, so the whole entry can be read without clicking
// into it. Only a text too long even for that ends with "…" (it is whole in the tooltip).
class WrappedLineEdit : public QLineEdit
{
public:
    explicit WrappedLineEdit(QWidget *parent = nullptr);

    // The smallest type a text may take before it is cut, in points.
    static constexpr double SmallestPointSize = 7;
    static constexpr int Lines = 2;

    // What the box shows when it does not have the focus, line by line, and at what size.
    QStringList shownLines() const;
    double shownPointSize() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    bool showsWrapped() const;
    QRect textRoom() const;
    void fitHeight();
};
