#include "compensation/MonthlyStatsScreen.h"
#include "framework/BusyCursor.h"
#include "framework/ProgramFormats.h"

#include "compensation/MonthlyStats.h"
#include "compensation/PaySummary.h"
#include "framework/BoxBehaviour.h"
#include "framework/Clock.h"
#include "framework/Dialogs.h"
#include "framework/Printing.h"
#include "framework/Routines.h"
#include "settings/ProgramFolder.h"
#include "worklog/WorkRecord.h"

#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QColor Slate(0x46, 0x5a, 0x6e), Red(0xb0, 0x3a, 0x2e);
const QString HelpTopic = QStringLiteral("Grafici statistici rimunerazioni mensili.");

// The number of copies typed: digits only, anything else counts as one.
int copiesFrom(const QString &typed)
{
    if (Routines::trimmed(typed).isEmpty() || !Routines::isDigits(typed))
        return 1;
    // No printer dialog offers more; a longer number would not even fit the count.
    constexpr int most = 999;
    qsizetype first = 0;
    while (first < typed.size() - 1 && typed.at(first) == QLatin1Char('0'))
        ++first;
    const QStringView number = QStringView(typed).mid(first);
    return number.size() > 3 ? most : number.toInt();
}

QToolButton *helpPicture(QWidget *parent, const char *name)
{
    QToolButton *b = Pictures::command(parent, QLatin1String(name), QStringLiteral("Guida"), QStringLiteral("?"), Slate);
    b->setProperty("helpTopic", HelpTopic);
    return b;
}

QLabel *hiddenLabel(QWidget *parent, const QString &name, const QString &text = QString())
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->hide();
    return l;
}

}

MonthlyStatsScreen::MonthlyStatsScreen(QWidget *parent)
    : WorkWindow(QStringLiteral("TfrmStatistiche"), QStringLiteral(" Veltaro - Statistiche rimunerazioni mensili"), parent)
{
    applyProgramFormats();
    auto *outer = new QVBoxLayout(content());
    outer->setContentsMargins(0, 0, 0, 0);
    m_yearPanel = buildYearPanel();
    m_chartPanel = buildChartPanel();
    outer->addWidget(m_yearPanel);
    outer->addWidget(m_chartPanel);
    m_chartPanel->hide();
    createHintLine(QStringLiteral("Grafico statistico delle uscite mensili."));
}

QWidget *MonthlyStatsScreen::buildYearPanel()
{
    auto *panel = new QWidget(content());
    panel->setObjectName(QStringLiteral("panAvvio"));
    auto *v = new QVBoxLayout(panel);
    v->setContentsMargins(60, 40, 60, 30);

    v->addWidget(Pictures::title(QStringLiteral("Statistiche rimunerazioni mensili"), panel), 0, Qt::AlignHCenter);
    v->addStretch(1);

    auto *box = new QWidget(panel);
    auto *grid = new QVBoxLayout(box);
    grid->setSpacing(14);
    grid->addWidget(new QLabel(QStringLiteral("Indicare l'anno solare e premere Apri."), box), 0, Qt::AlignHCenter);
    auto *row = new QHBoxLayout;
    row->setSpacing(12);
    auto *yearCaption = new QLabel(QStringLiteral("Anno:"), box);
    row->addWidget(yearCaption);
    m_anno = new QLineEdit(box);
    yearCaption->setBuddy(m_anno);
    m_anno->setObjectName(QStringLiteral("txtAnno"));
    m_anno->setMaxLength(4);
    m_anno->setFixedWidth(70);
    m_anno->setAlignment(Qt::AlignCenter);
    row->addWidget(m_anno);
    auto *open = new QPushButton(QStringLiteral("Apri"), box);
    open->setObjectName(QStringLiteral("btnApri"));
    open->setCursor(Qt::PointingHandCursor);
    row->addWidget(open);
    grid->addLayout(row);
    grid->setAlignment(row, Qt::AlignHCenter);
    v->addWidget(box, 0, Qt::AlignHCenter);
    v->addStretch(2);

    auto *foot = new QHBoxLayout;
    foot->addWidget(helpPicture(panel, "imgGuida"));
    foot->addStretch();
    QToolButton *exit = Pictures::command(panel, QStringLiteral("imgEsci"), QStringLiteral("Esci"), QStringLiteral("X"), Red);
    foot->addWidget(exit);
    v->addLayout(foot);
    m_file = hiddenLabel(panel, QStringLiteral("lblFile"));

    Box::setup(m_anno, {.keys = Box::Keys::Digits});
    Box::highlight(m_anno);
    Box::enterTo(m_anno, open);
    connect(open, &QPushButton::clicked, this, &MonthlyStatsScreen::openChart);
    connect(exit, &QToolButton::clicked, this, &QWidget::close);
    return panel;
}

QWidget *MonthlyStatsScreen::buildChartPanel()
{
    auto *panel = new QWidget(content());
    panel->setObjectName(QStringLiteral("panContainer"));
    auto *v = new QVBoxLayout(panel);
    v->setContentsMargins(16, 10, 16, 8);
    v->setSpacing(4);

    m_titolo = new QLabel(panel);
    m_titolo->setObjectName(QStringLiteral("lblTitolo"));
    QFont bold = m_titolo->font();
    bold.setPointSize(bold.pointSize() + 4);
    bold.setBold(true);
    m_titolo->setFont(bold);
    m_titolo->setStyleSheet(QStringLiteral("color: #2f4f6f;"));
    v->addWidget(m_titolo);
    for (const char *text : {"Il presente grafico statistico mostra le retribuzioni complessive percepite dai lavoratori "
                             "in ciascun mese dell'anno.",
                             "Servirsi dei pulsanti in calce per visualizzare il tipo di grafico desiderato e per "
                             "mandarlo in stampa."}) {
        auto *line = new QLabel(QString::fromUtf8(text), panel);
        v->addWidget(line);
    }
    v->addSpacing(4);

    m_chart = new StatsChart;
    m_view = new QChartView(m_chart, panel);
    m_view->setObjectName(QStringLiteral("ChartStats"));
    m_view->setAccessibleName(QStringLiteral("Grafico dei compensi mensili"));
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setMinimumHeight(360);
    v->addWidget(m_view, 1);

    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(8);
    QToolButton *help = helpPicture(panel, "cmdGuida");
    setHint(help, QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
    bottom->addWidget(help);
    bottom->addStretch();
    struct Command {
        const char *name, *text, *hint;
    };
    const Command commands[] = {
        {"btnTorta", "Visualizza grafico a torta",
         "Visualizza le statistiche dei compensi mensili sotto forma di grafico a torta tridimensionale."},
        {"btnBarre", "Visualizza grafico a barre",
         "Visualizza le statistiche dei compensi mensili sotto forma di grafico a barre tridimensionali."},
        {"btnStampa", "Stampa grafico", "Stampa il grafico corrente."},
        {"btnEsci", "Esci", "Esci da questo ambiente di lavoro."},
    };
    for (const Command &c : commands) {
        auto *b = new QPushButton(QString::fromUtf8(c.text), panel);
        b->setObjectName(QLatin1String(c.name));
        b->setCursor(Qt::PointingHandCursor);
        b->setMinimumHeight(32);
        b->setMinimumWidth(120);
        setHint(b, QString::fromUtf8(c.hint));
        bottom->addWidget(b);
    }
    v->addLayout(bottom);

    for (int m = 0; m < 12; ++m) {
        const auto &label = MonthlyStats::Points[m].label;
        m_months[m] = hiddenLabel(panel, QStringLiteral("mem") + QString::fromLatin1(label.data(), qsizetype(label.size())),
                                  QStringLiteral("0"));
    }

    connect(panel->findChild<QPushButton *>(QStringLiteral("btnTorta")), &QPushButton::clicked, this,
            [this] { showKind(StatsChart::Kind::Pie); });
    connect(panel->findChild<QPushButton *>(QStringLiteral("btnBarre")), &QPushButton::clicked, this,
            [this] { showKind(StatsChart::Kind::Bars); });
    connect(panel->findChild<QPushButton *>(QStringLiteral("btnStampa")), &QPushButton::clicked, this,
            &MonthlyStatsScreen::printChart);
    connect(panel->findChild<QPushButton *>(QStringLiteral("btnEsci")), &QPushButton::clicked, this, &QWidget::close);
    return panel;
}

void MonthlyStatsScreen::showEvent(QShowEvent *event)
{
    WorkWindow::showEvent(event);
    if (event->spontaneous())
        return;
    m_anno->setText(QString::number(Clock::today().year()).rightJustified(4, QLatin1Char('0')));
    m_chart->clearValues();
    m_chartPanel->hide();
    m_yearPanel->show();
    m_anno->setFocus();
}

void MonthlyStatsScreen::openChart()
{
    const QString anno = m_anno->text();
    // The year becomes part of a file name: four digits only, however the text got there.
    if (const auto refusal = MonthlyStats::checkYear(Routines::isDigits(anno) ? anno : QString())) {
        Dialogs::warning(this, refusal->text);
        m_anno->setFocus();
        return;
    }
    m_file->setText(ProgramFolder::file(WorkRecord::fileName(anno)));
    m_titolo->setText(MonthlyStats::title(anno));
    m_shownYear = anno;
    for (QLabel *month : m_months)
        month->setText(QStringLiteral("0"));

    const MonthlyStats::Stats stats =
        BusyCursor::during([&] { return MonthlyStats::compute(Routines::trimmed(m_file->text()), anno); });
    if (!stats.readOk) {
        // A chart of a log read in part would show wrong totals as if they were right.
        Dialogs::notice(this, PaySummary::archiveNotice());
        return;
    }
    for (int m = 0; m < 12; ++m)
        m_months[m]->setText(stats.labels[m]);
    m_chart->setValues(stats.rounded);
    m_yearPanel->hide();
    m_chartPanel->show();
    m_view->setFocus();
    if (const QString notice = MonthlyStats::skippedNotice(stats); !notice.isEmpty())
        Dialogs::notice(this, notice);
}

void MonthlyStatsScreen::showKind(StatsChart::Kind kind)
{
    m_chart->setKind(kind);
}

void MonthlyStatsScreen::printChart()
{
    if (!Dialogs::question(this, QStringLiteral("Si vuole stampare il presente grafico statistico?")))
        return;
    QString copies = QStringLiteral("1");
    if (!Dialogs::inputBox(this, QStringLiteral("Numero copie da stampare"), QStringLiteral("Copie:"), copies))
        return;

    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                             QPageLayout::Millimeter);
    const std::unique_ptr<QPrinter> printer = Printing::choosePrinter(this, layout, copiesFrom(copies));
    if (!printer)
        return;
    printer->setPageOrientation(QPageLayout::Landscape);
    // Every copy is a page of ours; a printer making copies of its own would multiply them.
    const int pages = printer->copyCount();
    printer->setCopyCount(1);
    if (pages <= 0)
        return;
    QPainter painter;
    if (!painter.begin(printer.get()))
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF target = printer->pageLayout().paintRectPixels(printer->resolution());
    for (int copy = 0; copy < pages; ++copy) {
        if (copy > 0 && !printer->newPage())
            break;
        StatsChart::paintOnPage(painter, target, m_chart->kind(), m_chart->values(), m_shownYear);
    }
    painter.end();
}
