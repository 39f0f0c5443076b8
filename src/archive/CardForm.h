#pragma once
#include "archive/RecordLayout.h"

#include <QVector>

#include <vector>

class QWidget;
class WorkWindow;

// A card form described as data: sections of rows, each row a caption, the field its box
// edits (named "txt" + field), the kind of control, how many characters it must show whole
// and an optional button beside it. One builder turns the table into widgets, so every card
// screen looks and behaves alike and a new one is a table, not a new layout.
namespace CardForm {

enum class Kind {
    Text,      // a line edit
    Centred,   // a line edit showing its text centred (times, dates)
    Right,     // a line edit showing its text on the right (amounts)
    Choice,    // an editable combo box; the screen gives its items
    Check,     // a check box "chk" + field, the caption as its text
    Lines,     // a multi-line box; width is the number of lines it shows
    Wrapped,   // a line edit for a long text in a narrow cell: once left, shown on two lines
};

// A button beside a box, or alone on its row when the row has no field. With a glyph it is
// a small picture (the import pictures); otherwise a push button with its text.
struct Button {
    const char *name = nullptr;
    const char *text = nullptr;
    const char *hint = nullptr;
    const char *glyph = nullptr;
};

struct Row {
    const char *caption = nullptr;
    const char *field = nullptr;   // none: the row holds only its button
    Kind kind = Kind::Text;
    int width = 0;                 // characters the box shows whole; 0: it fills the line
    Button button = {};
    bool sameLine = false;         // continues the line of the row before, caption first
    const char *hint = nullptr;    // shown while the mouse is over the box
};

enum class Shape {
    Rows,    // caption on the left, box on the right, one row under the other
    Bands,   // a table of numbered bands: each row is a column, its caption the heading,
             // its field (and button name) followed by the band number 01, 02, ...
};

struct Section {
    const char *title = nullptr;   // a framed group; none: the rows stand free
    int column = 0;
    std::vector<Row> rows;
    Shape shape = Shape::Rows;
    int bands = 0;
};

// Builds the form named panScheda on the screen's content and returns it. Line edits and
// combo boxes are limited to their field's width in the layout; a box that can show all its
// field holds keeps that size, as do centred and right-aligned boxes; the others share what
// the line leaves. shares gives the
// relative widths of the columns.
QWidget *build(WorkWindow *screen, const RecordLayout &layout, const std::vector<Section> &sections,
               const QVector<int> &shares = {1});

// The width a box needs to show chars characters of its font whole, frame included.
int boxWidth(const QWidget *box, int chars);

// Puts extra on the line of box, right after the box and its button.
void addBeside(QWidget *box, QWidget *extra);

// "txt" + prefix + the band number with two digits.
QString bandName(const char *kind, const char *prefix, int band);

}
