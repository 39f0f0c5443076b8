#include "output/SheetExport.h"

#include "archive/ArchiveScan.h"
#include "archive/FindEngine.h"
#include "archive/TextCodec.h"
#include "framework/FileReplacement.h"
#include "projects/ProjectRecord.h"
#include "schedules/ScheduleRecord.h"
#include "settings/ArchiveNames.h"
#include "shifts/DailyShiftRecord.h"
#include "workers/WorkerRecord.h"
#include "worklog/WorkRecord.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#endif

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

using Find::trimmedBytes;

// A column's pieces resolved to their fields once, not per card.
struct Resolved {
    const RecordLayout::Field *field;
    QByteArrayView literal;
};
using Plan = std::vector<std::vector<Resolved>>;

Plan planOf(const Sheet &sheet)
{
    Plan plan;
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
    return plan;
}

// The trimmed text of a cell as the card holds it (for zero-terminated fields, the bytes before
// the first zero). A lone field is viewed in place; joined pieces are put together in scratch.
QByteArrayView cellOf(const std::vector<Resolved> &pieces, const char *record, std::string &scratch)
{
    if (pieces.size() == 1 && pieces.front().field)
        return trimmedBytes(Record::raw(*pieces.front().field, record));
    scratch.clear();
    for (const Resolved &p : pieces) {
        const QByteArrayView v = p.field ? trimmedBytes(Record::raw(*p.field, record)) : p.literal;
        scratch.append(v.data(), size_t(v.size()));
    }
    return trimmedBytes(QByteArrayView(scratch.data(), qsizetype(scratch.size())));
}

// Each data cell is marked as text for the office suites that ignore the table's mark, so
// that codes with leading zeros and long card numbers keep every digit.
constexpr QByteArrayView CellOpen = "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">";
constexpr QByteArrayView CellClose = "</td>";
constexpr QByteArrayView Tail = "</table></body></html>";

// Bytes of the file built in a buffer that grows as needed and can be emptied and filled
// again without giving its room back.
class Out
{
public:
    explicit Out(qsizetype capacity) { grow(capacity); }

    void append(QByteArrayView v)
    {
        char *o = room(v.size());
        std::memcpy(o, v.data(), size_t(v.size()));
        m_at = o + v.size();
    }

    // Cell texts are shown exactly as the card holds them: markup characters become entities.
    void appendEscaped(QByteArrayView v) { m_at = escape(room(5 * v.size()), v); }

    void appendDataCell(QByteArrayView text)
    {
        char *o = room(CellOpen.size() + 5 * text.size() + CellClose.size());
        std::memcpy(o, CellOpen.data(), size_t(CellOpen.size()));
        o = escape(o + CellOpen.size(), text);
        std::memcpy(o, CellClose.data(), size_t(CellClose.size()));
        m_at = o + CellClose.size();
    }

    QByteArrayView bytes() const { return QByteArrayView(m_begin, m_at - m_begin); }
    void clear() { m_at = m_begin; }

    QByteArray take()
    {
        m_bytes.truncate(m_at - m_begin);
        return std::move(m_bytes);
    }

private:
    // Whether any of the eight bytes of w is a markup character: a byte equal to c leaves a
    // zero byte in w ^ cccccccc, and (x - 0x0101..) & ~x & 0x8080.. is non-zero just then.
    static bool markupIn(quint64 w)
    {
        constexpr quint64 ones = 0x0101010101010101u, highs = 0x8080808080808080u;
        const auto zeroIn = [](quint64 x) { return (x - ones) & ~x & highs; };
        return zeroIn(w ^ (ones * '&')) | zeroIn(w ^ (ones * '<')) | zeroIn(w ^ (ones * '>'));
    }

    // Most cell texts hold no markup character: eight bytes go at a time while none does.
    static char *escape(char *o, QByteArrayView v)
    {
        const char *p = v.data();
        const char *const end = p + v.size();
        for (quint64 w; end - p >= 8; p += 8, o += 8) {
            std::memcpy(&w, p, 8);
            if (markupIn(w))
                break;
            std::memcpy(o, &w, 8);
        }
        for (; p != end; ++p) {
            switch (*p) {
            case '&': std::memcpy(o, "&amp;", 5); o += 5; break;
            case '<': std::memcpy(o, "&lt;", 4); o += 4; break;
            case '>': std::memcpy(o, "&gt;", 4); o += 4; break;
            default: *o++ = *p;
            }
        }
        return o;
    }

    // Room for n more bytes at the end.
    char *room(qsizetype n)
    {
        if (m_end - m_at < n)
            grow(std::max<qsizetype>((m_end - m_begin) * 2, (m_at - m_begin) + n));
        return m_at;
    }

    void grow(qsizetype capacity)
    {
        const qsizetype used = m_at - m_begin;
        m_bytes.resize(capacity);
        m_begin = m_bytes.data();
        m_at = m_begin + used;
        m_end = m_begin + capacity;
    }

    QByteArray m_bytes;
    char *m_begin = nullptr;
    char *m_at = nullptr;
    char *m_end = nullptr;
};

// Everything before the first data row: the worksheet markup and the heading row.
void appendHead(Out &out, const Sheet &sheet)
{
    out.append("<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
               "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" xmlns=\"http://www.w3.org/TR/REC-html40\">");
    out.append("<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">");
    out.append("<!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>");
    out.append("<x:Name>" + Cp1252::encode(sheet.worksheet) + "</x:Name>");
    out.append("<x:WorksheetOptions><x:Selected/><x:Panes><x:Pane><x:Number>1</x:Number>"
               "<x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes>");
    out.append("<x:ProtectContents>False</x:ProtectContents><x:ProtectObjects>False</x:ProtectObjects>"
               "<x:ProtectScenarios>False</x:ProtectScenarios>");
    out.append("</x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets></x:ExcelWorkbook>");
    out.append("</xml><![endif]--></head><body><table x:str>");
    out.append("<tr>");
    for (const Column &c : sheet.columns) {
        out.append("<td style=\"text-align: left; font-weight: bold;\" width=" + QByteArray::number(c.width) + ">");
        out.appendEscaped(Cp1252::encode(c.heading));
        out.append(CellClose);
    }
    out.append("</tr>");
}

template <class CellAt>
void appendRow(Out &out, int columns, const CellAt &cellAt)
{
    out.append("<tr>");
    for (int c = 0; c < columns; ++c)
        out.appendDataCell(cellAt(c));
    out.append("</tr>");
}

// Cards read and formatted by each range of the export: big enough that the file takes few
// writes, small enough that the ranges in flight stay in the processor caches.
constexpr qint64 ExportRangeBytes = 2 << 20;

using Write = std::function<bool(QByteArrayView)>;

// Writes the file whole or not at all: produce hands its bytes in order to the write it is
// given and may give up by returning false; on any failure the old file is untouched.
bool replaceFile(const QString &path, const std::function<bool(const Write &)> &produce, QString *error)
{
    FileReplacement file(path);
    const auto fail = [&] {
        if (error)
            *error = file.errorString();
        file.discard();
        return false;
    };
    if (!file.open())
        return fail();
    qint64 written = 0;
    bool writeOk = true;
    const Write write = [&](QByteArrayView bytes) {
        if (!writeOk || !file.write(bytes))
            return writeOk = false;
#ifdef Q_OS_LINUX
        // The disk starts on each block at once, so the sync before the rename waits only
        // for the last few instead of the whole file.
        ::sync_file_range(file.handle(), written, bytes.size(), SYNC_FILE_RANGE_WRITE);
#endif
        written += bytes.size();
        return true;
    };
    const bool produced = produce(write);
    if (!writeOk)
        return fail();
    if (!produced) {
        file.discard();
        return false;
    }
    // The sync before the rename, with the blocks already on their way, costs about a
    // millisecond, and no crash can leave half a file under the old name.
    if (!file.commit())
        return fail();
    return true;
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

void Grid::appendCells(const Grid &more)
{
    const qsizetype base = m_bytes.size();
    m_bytes.append(more.m_bytes);
    m_starts.reserve(m_starts.size() + more.m_starts.size() - 1);
    for (size_t i = 1; i < more.m_starts.size(); ++i)
        m_starts.push_back(base + more.m_starts[i]);
}

const Sheet &workers() { static const Sheet s = makeWorkers(); return s; }
const Sheet &schedules() { static const Sheet s = makeSchedules(); return s; }
const Sheet &dailyShifts() { static const Sheet s = makeDailyShifts(); return s; }
const Sheet &projects() { static const Sheet s = makeProjects(); return s; }
const Sheet &workLog() { static const Sheet s = makeWorkLog(); return s; }

const Sheet *forArchive(const QString &archivePath)
{
    // Weekly tables have no worksheet.
    const QString kind = ArchiveNames::kindOf(archivePath);
    if (kind == QLatin1String("lavoratori"))
        return &workers();
    if (kind == QLatin1String("orari"))
        return &schedules();
    if (kind == QLatin1String("turni"))
        return &dailyShifts();
    if (kind == QLatin1String("progetti"))
        return &projects();
    if (kind == QLatin1String("lavori"))
        return &workLog();
    return nullptr;
}

Reading read(const Sheet &sheet, const QString &archivePath)
{
    const Plan plan = planOf(sheet);
    struct Part {
        using WholeRecords [[maybe_unused]] = std::true_type;   // a cell for nearly every field
        Grid grid;
        std::string scratch;
    };
    auto scan = ArchiveScan::parts<Part>(archivePath, sheet.layout->size(),
                                         [&](Part &part, qint64, const char *record) {
                                             for (const auto &pieces : plan)
                                                 part.grid.appendCell(cellOf(pieces, record, part.scratch));
                                             return true;
                                         });
    Reading r{Grid(int(sheet.columns.size())), scan.ok, scan.error};
    for (const Part &part : scan.parts)
        r.grid.appendCells(part.grid);
    return r;
}

namespace {

// "-1234,56" as the point number a number cell carries ("-1234.56"); empty when the text is
// not an optional minus, digits and at most one comma followed by digits.
QByteArray plainNumber(QByteArrayView text)
{
    qsizetype i = !text.isEmpty() && text[0] == '-' ? 1 : 0;
    const qsizetype digitsFrom = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    if (i == digitsFrom || i - digitsFrom > 15)
        return QByteArray();
    if (i < text.size() && text[i] == ',') {
        const qsizetype fraction = ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        if (i == fraction)
            return QByteArray();
    }
    if (i != text.size())
        return QByteArray();
    QByteArray value = text.toByteArray();
    value.replace(',', '.');
    return value;
}

// A figure both office suites read as a number: x:num for one, sdval and sdnum for the other.
// sdval is read in the first language of sdnum (1033: a point before the decimals), the format
// in the second (1040: the Italian comma); the text shown stays the cell's text.
void appendNumberCell(Out &out, QByteArrayView text, const QByteArray &value, int decimals)
{
    QByteArray format = "0";
    if (decimals > 0)
        format += ',' + QByteArray(decimals, '0');
    out.append("<td style=\"text-align: right;\" x:num=\"" + value + "\" sdval=\"" + value
               + "\" sdnum=\"1033;1040;" + format + "\">");
    out.append(text);
    out.append(CellClose);
}

}

QByteArray document(const Sheet &sheet, const Grid &grid)
{
    Out out(4096 + qsizetype(grid.rows()) * (9 + grid.columns() * (CellOpen.size() + CellClose.size() + 16)));
    appendHead(out, sheet);
    const bool figures = std::any_of(sheet.columns.begin(), sheet.columns.end(),
                                     [](const Column &c) { return c.decimals >= 0; });
    for (int row = 0; row < grid.rows(); ++row) {
        if (!figures) {
            appendRow(out, grid.columns(), [&](int c) { return grid.cell(row, c); });
            continue;
        }
        out.append("<tr>");
        for (int c = 0; c < grid.columns(); ++c) {
            const int decimals = c < int(sheet.columns.size()) ? sheet.columns.at(c).decimals : -1;
            const QByteArray value = decimals >= 0 ? plainNumber(grid.cell(row, c)) : QByteArray();
            if (value.isEmpty())
                out.appendDataCell(grid.cell(row, c));
            else
                appendNumberCell(out, grid.cell(row, c), value, decimals);
        }
        out.append("</tr>");
    }
    out.append(Tail);
    return out.take();
}

bool writeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    return replaceFile(path, [&](const Write &write) { return write(bytes); }, error);
}

Export exportArchive(const Sheet &sheet, const QString &archivePath, const QString &filePath)
{
    Export e;
    const Plan plan = planOf(sheet);
    const int columns = int(plan.size());
    // Each range's rows are formatted on a thread of their own, while this thread writes the
    // ranges before it: the file grows in card order, and only a few ranges sit in memory.
    struct Part {
        using WholeRecords [[maybe_unused]] = std::true_type;   // a cell for nearly every field
        explicit Part(const ArchiveScan::Range &) : out(ExportRangeBytes) {}
        Out out;
        qint64 rows = 0;
        std::string scratch;
    };
    e.written = replaceFile(filePath, [&](const Write &write) {
        Out head(16 << 10);
        appendHead(head, sheet);
        if (!write(head.bytes()))
            return false;
        const ArchiveScan::Outcome read = ArchiveScan::stream<Part>(
            archivePath, sheet.layout->size(), ExportRangeBytes,
            [&](Part &part, qint64, const char *record) {
                appendRow(part.out, columns, [&](int c) { return cellOf(plan[size_t(c)], record, part.scratch); });
                ++part.rows;
                return true;
            },
            [&](Part &part) {
                e.rows += part.rows;
                part.rows = 0;
                const bool written = write(part.out.bytes());
                part.out.clear();
                return written;   // the file refused: stop reading
            });
        if (!read.ok) {
            e.readOk = false;
            e.error = read.error;
            return false;
        }
        return read.taken && write(Tail);
    }, &e.error);
    return e;
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
