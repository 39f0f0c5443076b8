#include "framework/WrappedLineEdit.h"

#include "framework/Report.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {
// The room QLineEdit keeps between its frame and its text.
constexpr int HorizontalMargin = 2;
constexpr int VerticalMargin = 1;
}

WrappedLineEdit::WrappedLineEdit(QWidget *parent)
    : QLineEdit(parent)
{
    fitHeight();
    connect(this, &QLineEdit::textChanged, this, &QWidget::setToolTip);
}

void WrappedLineEdit::fitHeight()
{
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    setFixedHeight(fontMetrics().lineSpacing() * Lines + 2 * (frame + VerticalMargin) + 2);
}

void WrappedLineEdit::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitHeight();
}

QRect WrappedLineEdit::textRoom() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    return contents.marginsRemoved(textMargins())
        .adjusted(HorizontalMargin, VerticalMargin, -HorizontalMargin, -VerticalMargin);
}

bool WrappedLineEdit::showsWrapped() const
{
    return !hasFocus() && echoMode() == Normal && !text().isEmpty()
        && fontMetrics().horizontalAdvance(text()) > textRoom().width();
}

QStringList WrappedLineEdit::shownLines() const
{
    if (!showsWrapped())
        return {text()};
    return Report::fitInto(text(), font(), const_cast<WrappedLineEdit *>(this), textRoom().size(), SmallestPointSize).lines;
}

double WrappedLineEdit::shownPointSize() const
{
    if (!showsWrapped())
        return font().pointSizeF();
    return Report::fitInto(text(), font(), const_cast<WrappedLineEdit *>(this), textRoom().size(), SmallestPointSize)
        .font.pointSizeF();
}

void WrappedLineEdit::paintEvent(QPaintEvent *event)
{
    if (!showsWrapped()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    const QRect room = textRoom();
    const Report::Fit fit = Report::fitInto(text(), font(), this, room.size(), SmallestPointSize);
    painter.setFont(fit.font);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    const QFontMetricsF metrics(fit.font, this);
    const double height = metrics.lineSpacing() * fit.lines.size();
    double y = room.top() + (room.height() - height) / 2;
    const Qt::Alignment horizontal = alignment() & Qt::AlignHorizontal_Mask;
    for (const QString &line : fit.lines) {
        painter.drawText(QRectF(room.left(), y, room.width(), metrics.lineSpacing()), int(horizontal | Qt::AlignVCenter),
                         line);
        y += metrics.lineSpacing();
    }
}
