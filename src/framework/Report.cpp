#include "framework/Report.h"

#include "framework/Clock.h"
#include "framework/Dialogs.h"
#include "framework/FileReplacement.h"
#include "framework/Printing.h"
#include "framework/Routines.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

#include <QFileInfo>

#include <cmath>
#include <cstdio>

namespace Report {

Template::Template(QPageLayout::Orientation orientation, double marginMm)
    : m_orientation(orientation), m_margin(marginMm)
{
}

QPageLayout Template::pageLayout() const
{
    return QPageLayout(QPageSize(QPageSize::A4), m_orientation, QMarginsF(m_margin, m_margin, m_margin, m_margin),
                       QPageLayout::Millimeter);
}

QSizeF Template::pageSize() const
{
    const QSizeF mm = QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
    const QSizeF size = m_orientation == QPageLayout::Landscape ? mm.transposed() : mm;
    return size * UnitsPerMm;
}

QRectF Template::body() const
{
    const double m = m_margin * UnitsPerMm;
    return QRectF(QPointF(0, 0), pageSize()).adjusted(m, m, -m, -m);
}

Band &Template::addBand(const QString &name, Band::Kind kind, double height)
{
    m_bands.append(Band{name, kind, height, {}});
    return m_bands.last();
}

Item *Template::find(const QString &name)
{
    for (Band &b : m_bands)
        for (Item &i : b.items)
            if (i.name == name)
                return &i;
    return nullptr;
}

void Template::setText(const QString &name, const QString &text)
{
    Item *i = find(name);
    Q_ASSERT_X(i, "Report::Template::setText", qPrintable(name));
    if (i)
        i->text = text;
}

void Template::setLines(const QString &name, const QStringList &lines)
{
    Item *i = find(name);
    Q_ASSERT_X(i && i->kind == Item::Kind::Block, "Report::Template::setLines", qPrintable(name));
    if (i)
        i->lines = lines;
}

namespace {

QRectF placeIn(const QRectF &body, double top, const QRectF &r)
{
    const double width = r.width() < 0 ? body.width() - r.left() : r.width();
    return QRectF(body.left() + r.left(), top + r.top(), width, r.height());
}

void placeFixed(Page &page, const QRectF &body, double top, const Band &band)
{
    for (const Item &i : band.items)
        if (i.kind != Item::Kind::Block)
            page.append(Placed{i.kind, i.name, placeIn(body, top, i.rect), i.text, i.style});
}

// The lines of a block share one type size, small enough for the longest of them, so that
// their columns line up on paper as they do on screen.
Style blockStyle(const Item &block, double width)
{
    Style style = block.style;
    QString longest;
    for (const QString &line : block.lines)
        if (line.size() > longest.size())
            longest = line;
    if (longest.isEmpty())
        return style;
    // Measured finely, as a printer would: at screen resolution the advances are rounded.
    static QImage fine = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(int(960 / 0.0254));
        image.setDotsPerMeterY(int(960 / 0.0254));
        return image;
    }();
    QFont font(style.family);
    font.setPointSizeF(style.pointSize);
    font.setBold(style.bold);
    if (style.family.contains(QLatin1String("Courier")))
        font.setStyleHint(QFont::TypeWriter);
    const double room = (width - 4) * 10 * 0.97;   // the painter's padding, and some slack
    double size = style.pointSize;
    for (; size > MinimumPointSize; size -= 0.25) {
        font.setPointSizeF(size);
        if (QFontMetricsF(font, &fine).horizontalAdvance(longest) <= room)
            break;
    }
    style.pointSize = std::max(size, MinimumPointSize);
    return style;
}

const Item *blockOf(const Band &band)
{
    for (const Item &i : band.items)
        if (i.kind == Item::Kind::Block)
            return &i;
    return nullptr;
}

}

QVector<Page> layout(const Template &report)
{
    const QRectF body = report.body();
    double footerHeight = 0;
    for (const Band &b : report.bands())
        if (b.kind == Band::Kind::PageFooter)
            footerHeight += b.height;
    const double bottom = body.bottom() - footerHeight;

    QVector<Page> pages(1);
    double y = body.top();
    const auto newPage = [&] {
        pages.append(Page());
        y = body.top();
    };

    for (const Band &band : report.bands()) {
        if (band.kind == Band::Kind::PageFooter)
            continue;
        if (band.kind == Band::Kind::Title && pages.size() > 1)
            continue;
        const Item *block = blockOf(band);
        if (!block || block->lineHeight <= 0) {
            if (y + band.height > bottom && y > body.top())
                newPage();
            placeFixed(pages.last(), body, y, band);
            y += band.height;
            continue;
        }
        // A band with a block: the fixed objects with its first part, then as many lines per
        // page as fit; the band's own height follows the last line.
        if (y + block->rect.top() + block->lineHeight > bottom && y > body.top())
            newPage();
        placeFixed(pages.last(), body, y, band);
        double lineTop = y + block->rect.top();
        const Style style = blockStyle(*block, placeIn(body, 0, block->rect).width());
        for (const QString &line : block->lines) {
            if (lineTop + block->lineHeight > bottom + 1e-6 && lineTop > body.top()) {
                newPage();
                lineTop = y;
            }
            QRectF r = placeIn(body, 0, block->rect);
            r.moveTop(lineTop);
            r.setHeight(block->lineHeight);
            pages.last().append(Placed{Item::Kind::Text, block->name, r, line, style});
            lineTop += block->lineHeight;
        }
        y = lineTop + band.height;
    }

    for (Page &page : pages) {
        double top = bottom;
        for (const Band &band : report.bands())
            if (band.kind == Band::Kind::PageFooter) {
                placeFixed(page, body, top, band);
                top += band.height;
            }
    }
    return pages;
}

void paintPage(QPainter &painter, const Page &page, double dotsPerUnit)
{
    const auto scaled = [dotsPerUnit](const QRectF &r) {
        return QRectF(r.topLeft() * dotsPerUnit, r.size() * dotsPerUnit);
    };
    for (const Placed &p : page) {
        const QRectF r = scaled(p.rect);
        switch (p.kind) {
        case Item::Kind::Box:
        case Item::Kind::Text:
        case Item::Kind::Block: {
            if (p.style.background.isValid())
                painter.fillRect(r, p.style.background);
            if (p.style.frame || p.kind == Item::Kind::Box) {
                painter.setPen(QPen(Qt::black, std::max(1.0, dotsPerUnit * 0.75)));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(r);
            }
            if (p.text.isEmpty())
                break;
            QFont font(p.style.family);
            font.setPointSizeF(p.style.pointSize);
            font.setBold(p.style.bold);
            if (p.style.family.contains(QLatin1String("Courier")))
                font.setStyleHint(QFont::TypeWriter);
            painter.setPen(p.style.colour);
            painter.save();
            painter.setClipRect(r);
            const double pad = 2 * dotsPerUnit;
            const QRectF room = r.adjusted(pad, 0, -pad, 0);
            const Fit fit = fitInto(p.text, font, painter.device(), room.size());
            painter.setFont(fit.font);
            const double step = QFontMetricsF(fit.font, painter.device()).lineSpacing();
            const double height = step * double(fit.lines.size());
            double top = room.top();
            if (p.style.alignment & Qt::AlignVCenter)
                top += (room.height() - height) / 2;
            else if (p.style.alignment & Qt::AlignBottom)
                top += room.height() - height;
            const int horizontal = int(p.style.alignment & Qt::AlignHorizontal_Mask);
            for (const QString &line : fit.lines) {
                painter.drawText(QRectF(room.left(), top, room.width(), step), horizontal | Qt::AlignVCenter | Qt::TextSingleLine,
                                 line);
                top += step;
            }
            painter.restore();
            break;
        }
        case Item::Kind::Line:
            painter.setPen(QPen(p.style.colour, std::max(1.0, dotsPerUnit * 0.75)));
            painter.drawLine(scaled(p.rect).topLeft(), scaled(p.rect).bottomRight());
            break;
        }
    }
}

bool render(const Template &report, QPagedPaintDevice &device, int resolution)
{
    const QVector<Page> pages = layout(report);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage())
            return false;
        paintPage(painter, pages.at(i), resolution / 96.0);
    }
    return painter.end();
}

QString failedText()
{
    return QStringLiteral("Attenzione: la stampa non è stata eseguita. Controllare la stampante scelta "
                          "(per un file PDF, la cartella e lo spazio libero su disco) e riprovare.");
}

namespace {

// Breaks text into lines of at most width, at blanks where it can, inside a word where it must.
QStringList wrapped(const QString &text, const QFontMetricsF &metrics, double width)
{
    QStringList lines;
    for (const QString &paragraph : QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")).split(QLatin1Char('\n'))) {
        QString line;
        for (QString word : paragraph.split(QLatin1Char(' '))) {
            const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (metrics.horizontalAdvance(candidate) <= width) {
                line = candidate;
                continue;
            }
            if (!line.isEmpty())
                lines << line;
            while (metrics.horizontalAdvance(word) > width) {
                QString part = Report::fittedWith(word, metrics, width);
                if (part.isEmpty())
                    part = word.left(1);
                lines << part;
                word = word.mid(part.size());
            }
            line = word;
        }
        lines << line;
    }
    return lines;
}

}

Fit fitInto(const QString &text, const QFont &base, QPaintDevice *device, const QSizeF &room, double minimumPointSize)
{
    const double minimum = std::min(base.pointSizeF(), minimumPointSize);
    QFont font = base;
    for (double size = base.pointSizeF();; size = std::max(minimum, size - 0.5)) {
        font.setPointSizeF(size);
        const QFontMetricsF metrics(font, device);
        const int rows = std::max(1, int(room.height() / metrics.lineSpacing()));
        const QStringList lines = wrapped(text, metrics, room.width());
        if (lines.size() <= rows)
            return {font, lines};
        if (size <= minimum) {
            // Still too long at the smallest type: what shows ends with "…", so the paper says
            // that something is missing.
            QStringList kept = lines.mid(0, rows);
            const QString ellipsis(QChar(0x2026));
            QString last = lines.mid(rows - 1).join(QLatin1Char(' '));
            last = fittedWith(last, metrics, room.width() - metrics.horizontalAdvance(ellipsis));
            while (last.endsWith(QLatin1Char(' ')))
                last.chop(1);
            kept.last() = last + ellipsis;
            return {font, kept};
        }
    }
}

QString fittedWith(const QString &text, const QFontMetricsF &metrics, double width)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    // The widest beginning that fits, never splitting a surrogate pair.
    qsizetype low = 0, high = text.size();
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (metrics.horizontalAdvance(text.left(mid)) <= width)
            low = mid;
        else
            high = mid - 1;
    }
    if (low > 0 && text.at(low - 1).isHighSurrogate())
        --low;
    return text.left(low);
}

QString fitted(const QString &text, const QFont &font, QPaintDevice *device, double width)
{
    return fittedWith(text, QFontMetricsF(font, device), width);
}

void preview(const Template &report, QWidget *parent)
{
    Printing::preview(
        parent, report.pageLayout(), [&report](QPrinter &printer) { render(report, printer, printer.resolution()); },
        report.documentName());
}

bool writePdf(const Template &report, const QString &path)
{
    // Drawn beside the file and put in its place whole: a failed write leaves the old file.
    FileReplacement part(path);
    if (!part.open() || !part.closeForOthers())
        return false;
    const std::unique_ptr<QPrinter> printer = Printing::pdfPrinter(report.pageLayout(), part.temporaryPath());
    if (!render(report, *printer, printer->resolution()) || QFileInfo(part.temporaryPath()).size() == 0
        || !part.commit())
        return false;
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    return true;
}

bool print(const Template &report, QWidget *parent)
{
    const std::unique_ptr<QPrinter> printer = Printing::choosePrinter(parent, report.pageLayout(), 1, report.documentName());
    if (!printer)
        return false;
    if (render(report, *printer, printer->resolution()))
        return true;
    // A PDF file that could not be written, a printer gone: said, never taken for printed.
    Dialogs::error(parent, failedText());
    return false;
}

Template listTemplate(const QString &title, const QStringList &lines)
{
    const QColor slate(0x70, 0x80, 0x90);
    Template t(QPageLayout::Landscape);

    Style bar;
    bar.family = QStringLiteral("Verdana");
    bar.bold = true;
    bar.colour = Qt::white;
    bar.background = slate;
    bar.alignment = Qt::AlignCenter;

    Band &head = t.addBand(QStringLiteral("ReportTitle"), Band::Kind::Title, 40);
    Style titleStyle = bar;
    titleStyle.pointSize = 12;
    head.items.append(Item{Item::Kind::Text, QStringLiteral("txtTitolo"), QRectF(0, 0, -1, 30), title, {}, 0, titleStyle});

    // One block line per list line; the band is the block's height plus 10.
    Band &data = t.addBand(QStringLiteral("MasterData"), Band::Kind::Data, 10);
    Style mono;
    mono.family = QStringLiteral("Courier New");
    mono.pointSize = 8;
    data.items.append(Item{Item::Kind::Block, QStringLiteral("txtRiepilogo"), QRectF(0, 0, -1, 0), QString(), lines,
                           12.822, mono});

    Band &foot = t.addBand(QStringLiteral("Footer"), Band::Kind::PageFooter, 30);
    Style footStyle = bar;
    footStyle.pointSize = 9;
    foot.items.append(Item{Item::Kind::Text, QStringLiteral("txtPagina"), QRectF(0, 6, -1, 24),
                           QStringLiteral("Stampa eseguita in data ") + Routines::dateText(Clock::today()), {}, 0,
                           footStyle});
    return t;
}

}
