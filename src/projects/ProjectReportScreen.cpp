#include "projects/ProjectReportScreen.h"

#include "archive/FindScreen.h"
#include "archive/ResultList.h"
#include "archive/TextCodec.h"
#include "compensation/ProjectCostChart.h"
#include "framework/BoxBehaviour.h"
#include "framework/BusyCursor.h"
#include "framework/CalendarDialog.h"
#include "framework/Desktop.h"
#include "framework/Dialogs.h"
#include "framework/Printing.h"
#include "framework/Report.h"
#include "framework/Routines.h"
#include "output/SheetExport.h"
#include "settings/ProgramFolder.h"
#include "worklog/WorkRecord.h"

#include <QChartView>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// Name, codice fiscale, works, hours and amount due of a worker's line.
constexpr int LineWidth = 2 + 28 + 1 + 16 + 2 + 5 + 8 + 9 + 5 + 14;

QString euro(qint64 hundredths)
{
    return QStringLiteral("€ ") + ProjectReport::hundredths(hundredths);
}

QString sumsText(const ProjectReport::Sums &s)
{
    return QStringLiteral("%1 lavori %2 ore %3")
        .arg(QString::number(s.works).rightJustified(5), ProjectReport::hundredths(s.hours).rightJustified(9),
             euro(s.due).rightJustified(14));
}

// Names and notes are the user's text: never read as markup.
QLabel *plainLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QString monthText(const ProjectReport::MonthLine &m)
{
    return QStringLiteral("%1/%2").arg(m.month, 2, 10, QLatin1Char('0')).arg(m.year);
}
}

QStringList ProjectReportScreen::logsOf(const Project &project)
{
    const QFileInfo archive(project.archive);
    bool isYear = false;
    const int first = archive.completeBaseName().toInt(&isYear);
    if (!isYear)
        return {};
    int last = first;
    if (const auto due = Routines::parseDate(project.dueDate); due && due->year() > first)
        last = qMin(due->year(), first + 10);
    QStringList logs;
    for (int year = first; year <= last; ++year)
        logs << archive.absolutePath() + QLatin1Char('/') + WorkRecord::fileName(QString::number(year));
    return logs;
}

ProjectReportScreen::ProjectReportScreen(const Project &project, QWidget *parent)
    : QDialog(parent), m_project(project)
{
    DialogFrame::setup(this, QStringLiteral("TfrmRendiconto"), QStringLiteral(" Rendiconto del progetto"), QSize(980, 720));
    m_logs = logsOf(project);

    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(16, 12, 16, 10);
    v->setSpacing(6);
    QLabel *title = plainLabel(this, "lblTitolo");
    title->setText(printTitle());
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    title->setFont(bold);
    v->addWidget(title);
    m_sources = plainLabel(this, "lblRegistri");
    v->addWidget(m_sources);

    // The period, as the command line takes it: empty boxes mean every date.
    auto *period = new QHBoxLayout;
    const auto dateBox = [&](const char *name, const char *caption, const QString &tag, const QString &accessible) {
        auto *label = new QLabel(QString::fromUtf8(caption), this);
        auto *box = new QLineEdit(this);
        box->setObjectName(QLatin1String(name));
        box->setAccessibleName(accessible);
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 16);
        box->setPlaceholderText(QStringLiteral("gg/mm/aaaa"));
        label->setBuddy(box);
        // Back in the box once the calendar closes, so the keys go on from there.
        Box::setup(box, {.picker = [this, tag, box] {
                             CalendarDialog::pick(this, tag);
                             activateWindow();
                             box->setFocus(Qt::OtherFocusReason);
                         }});
        CalendarDialog::registerTarget(tag, box);
        period->addWidget(label);
        period->addWidget(box);
        return box;
    };
    m_dal = dateBox("txtDal", "&Dal:", QStringLiteral("rendiconto_dal"), QStringLiteral("Periodo dal"));
    m_al = dateBox("txtAl", "&al:", QStringLiteral("rendiconto_al"), QStringLiteral("Periodo al"));
    auto *hint = new QLabel(QStringLiteral("(un tasto apre il calendario, Canc svuota; vuote: tutte le date)"), this);
    hint->setObjectName(QStringLiteral("lblPeriodo"));
    hint->setStyleSheet(QStringLiteral("color: #555;"));
    period->addWidget(hint, 1);
    v->addLayout(period);
    Box::enterTo(m_dal, m_al);

    // The answer first: the totals against the estimate, then the detail.
    m_totals = plainLabel(this, "lblTotale");
    QFont strong = m_totals->font();
    strong.setBold(true);
    m_totals->setFont(strong);
    v->addWidget(m_totals);
    auto *middle = new QVBoxLayout;
    m_list = new ResultList(this);
    m_list->setObjectName(QStringLiteral("lstRendiconto"));
    m_list->setAccessibleName(QStringLiteral("Rendiconto del progetto"));
    middle->addWidget(m_list, 1);
    m_chart = new ProjectCostChart;
    m_chartView = new QChartView(m_chart, this);
    m_chartView->setObjectName(QStringLiteral("grfCosti"));
    m_chartView->setAccessibleName(QStringLiteral("Grafico del costo cumulato per mese e del costo preventivato"));
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setFocusPolicy(Qt::StrongFocus);
    m_chartView->setMinimumHeight(240);
    // The focus shows as a frame round the chart.
    m_chartView->setStyleSheet(QStringLiteral("QChartView { border: 2px solid transparent; }"
                                              "QChartView:focus { border: 2px solid palette(highlight); }"));
    middle->addWidget(m_chartView, 1);
    v->addLayout(middle, 1);
    m_note = plainLabel(this, "lblNota");
    m_note->setStyleSheet(QStringLiteral("color: #b03a2e;"));
    v->addWidget(m_note);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    const auto button = [&](const char *name, const char *text) {
        auto *b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(QLatin1String(name));
        b->setMinimumWidth(100);
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    QPushButton *preview = button("btnAnteprima", "Anteprima");
    QPushButton *printButton = button("btnStampa", "Stampa");
    QPushButton *exportButton = button("btnEsporta", "Esporta");
    QPushButton *close = button("btnChiudi", "Chiudi");
    v->addLayout(buttons);
    setTabOrder(m_dal, m_al);
    setTabOrder(m_al, m_list);
    setTabOrder(m_list, m_chartView);
    setTabOrder(m_chartView, preview);
    setTabOrder(preview, printButton);
    setTabOrder(printButton, exportButton);
    setTabOrder(exportButton, close);
    connect(preview, &QPushButton::clicked, this, [this] {
        QPageLayout layout = Report::listTemplate(QString(), {}).pageLayout();
        Printing::preview(this, layout, [this](QPrinter &printer) { paint(printer); });
    });
    connect(printButton, &QPushButton::clicked, this, &ProjectReportScreen::print);
    connect(exportButton, &QPushButton::clicked, this, &ProjectReportScreen::exportFile);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    for (QLineEdit *box : {m_dal, m_al})
        connect(box, &QLineEdit::textChanged, this, &ProjectReportScreen::rebuild);
    rebuild();
    m_list->setFocus();
}

void ProjectReportScreen::open(QWidget *parent, const Project &project)
{
    ProjectReportScreen screen(project, parent);
    screen.exec();
}

void ProjectReportScreen::rebuild()
{
    m_periodError.clear();
    m_from = m_to = std::nullopt;
    const auto dateIn = [&](QLineEdit *box, const char *which) -> std::optional<QDate> {
        const QString text = Routines::trimmed(box->text());
        if (text.isEmpty())
            return std::nullopt;
        const auto date = Routines::parseDate(text);
        if (!date && m_periodError.isEmpty())
            m_periodError = QStringLiteral("Attenzione: la data %1 di %2 del periodo non esiste.").arg(text, QLatin1String(which));
        return date;
    };
    m_from = dateIn(m_dal, "inizio");
    m_to = dateIn(m_al, "fine");
    if (m_periodError.isEmpty() && m_from && m_to && *m_from > *m_to)
        m_periodError = QStringLiteral("Attenzione: la data di fine del periodo (%1) non può essere anteriore a quella di "
                                       "inizio (%2).")
                            .arg(Routines::dateText(*m_to), Routines::dateText(*m_from));
    if (m_periodError.isEmpty()) {
        m_report = BusyCursor::during([&] { return ProjectReport::build({m_logs, m_project.code, m_from, m_to}); });
    } else {
        // No figure for a period that cannot be: the window says why instead.
        m_report = ProjectReport::Report{};
        m_from = m_to = std::nullopt;
    }

    QStringList years, missing;
    for (const QString &log : std::as_const(m_logs))
        (QFileInfo::exists(log) ? years : missing) << QFileInfo(log).completeBaseName();
    QString source = years.isEmpty()
        ? QStringLiteral("Nessun registro dei lavori per gli anni del progetto.")
        : QStringLiteral("Lavori registrati con il codice del progetto nel registro lavori %1.").arg(years.join(QStringLiteral(", ")));
    if (!missing.isEmpty() && !years.isEmpty())
        source += QStringLiteral(" Il registro %1 non c'è ancora.").arg(missing.join(QStringLiteral(", ")));
    m_sources->setText(source);
    m_totals->setText(m_periodError.isEmpty() ? summary().join(QLatin1Char('\n')) : m_periodError);
    const int row = m_list->selectedRow();
    m_list->setLines(lines(), true);
    // A worker's whole line in view, amounts included.
    m_list->keepInView(LineWidth);
    m_list->selectRow(std::max(0, row));
    const QStringList notes = warnings();
    m_note->setText(notes.join(QLatin1Char('\n')));
    m_note->setVisible(!notes.isEmpty());
    m_chart->setData(m_report.months, estimate(), m_periodError.isEmpty() && !(m_from || m_to)
                         ? QStringLiteral("Nessun lavoro registrato con il codice del progetto:\nil grafico è vuoto.")
                         : QStringLiteral("Nessun lavoro registrato con il codice del progetto\nnel periodo scelto: "
                                          "il grafico è vuoto."));
}

std::optional<qint64> ProjectReportScreen::estimate() const
{
    return ProjectReport::storedHundredths(Cp1252::encode(Routines::trimmed(m_project.estimate)));
}

QString ProjectReportScreen::printTitle() const
{
    return QStringLiteral("Rendiconto del progetto %1 (codice %2)")
        .arg(Routines::trimmed(m_project.name), Routines::trimmed(m_project.code));
}

QStringList ProjectReportScreen::lines() const
{
    QStringList out;
    if (!m_periodError.isEmpty())
        return {m_periodError};
    out << QStringLiteral("LAVORATORI");
    if (m_report.workers.empty())
        out << QStringLiteral("  Nessun lavoro registrato con il codice del progetto.");
    for (const ProjectReport::WorkerLine &w : m_report.workers)
        out << QStringLiteral("  %1 %2  %3")
                   .arg(Routines::trimmed(w.cognome + QLatin1Char(' ') + w.nome).left(28).leftJustified(28),
                        w.codFisc.leftJustified(16), sumsText(w.sums));
    out << QString() << QStringLiteral("MESI");
    for (const ProjectReport::MonthLine &m : m_report.months)
        out << QStringLiteral("  %1%2  %3").arg(monthText(m), QString(38, QLatin1Char(' ')), sumsText(m.sums));
    out << QString() << QStringLiteral("TOTALE%1  %2").arg(QString(41, QLatin1Char(' ')), sumsText(m_report.total));
    out << QString() << summary();
    return out;
}

QStringList ProjectReportScreen::summary() const
{
    QStringList out;
    out << QStringLiteral("Totale: %1 lavori, %2 ore, dovuto %3")
               .arg(m_report.total.works)
               .arg(ProjectReport::hundredths(m_report.total.hours), euro(m_report.total.due));
    if (const auto estimate = this->estimate()) {
        const QString percent = ProjectReport::percentOf(m_report.total.due, *estimate);
        out << QStringLiteral("Costo preventivato: %1; dovuto per i lavori registrati: %2%3")
                   .arg(euro(*estimate), euro(m_report.total.due),
                        percent.isEmpty() ? QString() : QStringLiteral(" (%1% del preventivo)").arg(percent));
        out << QStringLiteral("Parte del preventivo ancora disponibile: %1").arg(euro(*estimate - m_report.total.due));
    } else {
        out << QStringLiteral("Costo preventivato non indicato o non valido: \"%1\"").arg(Routines::trimmed(m_project.estimate));
    }
    const auto paid = ProjectReport::storedHundredths(Cp1252::encode(Routines::trimmed(m_project.paid)));
    out << QStringLiteral("Totale importi versati alla data attuale: %1")
               .arg(paid ? euro(*paid) : QStringLiteral("non indicato"));
    return out;
}

QStringList ProjectReportScreen::heading() const
{
    QString period = QStringLiteral("tutte le date");
    if (m_from && m_to)
        period = QStringLiteral("dal %1 al %2").arg(Routines::dateText(*m_from), Routines::dateText(*m_to));
    else if (m_from)
        period = QStringLiteral("dal %1").arg(Routines::dateText(*m_from));
    else if (m_to)
        period = QStringLiteral("fino al %1").arg(Routines::dateText(*m_to));
    return {QStringLiteral("Progetto: %1").arg(Routines::trimmed(m_project.name)),
            QStringLiteral("Codice: %1").arg(Routines::trimmed(m_project.code)),
            QStringLiteral("Periodo: %1").arg(period),
            QStringLiteral("Registri letti: %1")
                .arg(m_report.logsRead.isEmpty() ? QStringLiteral("nessuno") : m_report.logsRead.join(QStringLiteral(", ")))};
}

QStringList ProjectReportScreen::warnings() const
{
    QStringList notes;
    if (!m_report.ok)
        notes << Dialogs::archiveAccessText() + QStringLiteral(" (") + m_report.error + QLatin1Char(')');
    if (!m_report.skipped.isEmpty()) {
        QString notice = Compensation::skippedNotice(m_report.skipped, QStringLiteral("rendiconto"));
        notice.replace(QLatin1String("\n\r\n\r"), QLatin1String("\n"));
        notes << notice.split(QLatin1String("\n\r")).join(QLatin1Char('\n')).split(QLatin1Char('\n'));
    }
    return notes;
}

QStringList ProjectReportScreen::printLines() const
{
    QStringList out = heading();
    out << QString() << lines();
    if (const QStringList notes = warnings(); !notes.isEmpty())
        out << QString() << notes;
    return out;
}

bool ProjectReportScreen::paint(QPrinter &printer) const
{
    const Report::Template page = Report::listTemplate(printTitle(), printLines());
    const QVector<Report::Page> pages = Report::layout(page);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    const double dotsPerUnit = printer.resolution() / 96.0;
    for (const Report::Page &p : pages) {
        Report::paintPage(painter, p, dotsPerUnit);
        if (!printer.newPage())
            return false;
    }
    // The chart on a page of its own, under the report's title.
    const QRectF body = printer.pageLayout().paintRectPixels(printer.resolution());
    QFont titleFont(QStringLiteral("Verdana"), 12);
    titleFont.setBold(true);
    painter.setFont(titleFont);
    const double titleHeight = QFontMetricsF(titleFont, &printer).height() * 1.6;
    const QRectF titleRect(0, 0, body.width(), titleHeight);
    painter.fillRect(titleRect, QColor(0x70, 0x80, 0x90));
    painter.setPen(Qt::white);
    painter.drawText(titleRect, Qt::AlignCenter, printTitle());
    ProjectCostChart::paintOnPage(painter, QRectF(0, titleHeight * 1.3, body.width(), body.height() - titleHeight * 1.3),
                                  m_report.months, estimate(), m_chart->emptyNote());
    return painter.end();
}

void ProjectReportScreen::print()
{
    const std::unique_ptr<QPrinter> printer =
        Printing::choosePrinter(this, Report::listTemplate(QString(), {}).pageLayout());
    if (!printer)
        return;
    if (!paint(*printer))
        Dialogs::error(this, Report::failedText());
}

void ProjectReportScreen::exportFile()
{
    if (!Dialogs::question(this, SheetExport::exportQuestion()))
        return;
    // One sheet of the report, in the worksheet markup the other exports use; the figures are
    // number cells, so that the spreadsheet adds them.
    SheetExport::Sheet sheet{QStringLiteral("TfrmRendiconto"), windowTitle(), QString(), QStringLiteral("Rendiconto"),
                             QString(), nullptr,
                             {{QStringLiteral("Voce"), 250, {}},
                              {QStringLiteral("Codice fiscale"), 160, {}},
                              {QStringLiteral("Lavori"), 80, {}, 0},
                              {QStringLiteral("Ore"), 90, {}, 2},
                              {QStringLiteral("Dovuto"), 110, {}, 2},
                              {QStringLiteral("% del preventivo"), 120, {}, 2},
                              {QStringLiteral("Note"), 500, {}}}};
    SheetExport::Grid grid(int(sheet.columns.size()));
    const std::optional<qint64> estimate = this->estimate();
    const auto row = [&](const QString &item, const QString &codFisc, const QStringList &figures, const QString &note) {
        grid.appendCell(Cp1252::encode(item));
        grid.appendCell(Cp1252::encode(codFisc));
        for (int i = 0; i < 4; ++i)
            grid.appendCell(Cp1252::encode(figures.value(i)));
        grid.appendCell(Cp1252::encode(note));
    };
    const auto sums = [&](const ProjectReport::Sums &s) {
        return QStringList{QString::number(s.works), ProjectReport::hundredths(s.hours), ProjectReport::hundredths(s.due),
                           estimate ? ProjectReport::percentOf(s.due, *estimate) : QString()};
    };
    const QStringList head = heading();
    for (const QString &line : head)
        row(line.section(QStringLiteral(": "), 0, 0), QString(), {}, line.section(QStringLiteral(": "), 1, -1));
    for (const ProjectReport::WorkerLine &w : m_report.workers)
        row(Routines::trimmed(w.cognome + QLatin1Char(' ') + w.nome), w.codFisc, sums(w.sums), QString());
    for (const ProjectReport::MonthLine &m : m_report.months)
        row(monthText(m), QString(), sums(m.sums), QString());
    row(QStringLiteral("TOTALE"), QString(), sums(m_report.total), QString());
    if (estimate) {
        row(QStringLiteral("Costo preventivato"), QString(),
            {QString(), QString(), ProjectReport::hundredths(*estimate), ProjectReport::percentOf(*estimate, *estimate)},
            QString());
        row(QStringLiteral("Parte del preventivo ancora disponibile"), QString(),
            {QString(), QString(), ProjectReport::hundredths(*estimate - m_report.total.due),
             ProjectReport::percentOf(*estimate - m_report.total.due, *estimate)},
            QString());
    } else {
        row(QStringLiteral("Costo preventivato"), QString(), {}, QStringLiteral("non indicato o non valido: \"%1\"")
                                                                     .arg(Routines::trimmed(m_project.estimate)));
    }
    const auto paid = ProjectReport::storedHundredths(Cp1252::encode(Routines::trimmed(m_project.paid)));
    row(QStringLiteral("Totale importi versati alla data attuale"), QString(),
        {QString(), QString(), paid ? ProjectReport::hundredths(*paid) : QString(), QString()},
        paid ? QString() : QStringLiteral("non indicato"));
    if (!m_periodError.isEmpty())
        row(QStringLiteral("Periodo non valido"), QString(), {}, m_periodError);
    if (!m_report.ok)
        row(QStringLiteral("Registro non leggibile"), QString(), {}, warnings().value(0));
    if (!m_report.skipped.isEmpty())
        row(QStringLiteral("Schede non considerate"), QString(), {},
            Compensation::skippedNotice(m_report.skipped, QStringLiteral("rendiconto"))
                .replace(QLatin1String("\n\r\n\r"), QLatin1String(" "))
                .replace(QLatin1String("\n\r"), QLatin1String(" ")));
    // The code may hold characters a file name cannot.
    QString code = Routines::trimmed(m_project.code);
    for (QChar &c : code)
        if (!c.isLetterOrNumber() && c != QLatin1Char('-') && c != QLatin1Char('_'))
            c = QLatin1Char('_');
    const QString path = ProgramFolder::file(QStringLiteral("Rendiconto_%1.xls").arg(code));
    if (!BusyCursor::during([&] { return SheetExport::writeFile(path, SheetExport::document(sheet, grid)); })) {
        Dialogs::notice(this, SheetExport::failureNotice());
        return;
    }
    if (Dialogs::question(this, SheetExport::doneQuestion()))
        Desktop::Open(QLatin1Char('"') + path + QLatin1Char('"'));
}
