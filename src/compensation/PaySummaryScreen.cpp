#include "compensation/PaySummaryScreen.h"

#include "archive/FindScreen.h"
#include "archive/ResultList.h"
#include "compensation/PaySummary.h"
#include "framework/BoxBehaviour.h"
#include "framework/BusyCursor.h"
#include "framework/Dialogs.h"
#include "framework/HelpHook.h"
#include "framework/Routines.h"
#include "framework/WorkWindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QLabel *boldLabel(const QString &text, QWidget *parent, int grow = 0)
{
    auto *l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);   // shows the typed code as typed
    QFont f = l->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + grow);
    l->setFont(f);
    return l;
}

}

PaySummaryScreen::PaySummaryScreen(const Request &request, QWidget *parent)
    : QDialog(parent), m_request(request)
{
    // The whole screen: the lines are long, and nothing of the set-up screen behind should
    // show at the edges.
    DialogFrame::setup(this, QStringLiteral("TfrmRiepPagamenti"), QStringLiteral(" Veltaro - Riepilogo compensi"),
                       QSize(1640, 1000));
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(16, 12, 16, 12);
    v->setSpacing(6);

    auto *head = new QHBoxLayout;
    head->setSpacing(10);
    auto *caption = boldLabel(QStringLiteral("Riepilogo compensi   -   C.F. lavoratore:"), this, 3);
    caption->setStyleSheet(QStringLiteral("color: #2f4f6f;"));
    head->addWidget(caption);
    m_heading = boldLabel(QString(), this, 3);
    m_heading->setObjectName(QStringLiteral("titTipologia"));
    m_heading->setStyleSheet(QStringLiteral("color: #b03a2e;"));
    head->addWidget(m_heading);
    head->addStretch();
    v->addLayout(head);
    v->addSpacing(4);

    for (const char *text : {"Immettere una o più parole consecutive presenti nella scheda in elenco da cercare e "
                             "premere il pulsante Trova.",
                             "Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, fare di "
                             "nuovo clic su Trova."})
        v->addWidget(new QLabel(QString::fromUtf8(text), this));
    auto *searchRow = new QHBoxLayout;
    searchRow->setSpacing(8);
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("txtTrova"));
    auto *find = new QPushButton(QStringLiteral("Trova"), this);
    find->setObjectName(QStringLiteral("btnTrova"));
    find->setMinimumWidth(90);
    searchRow->addWidget(m_search, 1);
    searchRow->addWidget(find);
    v->addLayout(searchRow);

    m_list = new ResultList(this);
    v->addWidget(m_list, 1);

    auto *figures = new QGridLayout;
    figures->setHorizontalSpacing(10);
    figures->setVerticalSpacing(4);
    figures->addWidget(new QLabel(QStringLiteral("Intervallo selezionato:"), this), 0, 0);
    m_interval = boldLabel(QStringLiteral("Dal gg/mm/aaaa al gg/mm/aaaa"), this);
    m_interval->setObjectName(QStringLiteral("lblIntervallo"));
    figures->addWidget(m_interval, 0, 1);
    figures->addWidget(new QLabel(QStringLiteral("Totale compensi:"), this), 1, 0);
    auto *euro = new QHBoxLayout;
    euro->setSpacing(6);
    euro->addWidget(boldLabel(QStringLiteral("\u20ac"), this, 2));
    m_total = boldLabel(QStringLiteral("0,00"), this, 2);
    m_total->setObjectName(QStringLiteral("lblTotCosti"));
    m_total->setTextInteractionFlags(Qt::TextSelectableByMouse);
    euro->addWidget(m_total);
    euro->addStretch();
    figures->addLayout(euro, 1, 1);
    figures->setColumnStretch(1, 1);
    v->addSpacing(4);
    v->addLayout(figures);
    m_conta = new QLabel(QStringLiteral("0"), this);
    m_conta->setObjectName(QStringLiteral("lblConta"));
    m_conta->hide();

    auto *bottom = new QHBoxLayout;
    QToolButton *help = Pictures::command(this, QStringLiteral("imgGuida"), QStringLiteral("Guida"), QStringLiteral("?"),
                                          QColor(0x46, 0x5a, 0x6e), 24);
    help->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    help->setProperty("helpTopic", QStringLiteral("Applicazione Riepilogo compensi."));
    bottom->addWidget(help);
    bottom->addStretch();
    auto *print = new QPushButton(QStringLiteral("Stampa riepilogo"), this);
    print->setObjectName(QStringLiteral("btnStampa"));
    auto *exit = new QPushButton(QStringLiteral("Esci"), this);
    exit->setObjectName(QStringLiteral("btnEsci"));
    for (QPushButton *b : {print, exit}) {
        b->setMinimumWidth(130);
        // Enter in the list must not print or close.
        b->setAutoDefault(false);
        bottom->addWidget(b);
    }
    v->addLayout(bottom);

    Box::setup(m_search);
    Box::enterTo(m_search, find);
    connect(find, &QPushButton::clicked, this, &PaySummaryScreen::findInList);
    connect(print, &QPushButton::clicked, this, &PaySummaryScreen::print);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    HelpHook::wire(this);
}

void PaySummaryScreen::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    DialogFrame::centre(this);
    build();
}

void PaySummaryScreen::build()
{
    const bool filtered = !Routines::trimmed(m_request.codFisc).isEmpty();
    m_conta->setText(filtered ? QStringLiteral("1") : QStringLiteral("0"));
    m_heading->setText(PaySummary::heading(m_request.codFisc));

    const PaySummary::Summary summary = BusyCursor::during(
        [&] { return PaySummary::build(m_request.path, {m_request.codFisc, m_request.start, m_request.end}); });
    m_list->setLines(summary.lines, true);
    m_total->setText(summary.totalText);
    fitListType();
    m_interval->setText(PaySummary::intervalText(m_request.dataInizio, m_request.dataFine));
    m_search->setFocus(Qt::OtherFocusReason);

    // Said once the list is on view: what was listed stays listed.
    QStringList notices;
    if (!summary.readOk)
        notices << PaySummary::archiveNotice();
    if (const QString skipped = PaySummary::skippedNotice(summary); !skipped.isEmpty())
        notices << skipped;
    if (!notices.isEmpty())
        QTimer::singleShot(0, this, [this, notices] {
            for (const QString &text : notices)
                Dialogs::notice(this, text);
        });
}

// Each line ends with its amount; where the list is narrower than a line at the list's own
// size the type gets smaller, down to a readable 9 points, and then the activity, the
// longest column, gives way (shortened with "…", whole in the tooltip) so that the amounts
// stay in view.
void PaySummaryScreen::fitListType()
{
    // The fixed columns before the amount, then the amount, at most as long as the total.
    const int chars = 144 + int(qMax(m_total->text().size(), qsizetype(8)));
    const int room = m_list->viewport()->width() - 8;
    QFont f = m_list->font();
    const auto fits = [room](const QFont &font, int count) {
        return QFontMetrics(font).horizontalAdvance(QString(count, QLatin1Char('0'))) <= room;
    };
    int points = 12;
    for (; points > 9; --points) {
        f.setPointSize(points);
        if (fits(f, chars))
            break;
    }
    f.setPointSize(points);
    if (f != m_list->font())
        m_list->setFont(f);
    int shortenBy = 0;
    while (shortenBy < PaySummary::ActivityColumnWidth - 2 && !fits(f, chars - shortenBy))
        ++shortenBy;
    m_list->shortenColumn(0, PaySummary::ActivityColumnWidth, shortenBy);
}

void PaySummaryScreen::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    fitListType();
}

void PaySummaryScreen::findInList()
{
    if (m_list->find(m_search->text(), remembered) == ResultList::Search::EmptyList)
        Dialogs::notice(this, ResultText::emptyList());
}

Report::Template PaySummaryScreen::printTemplate() const
{
    return Report::listTemplate(PaySummary::printTitle(m_heading->text()),
                                PaySummary::printBody(m_list->lines(), m_interval->text(), m_total->text()));
}

void PaySummaryScreen::print()
{
    if (m_list->count() == 0) {
        Dialogs::warning(this, PaySummary::emptyPrintWarning());
        return;
    }
    if (!Dialogs::question(this, PaySummary::printQuestion()))
        return;
    Report::print(printTemplate(), this);
}

void PaySummaryScreen::done(int result)
{
    m_list->clearLines();
    QDialog::done(result);
}
