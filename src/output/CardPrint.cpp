#include "output/CardPrint.h"

#include "archive/CardScreen.h"
#include "archive/FindScreen.h"
#include "framework/Clock.h"
#include "framework/Routines.h"

#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>

namespace CardPrint {

using Report::Band;
using Report::Item;
using Report::Style;

namespace {

const QColor SteelBlue(0xb0, 0xc4, 0xde);
const QColor Gold(0xff, 0xd7, 0x00);
const QColor Beige(0xf5, 0xf5, 0xdc);

// The two portrait cards: a caption and a value per row.
struct Row {
    const char *caption;
    const char *slot;
    const char *pattern;
};

const QVector<Row> &workerRows()
{
    static const QVector<Row> rows = {
        {"Cognome e nome:", "txtIstruttore", "{txtCognome} {txtNome}"},
        {"Codice fiscale:", "txtCodFisc", "{txtCodFisc}"},
        {"Sesso:", "txtSesso", "{txtSesso}"},
        {"Data di nascita:", "txtDataNasc", "{txtDataNasc}"},
        {"Comune di nascita:", "txtComuneNasc", "{txtComuneNasc} {txtProvNasc}"},
        {"Partita IVA:", "txtIva", "{txtIva}"},
        {"Via e numero civico:", "txtIndirizzo", "{txtIndirizzo}"},
        {"CAP:", "txtCap", "{txtCap}"},
        {"Comune di residenza:", "txtComuneRes", "{txtComuneRes} {txtProvRes}"},
        {"Stato civile:", "txtStato", "{txtStato}"},
        {"Giorni e orari disponibilità:", "txtFamiliari", "{txtFamiliari}"},
        {"Telefono preferenziale:", "txtRecapito", "{txtRecapito}"},
        {"Tel. casa:", "txtTelCasa", "{txtTelCasa}"},
        {"Tel cellulare:", "txtTelCel", "{txtTelCel}"},
        {"Tel. ufficio:", "txtTelUff", "{txtTelUff}"},
        {"Fax:", "txtFax", "{txtFax}"},
        {"E-mail:", "txtEmail", "{txtEmail}"},
        {"Qualifica principale:", "txtQualifiche", "{txtQualifiche}"},
        {"Altri titoli:", "txtProfessione", "{txtProfessione}"},
        {"IBAN:", "txtIban", "{txtIban}"},
        {"Intestatario C/C:", "txtIntestatario", "{txtIntestatario}"},
        {"Banca:", "txtBanca", "{txtBanca}"},
        {"Carta di credito n.", "txtCarta", "{txtCarta}"},
        {"Scadenza carta di credito:", "txtScadeCarta", "{txtScadeCarta}"},
        {"Equipaggiamento assegnato:", "txtProdotti", "{txtProdotti}"},
        {"Modalità di pagamento:", "txtPagamento", "{txtPagamento}"},
        {"Note:", "txtNote", "{txtNote}"},
        {"Tipo documento:", "txtTipoDoc", "{txtTipoDoc}"},
        {"Numero documento:", "txtNumDoc", "{txtNumDoc}"},
        {"Ente di rilascio:", "txtEnteRil", "{txtEnteRil}"},
        {"Data di rilascio:", "txtDataRil", "{txtDataRil}"},
        {"Data di scadenza:", "txtDataSca", "{txtDataSca}"},
        {"Mansione:", "txtCodice", "{txtCodice}"},
        {"Categoria:", "txtCategoria", "{txtCategoria}"},
        {"Livello:", "txtZona", "{txtZona}"},
        {"Tipo di contratto:", "txtAcquisto", "{txtAcquisto}"},
        {"Data assunzione:", "txtDecorrenza", "{txtDecorrenza}"},
        {"Prossima scadenza:", "txtScadenza", "{txtScadenza}"},
        {"Compenso totale: €", "txtTotale", "{txtTotale}"},
        {"Frazionamento:", "txtFrazionamento", "{txtFrazionamento}"},
        {"Importo rata: €", "txtRata", "{txtRata}"},
    };
    return rows;
}

const QVector<Row> &workRows()
{
    static const QVector<Row> rows = {
        {"Data prestazione:", "txtData", "{txtData}"},
        {"Sede operativa:", "txtLuogo", "{txtLuogo}"},
        {"Cognome e nome lavoratore:", "txtLavoratore", "{txtCognome} {txtNome}"},
        {"Codice fiscale:", "txtCodFisc", "{txtCodFisc}"},
        {"Telefono preferenziale:", "txtRecapito", "{txtRecapito}"},
        {"Mansione:", "txtMansione", "{txtMansione}"},
        {"Categoria:", "txtCategoria", "{txtCategoria}"},
        {"Attività svolta:", "txtAttivita", "{txtAttivita}"},
        {"Ora inizio:", "txtOraInizio", "{txtDaOre}:{txtDaMin}"},
        {"Ora fine:", "txtOraFine", "{txtAOre}:{txtAMin}"},
        {"Totale ore:", "txtTotOre", "{txtTotOre}"},
        {"Compenso orario: €", "txtCompensoOra", "{txtCompensoOra}"},
        {"Totale dovuto: €", "txtTotDovuto", "{txtTotDovuto}"},
        {"Nome progetto:", "txtNomeProg", "{txtNomeProg}"},
        {"Codice identificativo:", "txtCodiceProg", "{txtCodiceProg}"},
        {"Ambito:", "txtAmbitoProg", "{txtAmbitoProg}"},
        {"Postazione di lavoro:", "txtPostazione", "{txtPostazione}"},
        {"Materiali e strumenti:", "txtMateriali", "{txtMateriali}"},
        {"Note:", "txtNote", "{txtNote}"},
    };
    return rows;
}

// The three landscape tables: columns of twelve cells each, then the sections below.
struct Column {
    const char *caption;
    const char *name;      // slots "tit" + name + "01".."12", controls "txt" + name + "01".."12"
    double width;          // negative: the rest of the table's width
    Qt::Alignment alignment;
    double captionPoints;
    QColor captionColour;
};

QVector<Column> columns(Kind kind)
{
    const Qt::Alignment centre = Qt::AlignCenter, left = Qt::AlignLeft | Qt::AlignVCenter;
    switch (kind) {
    case Kind::Schedule:
        return {{"DALLE ORE", "Inizio", 120.2, centre, 9, Qt::black},
                {"ALLE ORE", "Fine", 120.2, centre, 9, Qt::black},
                {"ATTIVITA' DA SVOLGERE", "Attivita", -1, left, 9, Qt::black}};
    case Kind::Daily:
        return {{"DALLE ORE", "Inizio", 120.2, centre, 9, Qt::black},
                {"ALLE ORE", "Fine", 120.2, centre, 9, Qt::black},
                {"TURNISTI", "Lavoratore", 398.7, left, 9, Qt::black},
                {"ATTIVITA' DA SVOLGERE", "Attivita", 357.2, left, 9, Qt::black}};
    case Kind::Weekly: {
        QVector<Column> c = {{"Dalle ore", "Inizio", 60.5, centre, 8, Qt::black},
                             {"Alle ore", "Fine", 60.5, centre, 8, Qt::black}};
        const char *days[][2] = {{"LUNEDI'", "Lun"}, {"MARTEDI'", "Mar"}, {"MERCOLEDI'", "Mer"}, {"GIOVEDI'", "Gio"},
                                 {"VENERDI'", "Ven"}, {"SABATO", "Sab"}, {"DOMENICA", "Dom"}};
        for (const auto &d : days)
            c.append({d[0], d[1], 120.9, left, 9, QLatin1String(d[1]) == QLatin1String("Dom") ? QColor(Qt::red) : QColor(Qt::black)});
        return c;
    }
    default:
        return {};
    }
}

// The daily table's widths add up to the table's; the schedule shares it, the weekly one is
// as wide as its columns.
double tableWidth(Kind kind)
{
    return kind == Kind::Weekly ? 2 * 60.5 + 7 * 120.9 : 2 * 120.2 + 398.7 + 357.2;
}

QString rowNumber(int row)
{
    return QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0'));
}

Style font(double points, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter, bool bold = false)
{
    Style s;
    s.family = QStringLiteral("Arial");
    s.pointSize = points;
    s.alignment = alignment;
    s.bold = bold;
    return s;
}

Item text(const QString &name, const QRectF &rect, const QString &text, const Style &style)
{
    return Item{Item::Kind::Text, name, rect, text, {}, 0, style};
}

Item box(const QRectF &rect, const QColor &background = QColor())
{
    Style s;
    s.background = background;
    return Item{Item::Kind::Box, QString(), rect, QString(), {}, 0, s};
}

Item rule(double x1, double y1, double x2, double y2)
{
    return Item{Item::Kind::Line, QString(), QRectF(QPointF(x1, y1), QPointF(x2, y2)), QString(), {}, 0, Style()};
}

Item footerSlot(const QRectF &rect)
{
    Style s = font(8, Qt::AlignCenter);
    s.background = Gold;
    s.frame = true;
    return text(QStringLiteral("txtCalce"), rect, QStringLiteral("Data e ora stampa"), s);
}

Report::Template portrait(const char *title, const QVector<Row> &rows)
{
    Report::Template t(QPageLayout::Portrait);
    const double caption = 142.9, value = 544.3, width = caption + value, pitch = 18.9, height = 17.4;
    const double x = (t.body().width() - width) / 2;
    const double first = 28;
    const double footerTop = first + rows.size() * pitch + 4;
    Band &band = t.addBand(QStringLiteral("Scheda"), Band::Kind::Title, footerTop + 18);

    Style heading = font(9, Qt::AlignCenter, true);
    heading.background = SteelBlue;
    heading.frame = true;
    band.items.append(text(QString(), QRectF(x, 0, width, 22), QString::fromUtf8(title), heading));
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const double y = first + i * pitch;
        band.items.append(box(QRectF(x, y, width, height)));
        band.items.append(rule(x + caption, y, x + caption, y + height));
        band.items.append(text(QString(), QRectF(x, y, caption, height), QString::fromUtf8(rows[i].caption), font(7)));
        band.items.append(text(QLatin1String(rows[i].slot), QRectF(x + caption, y, value, height), QString(), font(7)));
    }
    band.items.append(footerSlot(QRectF(x, footerTop, width, 16)));
    return t;
}

Report::Template landscape(Kind kind)
{
    Report::Template t(QPageLayout::Landscape);
    const QVector<Column> cols = columns(kind);
    const double width = tableWidth(kind);
    const double x = (t.body().width() - width) / 2;
    const double pitch = 26.5, cellHeight = 24.9, headerTop = 34, headerHeight = 22, rowsTop = headerTop + headerHeight + 2;
    const double half = width / 2, gap = 6;
    const bool weekly = kind == Kind::Weekly;

    const double sectionsTop = rowsTop + 12 * pitch + 10;
    const double signatureTop = sectionsTop + 3 * 50 + 8;
    Band &band = t.addBand(QStringLiteral("Tabella"), Band::Kind::Title, signatureTop + 60);

    // The title, and the date at its right on the shift tables.
    if (kind == Kind::Schedule) {
        band.items.append(text(QStringLiteral("titNome"), QRectF(x, 0, width, 28), QStringLiteral("NOME TURNO"),
                               font(12, Qt::AlignCenter, true)));
    } else {
        band.items.append(text(QStringLiteral("titNome"), QRectF(x, 0, half, 28), QStringLiteral("NOME TURNO"),
                               font(12, Qt::AlignLeft | Qt::AlignVCenter, true)));
        band.items.append(text(QStringLiteral("titData"), QRectF(x + half, 0, half, 28),
                               weekly ? QStringLiteral("SETTIMANA DAL  GG/MM/AAAA  AL  GG/MM/AAAA ")
                                      : QStringLiteral("DATA: GG/MM/AAAA "),
                               font(12, Qt::AlignRight | Qt::AlignVCenter, true)));
    }

    // Header row, twelve framed rows, a rule between the columns.
    double left = x;
    for (const Column &c : cols) {
        const double w = c.width < 0 ? x + width - left : c.width;
        Style caption = font(c.captionPoints, Qt::AlignCenter, true);
        caption.background = SteelBlue;
        caption.frame = true;
        caption.colour = c.captionColour;
        band.items.append(text(QString(), QRectF(left, headerTop, w, headerHeight), QString::fromUtf8(c.caption), caption));
        for (int row = 1; row <= 12; ++row) {
            const double y = rowsTop + (row - 1) * pitch;
            band.items.append(text(QStringLiteral("tit") + QLatin1String(c.name) + rowNumber(row),
                                   QRectF(left, y, w, cellHeight), QString(), font(9, c.alignment)));
            if (left > x)
                band.items.append(rule(left, y, left, y + cellHeight));
        }
        left += w;
    }
    for (int row = 1; row <= 12; ++row)
        band.items.append(box(QRectF(x, rowsTop + (row - 1) * pitch, width, cellHeight)));

    // The sections under the table: a caption, and the value in a framed row under it.
    Style caption = font(9, Qt::AlignCenter, true);
    Style beige = caption;
    beige.background = Beige;
    beige.frame = true;
    Style framed = font(9, Qt::AlignCenter);
    framed.frame = true;
    Style framedLeft = font(9);
    framedLeft.frame = true;
    double y = sectionsTop;
    if (weekly) {
        band.items.append(text(QString(), QRectF(x, y, width, 18), QStringLiteral("SEDE OPERATIVA"), beige));
        band.items.append(text(QStringLiteral("titSede"), QRectF(x, y + 20, width, 22), QString(), framed));
    } else {
        band.items.append(text(QString(), QRectF(x, y, half - gap, 18), QStringLiteral("PERIODO VALIDITA'"), beige));
        band.items.append(text(QStringLiteral("titPeriodo"), QRectF(x, y + 20, half - gap, 22), QString(), framed));
        band.items.append(text(QString(), QRectF(x + half + gap, y, half - gap, 18), QStringLiteral("SEDE OPERATIVA"), beige));
        band.items.append(text(QStringLiteral("titSede"), QRectF(x + half + gap, y + 20, half - gap, 22), QString(), framed));
    }
    y += 50;
    for (const auto &[title, slot] : {std::pair{"DISPOSIZIONI ORGANIZZATIVE", "titDisposizioni"},
                                      std::pair{"ANNOTAZIONI", "titAnnotazioni"}}) {
        band.items.append(text(QString(), QRectF(x, y, width, 18), QLatin1String(title), caption));
        band.items.append(text(QLatin1String(slot), QRectF(x, y + 20, width, 22), QString(), framedLeft));
        y += 50;
    }
    // The signature, at the right.
    const double signature = 300;
    band.items.append(text(QString(), QRectF(x + width - signature, signatureTop, signature, 18),
                           QStringLiteral("FIRMA DEL RESPONSABILE:"), font(9, Qt::AlignLeft | Qt::AlignVCenter, true)));
    band.items.append(rule(x + width - signature, signatureTop + 52, x + width, signatureTop + 52));

    Band &foot = t.addBand(QStringLiteral("Calce"), Band::Kind::PageFooter, 20);
    foot.items.append(footerSlot(QRectF(x, 4, width, 16)));
    return t;
}

}

const QVector<Dialog> &dialogs()
{
    static const QVector<Dialog> list = {
        {"TfrmStampaIstruttore", "TfrmIstruttori", "cmdStampa", Kind::Worker, false},
        {"TfrmAnteprimaIstruttore", "TfrmIstruttori", "cmdAnteprima", Kind::Worker, true},
        {"TfrmStampaOrario", "TfrmOrari", "btnStampa", Kind::Schedule, false},
        {"TfrmStampaTurno", "TfrmTurni", "btnStampa", Kind::Daily, false},
        {"TfrmAnteprimaTurno", "TfrmTurni", "btnAnteprima", Kind::Daily, true},
        {"TfrmStampaSet", "TfrmSettimanale", "btnStampa", Kind::Weekly, false},
        {"TfrmAnteprimaSet", "TfrmSettimanale", "btnAnteprima", Kind::Weekly, true},
        {"TfrmStampaLavoro", "TfrmLavori", "cmdStampa", Kind::Work, false},
    };
    return list;
}

const Dialog *dialogFor(const QString &screen, const QString &command)
{
    for (const Dialog &d : dialogs())
        if (screen == QLatin1String(d.screen) && command == QLatin1String(d.command))
            return &d;
    return nullptr;
}

const Kind *kindOf(const QString &screen)
{
    for (const Dialog &d : dialogs())
        if (screen == QLatin1String(d.screen))
            return &d.kind;
    return nullptr;
}

QVector<Fill> fills(Kind kind)
{
    QVector<Fill> out;
    if (kind == Kind::Worker || kind == Kind::Work) {
        for (const Row &r : kind == Kind::Worker ? workerRows() : workRows())
            out.append({QLatin1String(r.slot), QLatin1String(r.pattern)});
        return out;
    }
    out.append({QStringLiteral("titNome"), QStringLiteral("{txtNome}")});
    if (kind == Kind::Daily)
        out.append({QStringLiteral("titData"), QStringLiteral("DATA:  {txtData} ")});
    if (kind == Kind::Weekly)
        out.append({QStringLiteral("titData"), QStringLiteral("SETTIMANA DAL  {txtDataInizio}  AL  {txtDataFine} ")});
    for (const Column &c : columns(kind))
        for (int row = 1; row <= 12; ++row)
            out.append({QStringLiteral("tit") + QLatin1String(c.name) + rowNumber(row),
                        QStringLiteral("{txt") + QLatin1String(c.name) + rowNumber(row) + QLatin1Char('}')});
    for (const char *name : {"Periodo", "Sede", "Disposizioni", "Annotazioni"})
        if (kind != Kind::Weekly || QLatin1String(name) != QLatin1String("Periodo"))
            out.append({QStringLiteral("tit") + QLatin1String(name), QStringLiteral("{txt") + QLatin1String(name) + QLatin1Char('}')});
    return out;
}

QString compose(const QString &pattern, const std::function<QString(const QString &control)> &text)
{
    static const QRegularExpression control(QStringLiteral("\\{(\\w+)\\}"));
    QString out;
    qsizetype from = 0;
    for (auto it = control.globalMatch(pattern); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += pattern.mid(from, m.capturedStart() - from);
        out += Routines::trimmed(text(m.captured(1)));
        from = m.capturedEnd();
    }
    return out + pattern.mid(from);
}

Report::Template page(Kind kind)
{
    switch (kind) {
    case Kind::Worker:
        return portrait("SCHEDA ANAGRAFICA LAVORATORE", workerRows());
    case Kind::Work:
        return portrait("SCHEDA PRESTAZIONE LAVORATIVA", workRows());
    default:
        return landscape(kind);
    }
}

QString footer(const QDate &date, const QTime &time)
{
    // The system's long time format, less a time zone some systems add to it.
    static const QRegularExpression zone(QStringLiteral("\\s*t+\\s*"));
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.replace(zone, QString());
    return QStringLiteral("Stampa eseguita in data ") + date.toString(QStringLiteral("dd/MM/yyyy"))
           + QStringLiteral(" alle ore ") + QLocale::system().toString(time, format.trimmed());
}

QString documentName(Kind kind, const std::function<QString(const QString &control)> &text)
{
    static const struct { Kind kind; const char *what; const char *pattern; } names[] = {
        {Kind::Worker, "Scheda lavoratore", "{txtCognome} {txtNome}"},
        {Kind::Schedule, "Orario", "{txtNome}"},
        {Kind::Daily, "Turni", "{txtNome} {txtData}"},
        {Kind::Weekly, "Turni settimanali", "{txtNome} {txtDataInizio} {txtDataFine}"},
        {Kind::Work, "Lavoro", "{txtCognome} {txtNome} {txtData}"},
    };
    for (const auto &n : names) {
        if (n.kind != kind)
            continue;
        QString which = compose(QLatin1String(n.pattern), text).simplified();
        if (which.isEmpty()) {
            const QString position = Routines::trimmed(text(QStringLiteral("lblPosizione")));
            which = position.isEmpty() ? QStringLiteral("nuova") : QStringLiteral("n. ") + position;
        }
        return QString::fromUtf8(n.what) + QLatin1Char(' ') + which;
    }
    return QString();
}

Report::Template filled(Kind kind, const std::function<QString(const QString &control)> &text, const QDate &date,
                        const QTime &time)
{
    Report::Template t = page(kind);
    t.setDocumentName(documentName(kind, text));
    // Filled anew every time: nothing of an earlier output survives.
    for (const Fill &f : fills(kind))
        t.setText(f.slot, compose(f.pattern, text));
    t.setText(QStringLiteral("txtCalce"), footer(date, time));
    return t;
}

Report::Template fromScreen(Kind kind, const QWidget *screen)
{
    return filled(
        kind,
        [screen](const QString &control) {
            const QWidget *w = screen->findChild<QWidget *>(control);
            return w ? WidgetText::get(w) : QString();
        },
        Clock::today(), QTime::currentTime());
}

}

CardPrintDialog::CardPrintDialog(const CardPrint::Dialog &dialog, QWidget *screen)
    : QDialog(screen), m_dialog(dialog), m_screen(screen)
{
    const bool preview = dialog.preview;
    DialogFrame::setup(this, QLatin1String(dialog.name),
                       preview ? QStringLiteral(" Anteprima di stampa") : QStringLiteral(" Stampa scheda"), QSize(340, 240));
    const QStringList lines = preview
        ? QStringList{QStringLiteral("Questa operazione consente di"), QStringLiteral("visualizzare in anteprima i dati che"),
                      QStringLiteral("appariranno in stampa."), QStringLiteral("Fare clic su Mostra anteprima"),
                      QStringLiteral("per visualizzare il documento"), QStringLiteral("sullo schermo prima di eseguire"),
                      QStringLiteral("la stampa su carta.")}
        : QStringList{QStringLiteral("Questa operazione provvederà a"), QStringLiteral("stampare la scheda corrente su carta"),
                      QStringLiteral("con i dati immessi dall'utente."), QStringLiteral("Premere il pulsante Stampa per"),
                      QStringLiteral("dare avvio alla stampa oppure"), QStringLiteral("premere Annulla per annullare"),
                      QStringLiteral("l'operazione.")};
    QPushButton *go = DialogFrame::confirmation(
        this, preview ? QStringLiteral("Anteprima di stampa") : QStringLiteral("Stampa scheda corrente"), lines,
        preview ? QStringLiteral("Mostra anteprima") : QStringLiteral("Stampa"));
    connect(go, &QPushButton::clicked, this, &CardPrintDialog::output);
}

void CardPrintDialog::open(QWidget *screen, const CardPrint::Dialog &dialog)
{
    CardPrintDialog d(dialog, screen);
    d.exec();
}

void CardPrintDialog::output()
{
    const Report::Template page = CardPrint::fromScreen(m_dialog.kind, m_screen);
    // A cancelled printer choice prints nothing; the dialog closes all the same.
    if (m_dialog.preview)
        Report::preview(page, this);
    else
        Report::print(page, this);
    accept();
}
