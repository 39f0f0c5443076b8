#include "shell/GuideWriter.h"

#include "archive/RecordLayout.h"
#include "compensation/MonthlyStatsScreen.h"
#include "compensation/PaySummaryScreen.h"
#include "framework/Clock.h"
#include "framework/FileReplacement.h"
#include "framework/WorkWindow.h"
#include "output/ExportScreen.h"
#include "projects/ProjectRecord.h"
#include "projects/ProjectReportScreen.h"
#include "schedules/ScheduleRecord.h"
#include "settings/ProgramFolder.h"
#include "shell/HelpTopics.h"
#include "shell/MainMenu.h"
#include "shell/PaymentsMenu.h"
#include "workers/WorkerCardScreen.h"
#include "shell/ScreenRegistry.h"
#include "shell/SearchEverywhereScreen.h"
#include "shell/StartBackup.h"
#include "shell/YearMenu.h"
#include "shifts/DailyShiftRecord.h"
#include "workers/WorkerRecord.h"
#include "worklog/WorkRecord.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <QHash>
#include <QSet>
#include <QImage>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QWidget>

#include <functional>
#include <memory>

namespace {

constexpr int SampleYear = 2024;

void append(const QString &path, const Record &record)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Append))
        f.write(record.bytes());
}

// A small made-up office, so that the lists, the report and the chart show something:
// three workers, a schedule, a shift table, a project, and a year of work on it, with one
// card whose date is written wrong.
void writeSample(const QString &dir)
{
    struct Person {
        const char *cognome, *nome, *codFisc, *paga;
    };
    const Person people[] = {{"Rossi", "Maria", "RSSMRA80A41H501U", "14,50"},
                             {"Bianchi", "Luca", "BNCLCU85C12F205X", "12,00"},
                             {"Esposito", "Anna", "SPSNNA90D55F839K", "13,00"}};
    const QString year = QString::number(SampleYear);
    Record worker(WorkerRecord::layout());
    for (const Person &p : people) {
        worker.set(QStringLiteral("Cognome"), QLatin1String(p.cognome));
        worker.set(QStringLiteral("Nome"), QLatin1String(p.nome));
        worker.set(QStringLiteral("CodFisc"), QLatin1String(p.codFisc));
        worker.set(QStringLiteral("Decorrenza"), QStringLiteral("01/01/") + year);
        worker.set(QStringLiteral("Scadenza"), QStringLiteral("31/12/") + year);
        worker.set(QStringLiteral("Preavviso"), QStringLiteral("30"));
        append(dir + WorkerRecord::fileName(), worker);
    }
    Record schedule(ScheduleRecord::layout());
    schedule.set(QStringLiteral("Nome"), QStringLiteral("Orario estivo"));
    schedule.set(QStringLiteral("Sede"), QStringLiteral("Sede centrale"));
    append(dir + QStringLiteral("Orari.pro"), schedule);
    Record shift(DailyShiftRecord::layout());
    shift.set(QStringLiteral("Nome"), QStringLiteral("Turni del lunedì"));
    shift.set(QStringLiteral("Data"), QStringLiteral("15/04/") + year);
    shift.set(QStringLiteral("Sede"), QStringLiteral("Sede centrale"));
    append(dir + year + QStringLiteral(".ore"), shift);
    Record project(ProjectRecord::layout());
    project.set(QStringLiteral("Nome"), QStringLiteral("Ristrutturazione della sede"));
    project.set(QStringLiteral("Codice"), QStringLiteral("PRG-01"));
    project.set(QStringLiteral("Ambito"), QStringLiteral("Manutenzione"));
    project.set(QStringLiteral("DataInizio"), QStringLiteral("01/01/") + year);
    project.set(QStringLiteral("DataScade"), QStringLiteral("31/12/") + year);
    project.set(QStringLiteral("CostoPrev"), QStringLiteral("12000,00"));
    project.set(QStringLiteral("Responsabile"), QStringLiteral("Rossi Maria"));
    append(dir + year + QStringLiteral(".prg"), project);
    Record work(WorkRecord::layout());
    for (int month = 1; month <= 12; ++month)
        for (int i = 0; i < 3; ++i) {
            const Person &p = people[i];
            const int hours = 3 + (month * 7 + i * 5) % 6;
            const double pay = QString::fromLatin1(p.paga).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
            work.set(QStringLiteral("Cognome"), QLatin1String(p.cognome));
            work.set(QStringLiteral("Nome"), QLatin1String(p.nome));
            work.set(QStringLiteral("CodFisc"), QLatin1String(p.codFisc));
            work.set(QStringLiteral("Data"), month == 5 && i == 2 ? QStringLiteral("31/04/") + year
                                                                  : QDate(SampleYear, month, 3 + i * 8).toString(QStringLiteral("dd/MM/yyyy")));
            work.set(QStringLiteral("Attivita"), QStringLiteral("Lavori di manutenzione"));
            work.set(QStringLiteral("OraInizio"), QStringLiteral("08:00"));
            work.set(QStringLiteral("OraFine"), QStringLiteral("%1:00").arg(8 + hours, 2, 10, QLatin1Char('0')));
            work.set(QStringLiteral("TotOre"), QStringLiteral("%1,00").arg(hours));
            work.set(QStringLiteral("CompensoOra"), QLatin1String(p.paga));
            work.set(QStringLiteral("TotDovuto"), QString::number(hours * pay, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(',')));
            work.set(QStringLiteral("NomeProg"), QStringLiteral("Ristrutturazione della sede"));
            work.set(QStringLiteral("CodiceProg"), QStringLiteral("PRG-01"));
            append(dir + year + QStringLiteral(".lav"), work);
        }
}

QImage windowPicture(QWidget *w)
{
    w->setWindowState(Qt::WindowNoState);   // opened maximised: pictured at the design size
    w->resize(1016, 713);
    w->show();
    QApplication::processEvents();
    const QImage picture = w->grab().toImage();
    w->hide();
    return picture;
}

// The picture of the dialog `open` shows modally, taken once it is up; it is then closed,
// and so is any message it raises instead, so that writing the guide never waits.
QImage dialogPicture(const std::function<void()> &open)
{
    QImage picture;
    QTimer closer;
    closer.setInterval(0);
    QObject::connect(&closer, &QTimer::timeout, [&picture] {
        auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!d || !d->isVisible())
            return;
        QApplication::processEvents();
        if (picture.isNull() && !qobject_cast<QMessageBox *>(d))
            picture = d->grab().toImage();
        d->reject();
    });
    closer.start();
    open();
    return picture;
}

// The screen pictured under each topic, by the topic's title, taken on the sample office.
QHash<QString, QImage> screenPictures()
{
    QHash<QString, QImage> pictures;
    QTemporaryDir sample;
    const QString dir = sample.path() + QLatin1Char('/');
    writeSample(dir);
    const QString folder = ProgramFolder::path();
    const QDate today = Clock::today();
    ProgramFolder::set(sample.path());
    Clock::setToday(QDate(SampleYear, 12, 15));
    ScreenRegistry &s = ScreenRegistry::create();
    // A message a screen raises while pictured (the summary's cards not counted) is closed
    // as soon as it is up: writing the guide never waits for an answer.
    QTimer answer;
    answer.setInterval(0);
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto *m = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()); m && m->isVisible())
            m->reject();
    });
    answer.start();
    const QString year = QString::number(SampleYear);
    const auto title = [](const char *t) { return QString::fromUtf8(t); };

    pictures.insert(HelpTopics::generalTitle(), windowPicture(s.mainMenu));
    {
        StartBackup underWay;
        s.mainMenu->follow(&underWay);
        emit underWay.progress(qint64(1200) << 20, qint64(3000) << 20);
        pictures.insert(title("Copie di sicurezza e ripristino degli archivi."), windowPicture(s.mainMenu));
    }
    pictures.insert(title("Applicazione Anagrafica lavoratori."), windowPicture(s.workers));
    pictures.insert(title("Applicazione Impostazione orari."), windowPicture(s.schedules));
    const struct {
        const char *topic, *extension;
    } yearly[] = {{"Applicazione Calendario turni.", ".ore"},
                  {"Applicazione Archivio progetti.", ".prg"},
                  {"Applicazione Registrazione lavori.", ".lav"}};
    for (const auto &y : yearly)
        if (WorkWindow *w = YearMenu::openArchive(dir + year + QLatin1String(y.extension)))
            pictures.insert(title(y.topic), windowPicture(w));
    pictures.insert(title("Riepilogo compensi e statistiche rimunerazioni mensili."), windowPicture(s.paymentsMenu));
    pictures.insert(title("Applicazione Riepilogo compensi."), windowPicture(s.paySummarySetup));
    {
        auto *stats = static_cast<MonthlyStatsScreen *>(s.monthlyStats);
        stats->resize(1016, 713);
        stats->show();   // the year box takes this year
        stats->openChart();
        QApplication::processEvents();
        pictures.insert(title("Grafici statistici rimunerazioni mensili."), stats->grab().toImage());
        stats->hide();
    }
    {
        // A summary with the card written wrong: what "schede non conteggiate" look like.
        PaySummaryScreen summary({dir + year + QStringLiteral(".lav"), QString(), QStringLiteral("01/01/") + year,
                                  QStringLiteral("31/12/") + year, QDate(SampleYear, 1, 1), QDate(SampleYear, 12, 31)},
                                 s.mainMenu);
        summary.resize(900, 600);
        summary.show();
        QApplication::processEvents();
        pictures.insert(title("Cartelle condivise, programma a riga di comando e schede non conteggiate."),
                        summary.grab().toImage());
        summary.hide();
    }
    const struct {
        const char *topic, *file;
    } exports[] = {{"Esportazione archivio lavoratori in Microsoft Excel.", "Dipendenti.pro"},
                   {"Esportazione archivio orari di lavoro in Microsoft Excel.", "Orari.pro"},
                   {"Esportazione archivio turni di lavoro in Microsoft Excel.", ".ore"},
                   {"Esportazione archivio progetti in Microsoft Excel.", ".prg"},
                   {"Esportazione registro lavori in Microsoft Excel.", ".lav"}};
    for (const auto &e : exports) {
        const QString file = e.file[0] == '.' ? year + QLatin1String(e.file) : QLatin1String(e.file);
        pictures.insert(title(e.topic), dialogPicture([&] { ExportScreen::open(s.mainMenu, dir + file); }));
    }
    pictures.insert(title("Cerca in tutti gli archivi."),
                    dialogPicture([&] { SearchEverywhereScreen::open(s.mainMenu, QStringLiteral("Rossi")); }));
    ProjectReportScreen::Project project;
    project.name = QStringLiteral("Ristrutturazione della sede");
    project.code = QStringLiteral("PRG-01");
    project.estimate = QStringLiteral("12000,00");
    project.archive = dir + year + QStringLiteral(".prg");
    project.dueDate = QStringLiteral("31/12/") + year;
    pictures.insert(title("Rendiconto del progetto."),
                    dialogPicture([&] { ProjectReportScreen::open(s.projects, project); }));

    ScreenRegistry::destroy();
    Clock::setToday(today);
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
            if (const QImage picture = pictures.value(t.title); !picture.isNull()) {
                const QUrl name(QStringLiteral("schermata:%1").arg(number));
                doc.addResource(QTextDocument::ImageResource, name, picture);
                html += open("p", QStringLiteral("text-align: center"))
                    + QStringLiteral("<img src='%1' width='%2'></p>").arg(name.toString()).arg(qMin(600, picture.width()));
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
