#include "output/SheetExport.h"

#include "archive/Archivio.h"
#include "archive/TextCodec.h"
#include "projects/ProjectRecord.h"
#include "schedules/ScheduleRecord.h"
#include "shifts/DailyShiftRecord.h"
#include "workers/WorkerRecord.h"
#include "worklog/WorkRecord.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace SheetExport {

namespace {

Column col(const char *heading, int width, const char *field)
{
    return {QString::fromUtf8(heading), width, {Piece{field, nullptr}}};
}

Column join(const char *heading, int width, QVector<Piece> pieces)
{
    return {QString::fromUtf8(heading), width, std::move(pieces)};
}

QString two(int n)
{
    return QString::number(n).rightJustified(2, QLatin1Char('0'));
}

// Band columns: "Orario N" from start and end, each followed by its second column.
void addBands(QVector<Column> &columns, const char *secondHeading, int secondWidth, const char *secondField)
{
    // The field names must outlive the table: they are kept in static storage.
    static std::vector<QByteArray> names;
    const auto keep = [](const QString &s) {
        names.push_back(s.toLatin1());
        return names.back().constData();
    };
    names.reserve(names.size() + 40);
    for (int b = 1; b <= 10; ++b) {
        columns << Column{QStringLiteral("Orario %1").arg(b), 200,
                          {Piece{nullptr, "Dalle "}, Piece{keep(QStringLiteral("Inizio") + two(b)), nullptr},
                           Piece{nullptr, " alle "}, Piece{keep(QStringLiteral("Fine") + two(b)), nullptr}}};
        columns << Column{QString::fromUtf8(secondHeading) + QLatin1Char(' ') + QString::number(b), secondWidth,
                          {Piece{keep(QLatin1String(secondField) + two(b)), nullptr}}};
    }
}

Sheet makeWorkers()
{
    Sheet s{QStringLiteral("TfrmExpIstruttori"), QStringLiteral(" Esporta archivio lavoratori in Microsoft Excel"),
            QStringLiteral("Anagrafica_Lavoratori.xls"), QStringLiteral("Anagrafica Lavoratori"),
            QStringLiteral("Esportazione archivio lavoratori in Microsoft Excel."), &WorkerRecord::layout(), {}};
    s.columns = {
        join("Cognome e nome", 250, {{"Cognome", nullptr}, {nullptr, " "}, {"Nome", nullptr}}),
        col("Codice fiscale", 200, "CodFisc"), col("Data di nascita", 200, "DataNasc"),
        col("Comune / Stato estero di nascita", 250, "ComuneNasc"), col("Partita IVA", 200, "Iva"),
        col("Indirizzo di residenza", 250, "Indirizzo"), col("Comune di residenza", 250, "ComuneRes"),
        col("Telefono preferenziale", 250, "Recapito"), col("Tel. casa", 200, "TelCasa"),
        col("Tel. cellulare", 200, "TelCel"), col("E-mail", 250, "Email"), col("Categoria", 250, "Categoria"),
        col("Qualifica principale", 250, "Qualifiche"), col("Giorni e orari disponibilità", 300, "Familiari"),
        col("IBAN", 300, "Iban"), col("Intestatario C/C", 250, "Intestatario"),
        col("Modalità di pagamento", 250, "Pagamento"), col("Equipaggiamento assegnato", 300, "Prodotti"),
        col("Tipo documento", 250, "TipoDoc"), col("Numero documento", 250, "NumDoc"),
        col("Ente rilascio", 250, "EnteRil"), col("Data rilascio", 200, "DataRil"),
        col("Data scadenza", 200, "DataSca"), col("Mansione", 250, "Codice"), col("Note", 300, "Note"),
    };
    return s;
}

Sheet makeSchedules()
{
    Sheet s{QStringLiteral("TfrmExpOrari"), QStringLiteral(" Esporta archivio orari di lavoro in Microsoft Excel"),
            QStringLiteral("Orari_Lavoro.xls"), QStringLiteral("Orari Lavoro"),
            QStringLiteral("Esportazione archivio orari di lavoro in Microsoft Excel."), &ScheduleRecord::layout(), {}};
    s.columns = {col("Nome tabella turni", 250, "Nome"), col("Periodo validità", 250, "Periodo"),
                 col("Sede operativa", 250, "Sede"), col("Disposizioni organizzative", 350, "Disposizioni")};
    addBands(s.columns, "Attività da svolgere", 300, "Attivita");
    s.columns << col("Annotazioni", 350, "Annotazioni");
    return s;
}

Sheet makeDailyShifts()
{
    Sheet s{QStringLiteral("TfrmExpTurni"), QStringLiteral(" Esporta archivio turni di lavoro in Microsoft Excel"),
            QStringLiteral("Turni_Lavoro.xls"), QStringLiteral("Turni Lavoro"),
            QStringLiteral("Esportazione archivio turni di lavoro in Microsoft Excel."), &DailyShiftRecord::layout(), {}};
    s.columns = {col("Nome tabella turni", 250, "Nome"), col("Data", 200, "Data"), col("Sede operativa", 250, "Sede"),
                 col("Disposizioni organizzative", 350, "Disposizioni")};
    addBands(s.columns, "Turnista", 250, "Lavoratore");
    s.columns << col("Annotazioni", 350, "Annotazioni");
    return s;
}

Sheet makeProjects()
{
    Sheet s{QStringLiteral("TfrmExpReferti"), QStringLiteral(" Esporta archivio progetti in Microsoft Excel"),
            QStringLiteral("Progetti.xls"), QStringLiteral("Riepilogo Progetti"),
            QStringLiteral("Esportazione archivio progetti in Microsoft Excel."), &ProjectRecord::layout(), {}};
    s.columns = {
        col("Nome progetto", 250, "Nome"), col("Codice identificativo", 250, "Codice"), col("Ambito", 250, "Ambito"),
        col("Descrizione sintetica", 300, "Descrizione"), col("Data inizio", 150, "DataInizio"),
        col("Data scadenza", 150, "DataScade"), col("Costo preventivato", 200, "CostoPrev"),
        col("Stato avanzamento", 250, "Stato"), col("Responsabile", 250, "Responsabile"),
        col("Telefono preferenziale", 200, "Recapito"), col("Obiettivi finali", 350, "Obiettivi"),
        col("Questioni in sospeso", 350, "Questioni"), col("Totale membri", 150, "TotMembri"),
        col("Totale versato", 200, "TotCosti"), col("Progetto terminato", 150, "Terminato"),
    };
    return s;
}

Sheet makeWorkLog()
{
    Sheet s{QStringLiteral("TfrmExpLavori"), QStringLiteral(" Esporta registro lavori in Microsoft Excel"),
            QStringLiteral("Lavori.xls"), QStringLiteral("Registro Lavori"),
            QStringLiteral("Esportazione registro lavori in Microsoft Excel."), &WorkRecord::layout(), {}};
    s.columns = {
        col("Data prestazione", 200, "Data"), col("Sede operativa", 250, "Luogo"),
        join("Cognome e nome lavoratore", 250, {{"Cognome", nullptr}, {nullptr, " "}, {"Nome", nullptr}}),
        col("Codice fiscale", 200, "CodFisc"), col("Telefono preferenziale", 200, "Recapito"),
        col("Mansione", 250, "Mansione"), col("Categoria", 250, "Categoria"), col("Attività svolta", 350, "Attivita"),
        col("Ora inizio", 200, "OraInizio"), col("Ora fine", 200, "OraFine"), col("Totale ore", 200, "TotOre"),
        col("Compenso orario", 200, "CompensoOra"), col("Totale dovuto", 200, "TotDovuto"),
        col("Nome progetto", 250, "NomeProg"), col("Codice identificativo", 250, "CodiceProg"),
        col("Ambito", 250, "AmbitoProg"), col("Postazione di lavoro", 250, "Postazione"),
        col("Materiali e strumenti utilizzati", 350, "Materiali"), col("Note", 350, "Note"),
        col("Lavoro incompleto", 180, "Incompleto"),
    };
    return s;
}

bool blank(char c) { return static_cast<unsigned char>(c) <= 32; }

QByteArrayView trimmedBytes(QByteArrayView v)
{
    while (!v.isEmpty() && blank(v.front()))
        v = v.sliced(1);
    while (!v.isEmpty() && blank(v.back()))
        v.chop(1);
    return v;
}

// A field as the card holds it: for zero-terminated fields the bytes before the first zero.
QByteArrayView fieldBytes(const RecordLayout::Field &f, const char *record)
{
    QByteArrayView v = Record::raw(f, record);
    if (f.kind == FieldKind::ZText) {
        const qsizetype zero = v.indexOf('\0');
        if (zero >= 0)
            v = v.first(zero);
    }
    return v;
}

// Cell texts are shown exactly as the card holds them: markup characters become entities.
void appendEscaped(QByteArray &out, QByteArrayView cell)
{
    for (char c : cell) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += c;
        }
    }
}

}

QByteArrayView Grid::cell(int row, int column) const
{
    const size_t i = size_t(row) * size_t(m_columns) + size_t(column);
    return QByteArrayView(m_bytes).sliced(m_starts[i], m_starts[i + 1] - m_starts[i]);
}

void Grid::appendCell(QByteArrayView bytes)
{
    m_bytes.append(bytes);
    m_starts.push_back(m_bytes.size());
}

const Sheet &workers() { static const Sheet s = makeWorkers(); return s; }
const Sheet &schedules() { static const Sheet s = makeSchedules(); return s; }
const Sheet &dailyShifts() { static const Sheet s = makeDailyShifts(); return s; }
const Sheet &projects() { static const Sheet s = makeProjects(); return s; }
const Sheet &workLog() { static const Sheet s = makeWorkLog(); return s; }

const Sheet *forArchive(const QString &archivePath)
{
    const QString file = QFileInfo(archivePath).fileName();
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (file.compare(WorkerRecord::fileName(), Qt::CaseInsensitive) == 0)
        return &workers();
    if (file.compare(QLatin1String("Orari.pro"), Qt::CaseInsensitive) == 0)
        return &schedules();
    if (suffix == QLatin1String("ore"))
        return &dailyShifts();
    if (suffix == QLatin1String("prg"))
        return &projects();
    if (suffix == QLatin1String("lav"))
        return &workLog();
    return nullptr;
}

Reading read(const Sheet &sheet, const QString &archivePath)
{
    // Each piece resolved to its field once, not per card.
    struct Resolved {
        const RecordLayout::Field *field;
        QByteArrayView literal;
    };
    std::vector<std::vector<Resolved>> plan;
    for (const Column &c : sheet.columns) {
        std::vector<Resolved> pieces;
        for (const Piece &p : c.pieces) {
            if (p.field)
                pieces.push_back({&sheet.layout->field(sheet.layout->indexOf(QLatin1String(p.field))), {}});
            else
                pieces.push_back({nullptr, QByteArrayView(p.literal)});
        }
        plan.push_back(std::move(pieces));
    }

    Reading r{Grid(int(sheet.columns.size())), true, {}};
    TArchivio archive(archivePath, sheet.layout->size());
    QByteArray cell;
    r.readOk = archive.scan([&](qint64, const char *record) {
        for (const auto &pieces : plan) {
            cell.clear();
            for (const Resolved &p : pieces)
                cell.append(p.field ? trimmedBytes(fieldBytes(*p.field, record)) : p.literal);
            r.grid.appendCell(trimmedBytes(cell));
        }
        return true;
    });
    if (!r.readOk)
        r.error = archive.errorText();
    return r;
}

QByteArray document(const Sheet &sheet, const Grid &grid)
{
    QByteArray out;
    out.reserve(4096 + grid.rows() * grid.columns() * 48);
    out += "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
           "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" xmlns=\"http://www.w3.org/TR/REC-html40\">";
    out += "<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">";
    out += "<!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>";
    out += "<x:Name>" + Cp1252::encode(sheet.worksheet) + "</x:Name>";
    out += "<x:WorksheetOptions><x:Selected/><x:Panes><x:Pane><x:Number>1</x:Number>"
           "<x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes>";
    out += "<x:ProtectContents>False</x:ProtectContents><x:ProtectObjects>False</x:ProtectObjects>"
           "<x:ProtectScenarios>False</x:ProtectScenarios>";
    out += "</x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets></x:ExcelWorkbook>";
    out += "</xml><![endif]--></head><body><table x:str>";
    out += "<tr>";
    for (const Column &c : sheet.columns) {
        out += "<td style=\"text-align: left; font-weight: bold;\" width=" + QByteArray::number(c.width) + ">";
        appendEscaped(out, Cp1252::encode(c.heading));
        out += "</td>";
    }
    out += "</tr>";
    // Each data cell is marked as text for the office suites that ignore the table's mark, so
    // that codes with leading zeros and long card numbers keep every digit.
    for (int row = 0; row < grid.rows(); ++row) {
        out += "<tr>";
        for (int c = 0; c < grid.columns(); ++c) {
            out += "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">";
            appendEscaped(out, grid.cell(row, c));
            out += "</td>";
        }
        out += "</tr>";
    }
    out += "</table></body></html>";
    return out;
}

bool writeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    const auto fail = [&] {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return fail();
    if (file.write(bytes) != bytes.size())
        return fail();
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

QString exportQuestion()
{
    return QString::fromUtf8("L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di "
                             "schede presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?");
}

QString doneQuestion()
{
    return QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\n"
                          "Si vuole aprire il file di Excel?");
}

QString failureNotice()
{
    return QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                          "Accertarsi che il file di Excel non sia già aperto.");
}

}
