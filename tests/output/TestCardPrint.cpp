#include "archive/CardScreen.h"
#include "framework/Printing.h"
#include "output/CardPrint.h"
#include "shifts/DailyShiftRecord.h"
#include "support/Modal.h"
#include "support/RecordFiles.h"
#include "support/ScreenFixture.h"
#include "workers/WorkerCardScreen.h"
#include "workers/WorkerRecord.h"

#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QRegularExpression>

using CardPrint::Kind;
using Controls = QHash<QString, QString>;
Q_DECLARE_METATYPE(CardPrint::Kind)

namespace {

// A word of a PDF page as a reader finds it, in points from the top left corner.
struct Word {
    QString text;
    QRectF box;
};
struct PdfPage {
    QSizeF size;
    QVector<Word> words;
};

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

PdfPage readPdf(const QString &path)
{
    PdfPage page;
    const QString html = run(QStringLiteral("pdftotext"), {"-bbox", "-enc", "UTF-8", path, "-"});
    const auto size = QRegularExpression(R"re(<page width="([\d.]+)" height="([\d.]+)")re").match(html);
    if (size.hasMatch())
        page.size = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*?)</word>)re");
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        QString text = m.captured(5);
        text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&apos;", "'").replace("&amp;", "&");
        page.words.append({text, QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                        QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return page;
}

// The page's text, with the moment of printing taken out (the command line's day is the
// system's, the tests' a fixed one).
QString layoutText(const QString &path)
{
    QString text = run(QStringLiteral("pdftotext"), {"-layout", "-enc", "UTF-8", path, "-"});
    return text.replace(QRegularExpression(QStringLiteral("in data \\S+ alle ore \\S+")), QStringLiteral("in data ? alle ore ?"));
}

// Report units are 1/96 inch, PDF points 1/72.
QRectF inPoints(const QRectF &units)
{
    return QRectF(units.topLeft() * 0.75, units.size() * 0.75);
}

// The words whose middle lies in the rectangle, in reading order.
QStringList wordsIn(const PdfPage &page, const QRectF &points)
{
    QStringList out;
    for (const Word &w : page.words)
        if (points.contains(w.box.center()))
            out << w.text;
    return out;
}

const Report::Placed *placed(const Report::Page &page, const QString &name)
{
    for (const Report::Placed &p : page)
        if (p.name == name)
            return &p;
    return nullptr;
}

// Every control a page reads holds a text of its own: its name less "txt".
QString tokenFor(const QString &control)
{
    return control.mid(3);
}

// Words of every length up to exactly the given size, as a user fills a box to its limit.
QString longWords(int size)
{
    static const char *words[] = {"turno", "mattina", "piscina", "Dell'Acqua", "e", "controllo", "accessi", "al", "cancello"};
    QString s;
    for (int i = 0; s.size() < size; ++i)
        s += QString::fromUtf8(words[i % 9]) + ' ';
    return s.left(size).trimmed();
}

QString longText()
{
    QString s;
    for (int i = 1; s.size() < 400; ++i)
        s += QStringLiteral("parola%1 ").arg(i);
    return s.trimmed();
}

CardScreen *screenNamed(ScreenFixture &fx, const QString &name)
{
    const ScreenRegistry &s = *fx.screens;
    for (QWidget *w : QList<QWidget *>{s.workers, s.schedules, s.dailyShifts, s.weeklyShifts, s.workLog})
        if (w->objectName() == name)
            return qobject_cast<CardScreen *>(w);
    return nullptr;
}

QString tempPdf(ScreenFixture &fx, const QString &name)
{
    return fx.dir.filePath(name);
}

}

class TestCardPrint : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        Printing::Test::reset();
    }

    // The literal parts of a composition stay as they are, also around empty values.
    void compositions_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<Controls>("controls");
        QTest::addColumn<QString>("slot");
        QTest::addColumn<QString>("expected");
        QTest::newRow("name trimmed and joined") << Kind::Worker << Controls{{"txtCognome", "  Rossi "}, {"txtNome", "Mario  "}}
                                                 << "txtIstruttore" << "Rossi Mario";
        QTest::newRow("no name at all") << Kind::Worker << Controls{} << "txtIstruttore" << " ";
        QTest::newRow("no province") << Kind::Worker << Controls{{"txtComuneNasc", "Forlì"}} << "txtComuneNasc" << "Forlì ";
        QTest::newRow("work times") << Kind::Work << Controls{{"txtDaOre", "08"}, {"txtDaMin", "30"}} << "txtOraInizio"
                                    << "08:30";
        QTest::newRow("daily date") << Kind::Daily << Controls{{"txtData", "15/06/2017"}} << "titData"
                                    << "DATA:  15/06/2017 ";
        QTest::newRow("daily, no date") << Kind::Daily << Controls{} << "titData" << "DATA:   ";
        QTest::newRow("week") << Kind::Weekly << Controls{{"txtDataInizio", "12/06/2017"}, {"txtDataFine", " 18/06/2017"}}
                              << "titData" << "SETTIMANA DAL  12/06/2017  AL  18/06/2017 ";
        QTest::newRow("week, no dates") << Kind::Weekly << Controls{} << "titData" << "SETTIMANA DAL    AL   ";
        QTest::newRow("weekly Sunday") << Kind::Weekly << Controls{{"txtDom12", "riposo"}} << "titDom12" << "riposo";
        QTest::newRow("schedule period") << Kind::Schedule << Controls{{"txtPeriodo", " estate "}} << "titPeriodo"
                                         << "estate";
    }
    void compositions()
    {
        QFETCH(Kind, kind);
        QFETCH(Controls, controls);
        QFETCH(QString, slot);
        QFETCH(QString, expected);
        Report::Template page = CardPrint::filled(
            kind, [&](const QString &c) { return controls.value(c); }, QDate(2017, 6, 15), QTime(9, 5, 7));
        QVERIFY(page.find(slot));
        QCOMPARE(page.find(slot)->text, expected);
        QVERIFY(page.find("txtCalce")->text.startsWith("Stampa eseguita in data 15/06/2017 alle ore "));
        QVERIFY(page.find("txtCalce")->text.contains(QRegularExpression("0?9.05.07")));
    }

    // What users type in the longest boxes reaches the paper whole: wrapped in its slot, in
    // smaller type if need be.
    void typedTextIsWholeOnPaper_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("value");
        const QString rota = QString::fromUtf8("Rossi A., Bianchi L., Dell'Acqua N. – re");
        QTest::newRow("weekly day cell, 40 characters") << Kind::Weekly << "txtMer05" << rota;
        QTest::newRow("weekly orders, 250 characters") << Kind::Weekly << "txtDisposizioni" << QString(longWords(250));
        QTest::newRow("daily orders, 250 characters") << Kind::Daily << "txtDisposizioni" << QString(longWords(250));
        QTest::newRow("daily activity, 120 characters") << Kind::Daily << "txtAttivita04" << QString(longWords(120));
        QTest::newRow("daily shift workers, 120 characters") << Kind::Daily << "txtLavoratore07" << QString(longWords(120));
    }
    void typedTextIsWholeOnPaper()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, control);
        QFETCH(QString, value);
        QTemporaryDir dir;
        const auto text = [&](const QString &c) { return c == control ? value : QString(); };
        const Report::Template page = CardPrint::filled(kind, text, QDate(2017, 6, 15), QTime(9, 5, 7));
        const QString pdf = dir.filePath("scheda.pdf");
        QVERIFY(Report::writePdf(page, pdf));
        const PdfPage printed = readPdf(pdf);
        const QVector<Report::Page> pages = Report::layout(page);
        for (const CardPrint::Fill &f : CardPrint::fills(kind))
            if (f.pattern == '{' + control + '}') {
                const QRectF box = inPoints(placed(pages.first(), f.slot)->rect);
                QCOMPARE(wordsIn(printed, box).join(' '), value.simplified());
                return;
            }
        QFAIL("no slot shows the control");
    }

    // On the printed page every slot's text lies in its own box, on its caption's row; a value
    // too long for its box even in the smallest type ends with "…", and what is cut is not on
    // the page at all.
    void slotsOnTheirRows_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("longControl");
        QTest::addColumn<QStringList>("captions");   // captions and the slot on their row or column
        QTest::newRow("worker") << Kind::Worker << "txtNote"
                                << QStringList{"Cognome e nome:", "txtIstruttore", "Importo rata: €", "txtRata"};
        QTest::newRow("work") << Kind::Work << "txtAttivita"
                              << QStringList{"Data prestazione:", "txtData", "Ora inizio:", "txtOraInizio", "Note:", "txtNote"};
        QTest::newRow("schedule") << Kind::Schedule << "txtAttivita01"
                                  << QStringList{"DALLE ORE", "titInizio01", "ATTIVITA' DA SVOLGERE", "titAttivita01"};
        QTest::newRow("daily") << Kind::Daily << "txtLavoratore03"
                               << QStringList{"ALLE ORE", "titFine01", "TURNISTI", "titLavoratore01"};
        QTest::newRow("weekly") << Kind::Weekly << "txtMer05"
                                << QStringList{"Dalle ore", "titInizio01", "MERCOLEDI'", "titMer01", "DOMENICA", "titDom01"};
    }
    void slotsOnTheirRows()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, longControl);
        QFETCH(QStringList, captions);
        QTemporaryDir dir;
        const auto text = [&](const QString &c) { return c == longControl ? longText() : tokenFor(c); };
        const Report::Template page = CardPrint::filled(kind, text, QDate(2017, 6, 15), QTime(9, 5, 7));
        const QString pdf = dir.filePath("scheda.pdf");
        QVERIFY(Report::writePdf(page, pdf));
        const PdfPage printed = readPdf(pdf);
        const bool landscape = kind != Kind::Worker && kind != Kind::Work;
        QCOMPARE(printed.size.width() > printed.size.height(), landscape);

        const QVector<Report::Page> pages = Report::layout(page);
        QCOMPARE(pages.size(), 1);
        int longSlots = 0;
        QRectF longBox;
        for (const CardPrint::Fill &f : CardPrint::fills(kind)) {
            const Report::Placed *p = placed(pages.first(), f.slot);
            QVERIFY2(p, qPrintable(f.slot));
            const QRectF box = inPoints(p->rect);
            const QString shown = wordsIn(printed, box).join(' ');
            const QString value = CardPrint::compose(f.pattern, text).simplified();
            if (f.pattern.contains(longControl + '}')) {
                ++longSlots;
                longBox = box;
                if (shown != value) {
                    QVERIFY2(shown.endsWith(QChar(0x2026)), qPrintable(shown));
                    QVERIFY2(value.startsWith(shown.chopped(1)) && shown.size() > 20, qPrintable(shown));
                }
            } else {
                QCOMPARE(shown, value);
            }
            for (const Word &w : printed.words)
                if (box.contains(w.box.center()))
                    QVERIFY2(w.box.right() <= box.right() + 0.5, qPrintable(f.slot + ": " + w.text));
        }
        QCOMPARE(longSlots, 1);
        // Nothing of the long value strays outside its box.
        const QString tail = longText().section(' ', -1);
        for (const Word &w : printed.words)
            QVERIFY(w.text != tail || longBox.contains(w.box.center()));

        // A caption on its value's row (portrait) or over its column (landscape).
        for (qsizetype i = 0; i < captions.size(); i += 2) {
            const QRectF slot = inPoints(placed(pages.first(), captions[i + 1])->rect);
            const QRectF band = landscape ? QRectF(slot.left(), 0, slot.width(), slot.top())
                                          : QRectF(0, slot.top(), slot.left(), slot.height());
            QVERIFY2(wordsIn(printed, band).join(' ').endsWith(captions[i]), qPrintable(wordsIn(printed, band).join(' ')));
        }
        const QRectF foot = inPoints(placed(pages.first(), "txtCalce")->rect);
        QVERIFY(wordsIn(printed, foot).join(' ').contains(QRegularExpression("^Stampa eseguita in data 15/06/2017 alle ore 0?9.05.07")));
        if (landscape)
            QVERIFY(foot.bottom() > printed.size.height() - 40);
    }

    // Each print and preview command opens its dialog; its button prints or shows the card the
    // screen holds, unsaved edits included, and the dialog closes.
    void everyDialogFromItsScreen_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<bool>("preview");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QString>("fileName");   // what a print to a file proposes
        QTest::newRow("worker print") << "TfrmIstruttori" << "cmdStampa" << "TfrmStampaIstruttore" << false << false
                                      << "Scheda lavoratore Zanardelli";
        QTest::newRow("worker preview") << "TfrmIstruttori" << "cmdAnteprima" << "TfrmAnteprimaIstruttore" << true << false
                                        << "Scheda lavoratore Zanardelli";
        QTest::newRow("schedule print") << "TfrmOrari" << "btnStampa" << "TfrmStampaOrario" << false << true
                                        << "Orario Zanardelli";
        QTest::newRow("daily print") << "TfrmTurni" << "btnStampa" << "TfrmStampaTurno" << false << true
                                     << "Turni Zanardelli";
        QTest::newRow("daily preview") << "TfrmTurni" << "btnAnteprima" << "TfrmAnteprimaTurno" << true << true
                                       << "Turni Zanardelli";
        QTest::newRow("weekly print") << "TfrmSettimanale" << "btnStampa" << "TfrmStampaSet" << false << true
                                      << "Turni settimanali Zanardelli";
        QTest::newRow("weekly preview") << "TfrmSettimanale" << "btnAnteprima" << "TfrmAnteprimaSet" << true << true
                                        << "Turni settimanali Zanardelli";
        QTest::newRow("work print") << "TfrmLavori" << "cmdStampa" << "TfrmStampaLavoro" << false << false
                                    << "Lavoro Zanardelli";
    }
    void everyDialogFromItsScreen()
    {
        QFETCH(QString, screen);
        QFETCH(QString, command);
        QFETCH(QString, dialog);
        QFETCH(bool, preview);
        QFETCH(bool, landscape);
        QFETCH(QString, fileName);
        ScreenFixture fx;
        CardScreen *card = screenNamed(fx, screen);
        QVERIFY(card);
        card->open();
        // A new card, never saved.
        ScreenFixture::child<QLineEdit>(card, "txtNome")->setText("Zanardelli");
        const QString pdf = tempPdf(fx, "carta.pdf");
        Printing::Test::setOutput(pdf);
        const QStringList expected = preview
            ? QStringList{"Anteprima di stampa", "Questa operazione consente di", "visualizzare in anteprima i dati che",
                          "appariranno in stampa.", "Fare clic su Mostra anteprima", "per visualizzare il documento",
                          "sullo schermo prima di eseguire", "la stampa su carta."}
            : QStringList{"Stampa scheda corrente", "Questa operazione provvederà a", "stampare la scheda corrente su carta",
                          "con i dati immessi dall'utente.", "Premere il pulsante Stampa per", "dare avvio alla stampa oppure",
                          "premere Annulla per annullare", "l'operazione."};
        bool seen = false;
        Modal::on([&](QDialog *d) {
            seen = true;
            QCOMPARE(d->objectName(), dialog);
            QCOMPARE(d->windowTitle(), preview ? QString(" Anteprima di stampa") : QString(" Stampa scheda"));
            QStringList texts;
            for (QLabel *l : d->findChildren<QLabel *>())
                texts << l->text();
            QCOMPARE(texts, expected);
            auto *go = ScreenFixture::child<QPushButton>(d, "btnStampa");
            QCOMPARE(go->text(), preview ? QString("Mostra anteprima") : QString("Stampa"));
            QCOMPARE(ScreenFixture::child<QPushButton>(d, "btnAnnulla")->text(), QString("Annulla"));
            ScreenFixture::activate(d);
            QCOMPARE(QApplication::focusWidget(), go);
            // The focus is framed from the start, before any key is pressed.
            QStyleOptionButton option;
            option.initFrom(go);
            QVERIFY(option.state & QStyle::State_KeyboardFocusChange);
            QTest::keyClick(go, Qt::Key_Return);
            QVERIFY(!d->isVisible());
        });
        ScreenFixture::click(card, qPrintable(command));
        QVERIFY(seen);
        QCOMPARE(Printing::Test::asked(), preview ? 0 : 1);
        QCOMPARE(Printing::Test::previewed(), preview ? 1 : 0);
        const PdfPage printed = readPdf(pdf);
        QCOMPARE(printed.size.width() > printed.size.height(), landscape);
        QVERIFY(layoutText(pdf).contains("Zanardelli"));
        QVERIFY(Dialogs::Test::shown().isEmpty());
        // Named after the card, a date in it written without slashes.
        const QString proposed = Printing::Test::lastDocumentName();
        QVERIFY2(proposed.startsWith(fileName) && !proposed.contains('/'), qPrintable(proposed));
    }

    // A card whose boxes name nothing is named by its number.
    void unnamedCardByItsNumber()
    {
        const auto text = [](const QHash<QString, QString> &boxes) {
            return [boxes](const QString &control) { return boxes.value(control); };
        };
        QCOMPARE(CardPrint::documentName(Kind::Worker, text({{"lblPosizione", "12"}})), QString("Scheda lavoratore n. 12"));
        QCOMPARE(CardPrint::documentName(Kind::Schedule, text({})), QString("Orario nuova"));
        QCOMPARE(CardPrint::documentName(Kind::Daily, text({{"txtNome", "Sala"}, {"txtData", "01/02/2017"}})),
                 QString("Turni Sala 01/02/2017"));
    }

    // Annulla, a cancelled printer choice and a printer that fails print nothing; only the
    // failure says so.
    void nothingPrinted_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("output");   // "" cancels the printer choice
        QTest::addColumn<bool>("said");
        QTest::newRow("Annulla") << "btnAnnulla" << "carta.pdf" << false;
        QTest::newRow("printer choice cancelled") << "btnStampa" << "" << false;
        QTest::newRow("printer fails") << "btnStampa" << "manca/carta.pdf" << true;
    }
    void nothingPrinted()
    {
        QFETCH(QString, button);
        QFETCH(QString, output);
        QFETCH(bool, said);
        ScreenFixture fx;
        fx.screens->workers->open();
        Printing::Test::setOutput(output.isEmpty() ? QString() : tempPdf(fx, output));
        Modal::on([&](QDialog *d) {
            ScreenFixture::click(d, qPrintable(button));
            QVERIFY(!d->isVisible());
        });
        ScreenFixture::click(fx.screens->workers, "cmdStampa");
        QCOMPARE(Printing::Test::asked(), button == "btnStampa" ? 1 : 0);
        QVERIFY(!QFile::exists(tempPdf(fx, output)) || output.isEmpty());
        QCOMPARE(Dialogs::Test::shown().size(), said ? 1 : 0);
        if (said)
            QCOMPARE(Dialogs::Test::shown().first().text, Report::failedText());
    }

    // The preview window shows the page the printer gets.
    void previewShowsThePrintedPage()
    {
        ScreenFixture fx;
        CardScreen *card = screenNamed(fx, "TfrmTurni");
        card->open();
        ScreenFixture::child<QLineEdit>(card, "txtNome")->setText("Turno del mattino");
        ScreenFixture::child<QLineEdit>(card, "txtLavoratore01")->setText("Rossi Mario, Bianchi Anna");
        ScreenFixture::child<QLineEdit>(card, "txtSede")->setText("Sede di via Roma");
        const auto output = [&](const char *command, const QString &pdf) {
            Printing::Test::setOutput(pdf);
            Modal::on([](QDialog *d) { ScreenFixture::click(d, "btnStampa"); });
            ScreenFixture::click(card, command);
        };
        output("btnAnteprima", tempPdf(fx, "anteprima.pdf"));
        output("btnStampa", tempPdf(fx, "stampa.pdf"));
        const QString shown = layoutText(tempPdf(fx, "anteprima.pdf"));
        QVERIFY(shown.contains("Rossi Mario, Bianchi Anna"));
        QCOMPARE(shown, layoutText(tempPdf(fx, "stampa.pdf")));

        // And the real preview window: one landscape page.
        Printing::Test::setShowPreviews(true);
        int pages = 0;
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
        Modal::on([&](QDialog *d) {
            Modal::on([&](QDialog *window) {
                QVERIFY(qobject_cast<QPrintPreviewDialog *>(window));
                auto *view = window->findChild<QPrintPreviewWidget *>();
                QVERIFY(view);
                view->updatePreview();
                pages = view->pageCount();
                orientation = view->orientation() == QPageLayout::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
            });
            ScreenFixture::click(d, "btnStampa");
        });
        ScreenFixture::click(card, "btnAnteprima");
        QCOMPARE(pages, 1);
        QCOMPARE(orientation, QPageLayout::Landscape);
    }

    // The command line prints a stored card as its screen prints it once loaded.
    void commandLineDrawsTheScreensPage_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<QString>("screen");
        QTest::newRow("worker") << "Dipendenti.pro" << "TfrmIstruttori";
        QTest::newRow("daily") << "2017.ore" << "TfrmTurni";
    }
    void commandLineDrawsTheScreensPage()
    {
        QFETCH(QString, archive);
        QFETCH(QString, screen);
        ScreenFixture fx;
        const bool worker = screen == "TfrmIstruttori";
        const RecordLayout &layout = worker ? WorkerRecord::layout() : DailyShiftRecord::layout();
        const Record second = worker
            ? RecordFiles::make(layout, {{"Cognome", "Bianchi"}, {"Nome", "Anna"}, {"ComuneNasc", "Forlì"}, {"Iban", "IT60X0542811101000000123456"}})
            : RecordFiles::make(layout, {{"Nome", "Turno serale"}, {"Data", "15/06/2017"}, {"Inizio01", "18:00"},
                                         {"Lavoratore01", "Verdi Luca & <Neri>"}});
        QVERIFY(RecordFiles::write(fx.path(archive), {RecordFiles::make(layout, {{"Nome", "Primo"}}), second}));

        QProcess cli;
        cli.start(VELTARO_CLI_PATH, {"stampa", fx.path(archive), "2", tempPdf(fx, "riga.pdf")});
        QVERIFY(cli.waitForFinished(120000));
        QCOMPARE(QString::fromUtf8(cli.readAllStandardError()), QString());
        QCOMPARE(cli.exitCode(), 0);

        CardScreen *card = screenNamed(fx, screen);
        card->open();
        card->loadCard(2, second);
        Printing::Test::setOutput(tempPdf(fx, "schermata.pdf"));
        Modal::on([](QDialog *d) { ScreenFixture::click(d, "btnStampa"); });
        ScreenFixture::click(card, worker ? "cmdStampa" : "btnStampa");
        const QString fromScreen = layoutText(tempPdf(fx, "schermata.pdf"));
        QVERIFY(fromScreen.contains(worker ? "Bianchi Anna" : "Verdi Luca & <Neri>"));
        const QString fromCli = layoutText(tempPdf(fx, "riga.pdf"));
        QCOMPARE(fromCli, fromScreen);
    }

    void commandLineRefuses_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("said");
        QTest::addColumn<int>("code");   // 2 a usage error, 3 a file that cannot be read or written
        QTest::newRow("no such card") << QStringList{"Dipendenti.pro", "3"}
                                      << "l'archivio contiene 2 schede: la scheda 3 non esiste" << 2;
        QTest::newRow("not a number") << QStringList{"Dipendenti.pro", "0"} << "numero di scheda non valido: 0" << 2;
        QTest::newRow("projects print as RTF") << QStringList{"2017.prg", "1"} << "archivio senza scheda da stampare" << 2;
        QTest::newRow("missing archive") << QStringList{"Orari.pro", "1"} << "Orari.pro" << 3;
        QTest::newRow("PDF folder missing") << QStringList{"Dipendenti.pro", "1", "manca/x.pdf"}
                                            << "scrittura non riuscita: " << 3;
    }
    void commandLineRefuses()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, said);
        QFETCH(int, code);
        ScreenFixture fx;
        QVERIFY(RecordFiles::write(fx.path("Dipendenti.pro"), {RecordFiles::make(WorkerRecord::layout(), {}),
                                                                RecordFiles::make(WorkerRecord::layout(), {})}));
        QProcess cli;
        const QString pdf = tempPdf(fx, args.value(2, "x.pdf"));
        cli.start(VELTARO_CLI_PATH, {"stampa", fx.path(args[0]), args[1], pdf});
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), code);
        const QString err = QString::fromUtf8(cli.readAllStandardError());
        // One plain line, whatever the program drawing the page may have logged besides.
        QVERIFY2(err.startsWith("veltaro-cli stampa: ") && err.contains(said) && (args.size() < 3 || err.count('\n') == 1),
                 qPrintable(err));
        QVERIFY(!QFile::exists(pdf));
    }
};

QTEST_MAIN(TestCardPrint)
#include "TestCardPrint.moc"
