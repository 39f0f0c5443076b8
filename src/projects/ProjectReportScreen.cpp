#include "projects/ProjectReportScreen.h"

#include "archive/FindScreen.h"
#include "archive/ResultList.h"
#include "archive/TextCodec.h"
#include "framework/BusyCursor.h"
#include "framework/Desktop.h"
#include "framework/Dialogs.h"
#include "framework/Report.h"
#include "framework/Routines.h"
#include "output/SheetExport.h"
#include "settings/ProgramFolder.h"
#include "worklog/WorkRecord.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
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
    DialogFrame::setup(this, QStringLiteral("TfrmRendiconto"), QStringLiteral(" Rendiconto del progetto"), QSize(900, 600));
    m_logs = logsOf(project);
    m_report = BusyCursor::during(
        [&] { return ProjectReport::build({m_logs, project.code, std::nullopt, std::nullopt}); });

    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(16, 14, 16, 12);
    auto *title = new QLabel(QStringLiteral("Rendiconto del progetto %1 (codice %2)")
                                 .arg(Routines::trimmed(project.name), Routines::trimmed(project.code)),
                             this);
    title->setObjectName(QStringLiteral("lblTitolo"));
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    title->setFont(bold);
    title->setWordWrap(true);
    v->addWidget(title);
    QStringList years, missing;
    for (const QString &log : std::as_const(m_logs))
        (QFileInfo::exists(log) ? years : missing) << QFileInfo(log).completeBaseName();
    QString source = years.isEmpty()
        ? QStringLiteral("Nessun registro dei lavori per gli anni del progetto.")
        : QStringLiteral("Lavori registrati con il codice del progetto nel registro lavori %1.").arg(years.join(QStringLiteral(", ")));
    if (!missing.isEmpty() && !years.isEmpty())
        source += QStringLiteral(" Il registro %1 non c'è ancora.").arg(missing.join(QStringLiteral(", ")));
    auto *from = new QLabel(source, this);
    from->setObjectName(QStringLiteral("lblRegistri"));
    from->setWordWrap(true);
    v->addWidget(from);
    // The answer first: the totals against the estimate, then the detail.
    auto *totals = new QLabel(summary().join(QLatin1Char('\n')), this);
    totals->setObjectName(QStringLiteral("lblTotale"));
    QFont strong = totals->font();
    strong.setBold(true);
    totals->setFont(strong);
    totals->setWordWrap(true);
    v->addWidget(totals);
    m_list = new ResultList(this);
    m_list->setObjectName(QStringLiteral("lstRendiconto"));
    m_list->setAccessibleName(QStringLiteral("Rendiconto del progetto"));
    m_list->setLines(lines(), true);
    // A worker's whole line in view, amounts included.
    m_list->keepInView(LineWidth);
    v->addWidget(m_list, 1);
    auto *note = new QLabel(this);
    note->setObjectName(QStringLiteral("lblNota"));
    note->setWordWrap(true);
    note->setStyleSheet(QStringLiteral("color: #b03a2e;"));
    QVector<Compensation::SkippedCard> skipped;
    for (const ProjectReport::Skipped &k : m_report.skipped)
        skipped << k.card;
    QStringList notes;
    if (!m_report.ok)
        notes << Dialogs::archiveAccessText() + QStringLiteral(" (") + m_report.error + QLatin1Char(')');
    if (!skipped.isEmpty())
        notes << Compensation::skippedNotice(skipped, QStringLiteral("rendiconto")).replace(QLatin1String("\n\r"), QLatin1String(" "));
    note->setText(notes.join(QLatin1Char('\n')));
    note->setVisible(!notes.isEmpty());
    v->addWidget(note);

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
    QPushButton *print = button("btnStampa", "Stampa");
    QPushButton *exportButton = button("btnEsporta", "Esporta");
    QPushButton *close = button("btnChiudi", "Chiudi");
    v->addLayout(buttons);
    const QString printTitle = title->text();
    connect(preview, &QPushButton::clicked, this,
            [this, printTitle] { Report::preview(Report::listTemplate(printTitle, lines()), this); });
    connect(print, &QPushButton::clicked, this,
            [this, printTitle] { Report::print(Report::listTemplate(printTitle, lines()), this); });
    connect(exportButton, &QPushButton::clicked, this, &ProjectReportScreen::exportFile);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    m_list->setFocus();
    m_list->selectRow(0);
}

void ProjectReportScreen::open(QWidget *parent, const Project &project)
{
    ProjectReportScreen screen(project, parent);
    screen.exec();
}

QStringList ProjectReportScreen::lines() const
{
    QStringList out;
    out << QStringLiteral("LAVORATORI");
    if (m_report.workers.empty())
        out << QStringLiteral("  Nessun lavoro registrato con il codice del progetto.");
    for (const ProjectReport::WorkerLine &w : m_report.workers)
        out << QStringLiteral("  %1 %2  %3")
                   .arg(Routines::trimmed(w.cognome + QLatin1Char(' ') + w.nome).left(28).leftJustified(28),
                        w.codFisc.leftJustified(16), sumsText(w.sums));
    out << QString() << QStringLiteral("MESI");
    for (const ProjectReport::MonthLine &m : m_report.months)
        out << QStringLiteral("  %1/%2%3  %4")
                   .arg(m.month, 2, 10, QLatin1Char('0'))
                   .arg(m.year)
                   .arg(QString(38, QLatin1Char(' ')), sumsText(m.sums));
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
    const auto estimate = ProjectReport::storedHundredths(Cp1252::encode(Routines::trimmed(m_project.estimate)));
    if (estimate) {
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

void ProjectReportScreen::exportFile()
{
    if (!Dialogs::question(this, SheetExport::exportQuestion()))
        return;
    // One sheet of the report's lines, in the worksheet markup the other exports use.
    SheetExport::Sheet sheet{QStringLiteral("TfrmRendiconto"), windowTitle(), QString(), QStringLiteral("Rendiconto"),
                             QString(), nullptr,
                             {{QStringLiteral("Voce"), 36, {}}, {QStringLiteral("Codice fiscale"), 18, {}},
                              {QStringLiteral("Lavori"), 8, {}}, {QStringLiteral("Ore"), 10, {}},
                              {QStringLiteral("Dovuto"), 14, {}}}};
    SheetExport::Grid grid(int(sheet.columns.size()));
    const auto row = [&](const QStringList &cells) {
        for (const QString &c : cells)
            grid.appendCell(Cp1252::encode(c));
    };
    const auto sums = [](const ProjectReport::Sums &s) {
        return QStringList{QString::number(s.works), ProjectReport::hundredths(s.hours), ProjectReport::hundredths(s.due)};
    };
    for (const ProjectReport::WorkerLine &w : m_report.workers)
        row(QStringList{Routines::trimmed(w.cognome + QLatin1Char(' ') + w.nome), w.codFisc} + sums(w.sums));
    for (const ProjectReport::MonthLine &m : m_report.months)
        row(QStringList{QStringLiteral("%1/%2").arg(m.month, 2, 10, QLatin1Char('0')).arg(m.year), QString()} + sums(m.sums));
    row(QStringList{QStringLiteral("TOTALE"), QString()} + sums(m_report.total));
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
