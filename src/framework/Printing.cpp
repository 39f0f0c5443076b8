#include "framework/Printing.h"

#include "framework/Dialogs.h"

#include <QPrintDialog>
#include <QPrinter>

namespace Printing {

namespace {
bool hooked = false;
QString output;
int askedCount = 0;
}

std::unique_ptr<QPrinter> choosePrinter(QWidget *parent, const QPageLayout &layout, int copies)
{
    ++askedCount;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPageLayout(layout);
    printer->setCopyCount(copies);
    // Our page templates place everything themselves, margins included.
    printer->setFullPage(true);
    if (hooked || Dialogs::Test::enabled()) {
        if (output.isEmpty())
            return nullptr;
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(output);
        return printer;
    }
    QPrintDialog dialog(printer.get(), parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    // The page templates are drawn for their own orientation.
    printer->setPageOrientation(layout.orientation());
    return printer;
}

namespace Test {
void setOutput(const QString &pdfPath)
{
    hooked = true;
    output = pdfPath;
}
void reset()
{
    hooked = false;
    output.clear();
    askedCount = 0;
}
int asked() { return askedCount; }
}

}
