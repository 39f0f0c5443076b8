#include "framework/Printing.h"

#include "framework/Dialogs.h"
#include "framework/Documents.h"

#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>

namespace Printing {

namespace {
bool hooked = false;
bool showPreviews = false;
QString output;
int askedCount = 0;
int previewCount = 0;
QString lastName;

std::unique_ptr<QPrinter> pagePrinter(const QPageLayout &layout)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPageLayout(layout);
    // Our page templates place everything themselves, margins included.
    printer->setFullPage(true);
    return printer;
}

// A name that can stand as a file's name.
QString fileNameOf(const QString &name)
{
    QString out = name.simplified();
    for (QChar &c : out)
        if (QStringLiteral("/\\:*?\"<>|.").contains(c))
            c = c == QLatin1Char('/') ? QLatin1Char('-') : QLatin1Char(' ');
    return out.simplified();
}
}

std::unique_ptr<QPrinter> choosePrinter(QWidget *parent, const QPageLayout &layout, int copies,
                                        const QString &documentName)
{
    ++askedCount;
    QString name = documentName;
    if (name.trimmed().isEmpty() && parent && parent->window())
        name = parent->window()->windowTitle();
    lastName = fileNameOf(name);
    const bool answered = hooked || Dialogs::Test::enabled();
    if (answered && output.isEmpty())
        return nullptr;
    auto printer = answered ? pdfPrinter(layout, output) : pagePrinter(layout);
    printer->setCopyCount(copies);
    if (answered)
        return printer;
    // "Print to file" proposes the folder last used and a name saying what is printed: Qt
    // takes the name from the document's name and the folder from the current one.
    printer->setDocName(lastName);
    const QString current = QDir::currentPath();
    QDir::setCurrent(Documents::startFolder());
    QPrintDialog dialog(printer.get(), parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    QDir::setCurrent(current);
    if (!accepted)
        return nullptr;
    if (printer->outputFormat() == QPrinter::PdfFormat && !printer->outputFileName().isEmpty())
        Documents::remember(QFileInfo(printer->outputFileName()).absolutePath());
    // The page templates are drawn for their own orientation.
    printer->setPageOrientation(layout.orientation());
    return printer;
}

std::unique_ptr<QPrinter> pdfPrinter(const QPageLayout &layout, const QString &path)
{
    auto printer = pagePrinter(layout);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    return printer;
}

void preview(QWidget *parent, const QPageLayout &layout, const std::function<void(QPrinter &)> &paint,
             const QString &documentName)
{
    ++previewCount;
    lastName = fileNameOf(documentName);
    if ((hooked || Dialogs::Test::enabled()) && !showPreviews) {
        if (output.isEmpty())
            return;
        paint(*pdfPrinter(layout, output));
        return;
    }
    const std::unique_ptr<QPrinter> printer = pagePrinter(layout);
    if (!lastName.isEmpty())
        printer->setDocName(lastName);
    QPrintPreviewDialog dialog(printer.get(), parent);
    dialog.setObjectName(QStringLiteral("dlgAnteprima"));
    dialog.setWindowTitle(QStringLiteral(" Anteprima di stampa"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&paint, &layout](QPrinter *p) {
        // Printing from the preview keeps the page the template was drawn for.
        p->setFullPage(true);
        p->setPageOrientation(layout.orientation());
        paint(*p);
    });
    // Nearly the whole screen: the page is read, not glanced at.
    if (QScreen *s = dialog.screen()) {
        const QRect room = s->availableGeometry();
        QRect r(QPoint(), QSize(room.width() * 9 / 10, room.height() - 40));
        r.moveCenter(room.center());
        dialog.setGeometry(r);
    }
    dialog.exec();
}

namespace Test {
void setShowPreviews(bool show) { showPreviews = show; }
void setOutput(const QString &pdfPath)
{
    hooked = true;
    output = pdfPath;
}
void reset()
{
    hooked = false;
    output.clear();
    showPreviews = false;
    askedCount = 0;
    previewCount = 0;
    lastName.clear();
}
int asked() { return askedCount; }
int previewed() { return previewCount; }
QString lastDocumentName() { return lastName; }
}

}
