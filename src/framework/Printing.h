#pragma once
#include <QPageLayout>
#include <QString>

#include <memory>

class QPrinter;
class QWidget;

// The printer dialog: every print of the program asks for its printer here.
namespace Printing {

// Shows the print dialog (which also offers printing to a PDF file) for a page of the given
// layout, offering the given number of copies; returns the chosen printer, or null when the
// user cancels.
std::unique_ptr<QPrinter> choosePrinter(QWidget *parent, const QPageLayout &layout, int copies = 1);

// Test hooks: while an output is set no dialog is shown and every print goes to that PDF
// file; an empty path answers "cancelled". With the message boxes under test and no output
// set, prints are cancelled rather than waiting for a dialog nobody sees.
namespace Test {
void setOutput(const QString &pdfPath);
void reset();
int asked();   // printers asked for since the last reset
}

}
