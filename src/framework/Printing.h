#pragma once
#include <QPageLayout>
#include <QString>

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

// The printer dialog: every print of the program asks for its printer here.
namespace Printing {

// Shows the print dialog (which also offers printing to a PDF file) for a page of the given
// layout, offering the given number of copies; returns the chosen printer, or null when the
// user cancels.
// "Print to file" proposes documentName (the title of the parent's window when empty).
std::unique_ptr<QPrinter> choosePrinter(QWidget *parent, const QPageLayout &layout, int copies = 1,
                                        const QString &documentName = QString());

// A printer writing a PDF file, for a page of the given layout.
std::unique_ptr<QPrinter> pdfPrinter(const QPageLayout &layout, const QString &path);

// Shows the pages that paint draws on the printer it is given in Qt's preview window (page
// navigation, zoom, printing) and waits until the window is closed.
void preview(QWidget *parent, const QPageLayout &layout, const std::function<void(QPrinter &)> &paint,
             const QString &documentName = QString());

// Test hooks: while an output is set no dialog is shown and every print goes to that PDF
// file; an empty path answers "cancelled". A preview then draws its pages into that file
// instead of showing them, unless previews are to be shown. With the message boxes under
// test and no output set, prints are cancelled and previews skipped rather than waiting for
// a window nobody sees.
namespace Test {
void setOutput(const QString &pdfPath);
void setShowPreviews(bool show);
void reset();
int asked();      // printers asked for since the last reset
int previewed();  // previews asked for since the last reset
QString lastDocumentName();   // the name the last print or preview proposed for a file
}

}
