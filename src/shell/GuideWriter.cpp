#include "shell/GuideWriter.h"

#include "framework/FileReplacement.h"
#include "framework/WorkWindow.h"
#include "settings/ProgramFolder.h"
#include "shell/HelpTopics.h"
#include "shell/ScreenRegistry.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QImage>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QWidget>

#include <memory>

namespace {

// The screen pictured under each topic, by its objectName.
const QHash<QString, QString> &pictured()
{
    static const QHash<QString, QString> p = {
        {HelpTopics::generalTitle(), QStringLiteral("TfrmAvvio")},
        {QStringLiteral("Applicazione Anagrafica lavoratori."), QStringLiteral("TfrmIstruttori")},
        {QStringLiteral("Applicazione Impostazione orari."), QStringLiteral("TfrmOrari")},
        {QStringLiteral("Applicazione Calendario turni."), QStringLiteral("TfrmTurni")},
        {QStringLiteral("Applicazione Registrazione lavori."), QStringLiteral("TfrmLavori")},
        {QStringLiteral("Applicazione Archivio progetti."), QStringLiteral("TfrmReferti")},
        {QStringLiteral("Riepilogo compensi e statistiche rimunerazioni mensili."), QStringLiteral("TfrmMenuPagamenti")},
        {QStringLiteral("Applicazione Riepilogo compensi."), QStringLiteral("TfrmMenuRiepilogoPagamenti")},
        {QStringLiteral("Grafici statistici rimunerazioni mensili."), QStringLiteral("TfrmStatistiche")},
    };
    return p;
}

// The screens at their design size, drawn off screen in an empty program folder.
QHash<QString, QImage> screenPictures()
{
    QHash<QString, QImage> pictures;
    QTemporaryDir empty;
    const QString folder = ProgramFolder::path();
    ProgramFolder::set(empty.path());
    ScreenRegistry::create();
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (!qobject_cast<WorkWindow *>(w) || !pictured().values().contains(w->objectName()))
            continue;
        w->resize(1016, 713);
        w->show();
        QApplication::processEvents();
        pictures.insert(w->objectName(), w->grab().toImage());
        w->hide();
    }
    ScreenRegistry::destroy();
    ProgramFolder::set(folder);
    return pictures;
}

}

namespace GuideWriter {

bool write(const QString &path, QString *error)
{
    const QHash<QString, QImage> pictures = screenPictures();
    // Written beside the old guide and put in its place whole.
    FileReplacement part(path);
    if (!part.open() || !part.closeForOthers()) {
        if (error)
            *error = part.errorString();
        return false;
    }
    QFile file(part.temporaryPath());
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    QPdfWriter writer(&file);
    writer.setTitle(QStringLiteral("Veltaro - Guida all'utilizzo del software"));
    writer.setCreator(QStringLiteral("Veltaro"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                                     QPageLayout::Millimeter));
    // Laid out in pages of exactly the writer's size: no page numbers dropped into the text.
    writer.setResolution(96);
    const QSizeF page(writer.width(), writer.height());

    // One block per element, numbered in the order written; breaks holds the blocks that start
    // a new page.
    const auto layOut = [&](QTextDocument &doc, const QSet<int> &breaks) {
        doc.documentLayout()->setPaintDevice(&writer);
        doc.setPageSize(page);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPointSize(11);
        doc.setDefaultFont(font);
        int block = 0;
        const auto open = [&](const char *tag, const QString &style, bool newPage = false) {
            const QString breakStyle = breaks.contains(block++) || newPage ? QStringLiteral("page-break-before: always; ")
                                                                          : QString();
            return QStringLiteral("<%1 style='%2%3'>").arg(QLatin1String(tag), breakStyle, style);
        };
        QString html = open("h1", QStringLiteral("color:#2f4f6f")) + QStringLiteral("Veltaro</h1>")
            + open("p", QStringLiteral("font-size:14pt")) + QStringLiteral("Guida all'utilizzo del software</p>");
        // The contents first; then every topic on a page of its own, its screen under it.
        html += open("h2", QStringLiteral("color:#2f4f6f")) + QStringLiteral("Sommario</h2>");
        int number = 0;
        for (const HelpTopics::Topic &t : HelpTopics::all())
            html += open("p", QStringLiteral("margin-left: 12px")) + QStringLiteral("%1. ").arg(++number)
                + t.title.toHtmlEscaped() + QStringLiteral("</p>");
        number = 0;
        for (const HelpTopics::Topic &t : HelpTopics::all()) {
            html += open("h2", QStringLiteral("color:#2f4f6f"), true) + QStringLiteral("%1. ").arg(++number)
                + t.title.toHtmlEscaped() + QStringLiteral("</h2>");
            for (const QString &p : t.paragraphs)
                html += open("p", QString()) + p.toHtmlEscaped() + QStringLiteral("</p>");
            const QString screen = pictured().value(t.title);
            if (pictures.contains(screen)) {
                const QUrl name(QStringLiteral("schermata:") + screen);
                doc.addResource(QTextDocument::ImageResource, name, pictures.value(screen));
                html += open("p", QStringLiteral("text-align: center"))
                    + QStringLiteral("<img src='%1' width='600'></p>").arg(name.toString());
            }
        }
        doc.setHtml(html);
        doc.pageCount();
    };
    // No paragraph runs across two pages: the document's printing writes the line before a
    // page's first again, clipped out of sight, and text readers would see it twice. Each break
    // moves what follows, so the pages are laid out again until none is needed.
    QSet<int> breaks;
    auto doc = std::make_unique<QTextDocument>();
    for (layOut(*doc, breaks);;) {
        int astride = -1;
        for (QTextBlock b = doc->begin(); b.isValid() && astride < 0; b = b.next()) {
            const QRectF r = doc->documentLayout()->blockBoundingRect(b);
            if (b.layout()->lineCount() > 1 && !breaks.contains(b.blockNumber())
                && int(r.top() / page.height()) != int((r.bottom() - 1) / page.height()))
                astride = b.blockNumber();
        }
        if (astride < 0)
            break;
        breaks.insert(astride);
        doc = std::make_unique<QTextDocument>();
        layOut(*doc, breaks);
    }
    doc->print(&writer);
    file.close();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (!part.commit()) {
        if (error)
            *error = part.errorString();
        return false;
    }
    return true;
}

}
