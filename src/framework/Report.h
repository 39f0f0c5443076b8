#pragma once
#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVector>

class QPaintDevice;
class QPainter;
class QPagedPaintDevice;
class QWidget;

// Our small report layer: a page template made of bands holding objects (named text slots,
// fixed captions, framed boxes, lines, and a text block that flows over pages), laid out
// into pages and painted on a printer or an image.
//
// Distances are report units of 1/96 inch; font sizes are points.
namespace Report {

constexpr double UnitsPerMm = 96.0 / 25.4;

struct Style {
    QString family = QStringLiteral("Arial");
    double pointSize = 8;
    bool bold = false;
    QColor colour = Qt::black;
    QColor background;                                  // invalid: transparent
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool frame = false;                                 // a thin black border
};

struct Item {
    enum class Kind { Text, Block, Box, Line };
    Kind kind = Kind::Text;
    QString name;               // slots are found by name; captions may have none
    QRectF rect;                // within the band; a negative width spans the page body
    QString text;               // Text: fitted into the slot (see fitInto)
    QStringList lines;          // Block: one line each lineHeight, split across pages
    double lineHeight = 0;
    Style style;
};

struct Band {
    // Title: once, at the top of the first page. Data and Summary: one after the other,
    // a Data band holding a Block growing by its lines and splitting across pages.
    // PageFooter: at the bottom of every page.
    enum class Kind { Title, Data, Summary, PageFooter };
    QString name;
    Kind kind = Kind::Data;
    double height = 0;
    QVector<Item> items;
};

class Template
{
public:
    explicit Template(QPageLayout::Orientation orientation = QPageLayout::Portrait, double marginMm = 10);

    QPageLayout pageLayout() const;
    QSizeF pageSize() const;     // units
    QRectF body() const;         // the page less its margins, units

    QVector<Band> &bands() { return m_bands; }
    const QVector<Band> &bands() const { return m_bands; }
    Band &addBand(const QString &name, Band::Kind kind, double height);
    void setOrientation(QPageLayout::Orientation orientation) { m_orientation = orientation; }
    // The name a print to a file proposes; empty: the title of the window printing.
    void setDocumentName(const QString &name) { m_documentName = name; }
    QString documentName() const { return m_documentName; }

    Item *find(const QString &name);
    // Fill a slot or a block; an unknown name is a programming error.
    void setText(const QString &name, const QString &text);
    void setLines(const QString &name, const QStringList &lines);

private:
    QPageLayout::Orientation m_orientation;
    double m_margin;
    QVector<Band> m_bands;
    QString m_documentName;
};

// One object placed on a page, in page units.
struct Placed {
    Item::Kind kind;
    QString name;
    QRectF rect;
    QString text;
    Style style;
};
using Page = QVector<Placed>;

QVector<Page> layout(const Template &report);
// Paints one page; the device's resolution decides the scale.
void paintPage(QPainter &painter, const Page &page, double dotsPerUnit);
// Paints every page on the device, starting a new device page for each.
bool render(const Template &report, QPagedPaintDevice &device, int resolution);
// Asks for the printer and prints; false when cancelled or the printer failed, which is said.
bool print(const Template &report, QWidget *parent);
QString failedText();
// Shows the pages in the preview window, from which they can also be printed.
void preview(const Template &report, QWidget *parent);
// Writes the pages as a PDF file, as the printer would get them; false when it failed.
bool writePdf(const Template &report, const QString &path);
// The longest beginning of text that fits in width on the painter's device: what is cut is
// not printed at all.
QString fitted(const QString &text, const QFont &font, QPaintDevice *device, double width);
QString fittedWith(const QString &text, const QFontMetricsF &metrics, double width);

// How a slot shows its text without ever running into its neighbour: on as many lines as its
// height holds, then in smaller type down to MinimumPointSize (or the given floor), and only then cut, the last
// line ending with "…".
constexpr double MinimumPointSize = 5.5;
struct Fit {
    QFont font;
    QStringList lines;
};
Fit fitInto(const QString &text, const QFont &font, QPaintDevice *device, const QSizeF &room,
            double minimumPointSize = MinimumPointSize);

// The list print of find screens and summaries: A4 landscape, the title on a slate bar,
// the lines in a fixed-pitch block flowing over the pages, the date of printing at the foot.
Template listTemplate(const QString &title, const QStringList &lines);

}
