#include "cli/Cli.h"

#include "archive/ArchiveScan.h"
#include "archive/CardDamage.h"
#include "checks/CardCheck.h"
#include "checks/CodFiscCheck.h"
#include "checks/IbanCheck.h"
#include "checks/PartitaIvaCheck.h"
#include "shell/ArchiveKinds.h"

#include "compensation/MonthlyStats.h"
#include "compensation/PaySummary.h"
#include "compensation/ProjectReport.h"
#include "framework/Clock.h"
#include "framework/Routines.h"
#include "output/SheetExport.h"
#include "projects/ProjectFind.h"
#include "projects/ProjectRecord.h"
#include "projects/ProjectRtf.h"
#include "schedules/ScheduleFind.h"
#include "schedules/ScheduleRecord.h"
#include "settings/Backup.h"
#include "settings/FolderLock.h"
#include "settings/ProgramFolder.h"
#include "settings/ProgramVersion.h"
#include "shell/SearchEverywhere.h"
#include "shifts/DailyShiftRecord.h"
#include "shifts/ShiftFind.h"
#include "shifts/WeeklyShiftRecord.h"
#include "workers/WorkerFind.h"
#include "workers/WorkerRecord.h"
#include "worklog/WorkFind.h"
#include "worklog/WorkRecord.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStringEncoder>

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

#include <sys/mman.h>

namespace Cli {

const QVector<Command> &commands()
{
    static const QVector<Command> list = {
        {"verifica", "verifica ARCHIVIO\n"
                     "  Controlla un archivio: numero di schede, byte di una scheda finale incompleta e\n"
                     "  campi la cui lunghezza supera la larghezza. Esce con 0 se l'archivio è integro, 1 altrimenti.",
         &verifica},
        {"controlla", "controlla cf|iva|iban|carta VALORE\n"
                      "  Controlla un codice fiscale, una partita IVA, un IBAN o un numero di carta di credito e\n"
                      "  stampa la risposta del programma. Esce con 0 se il valore è valido, 1 altrimenti.",
         &controlla},
        {"trova", "trova ARCHIVIO [--Campo=testo]...\n"
                  "  Cerca nell'archivio come la sua schermata di ricerca e stampa le righe trovate,\n"
                  "  nell'ordine dell'elenco, una per riga. Ogni filtro prende il nome del campo che\n"
                  "  confronta e vale come digitato, spazi compresi; senza filtri elenca tutte le schede.\n"
                  "  Dipendenti.pro: --Cognome, --Nome, --Codice (mansione), --Categoria, --CodFisc,\n"
                  "  --Iva, --Familiari (disponibilità), --Prodotti (equipaggiamento), --Acquisto (tipo\n"
                  "  contratto), --Note.\n"
                  "  Orari.pro: --Nome, --Periodo, --Sede, --Disposizioni, --Attivita01..--Attivita05,\n"
                  "  --Annotazioni.\n"
                  "  ANNO.ore: --Nome, --Data, --Sede, --Disposizioni, --Lavoratore01..--Lavoratore05,\n"
                  "  --Annotazioni.\n"
                  "  ANNO.set: --Nome, --Sede, --DataInizio, --DataFine, --Disposizioni, --Annotazioni.\n"
                  "  ANNO.prg: --Nome, --Codice, --Ambito, --Descrizione, --DataInizio, --DataScade, --Stato,\n"
                  "  --Responsabile, --Obiettivi, --Questioni.\n"
                  "  ANNO.lav: --Data, --Luogo, --Attivita, --Postazione, --Cognome, --Nome, --CodFisc,\n"
                  "  --Mansione, --CodiceProg, --Note.",
         &trova},
        {"scadenze", "scadenze Dipendenti.pro [--oggi=gg/mm/aaaa]\n"
                     "  Stampa il riepilogo dei contratti in scadenza o scaduti alla data indicata (oggi se\n"
                     "  omessa). Le schede con scadenza o preavviso non validi sono contate su stderr.",
         &scadenze},
        {"riepilogo", "riepilogo ANNO.lav --dal=gg/mm/aaaa --al=gg/mm/aaaa [--cf=CODICE]\n"
                      "  Stampa il riepilogo compensi dell'intervallo, per tutti i lavoratori o per quelli il\n"
                      "  cui codice fiscale contiene CODICE, seguito dalle righe di chiusura della stampa\n"
                      "  (intervallo e totale). Le schede con data o totale non validi sono contate su stderr.",
         &riepilogo},
        {"statistiche", "statistiche ANNO.lav [--anno=AAAA]\n"
                        "  Stampa i compensi di ciascun mese dell'anno (dal nome del file se omesso), arrotondati\n"
                        "  all'euro: dodici righe, nome del mese, tabulazione, importo. Le schede con totale non\n"
                        "  valido sono contate su stderr.",
         &statistiche},
        {"scaduti", "scaduti ANNO.prg [--oggi=gg/mm/aaaa]\n"
                    "  Stampa il riepilogo dei progetti non ultimati la cui data di scadenza è anteriore alla\n"
                    "  data indicata (oggi se omessa). Le schede con scadenza non valida sono contate su stderr.",
         &scaduti},
        {"incompleti", "incompleti ANNO.lav\n"
                       "  Stampa il riepilogo dei lavori segnati come incompleti.",
         &incompleti},
        {"cerca", "cerca TESTO [--cartella=DIR]\n"
                  "  Cerca il testo nei campi che le schermate mostrano, in ogni scheda di tutti gli archivi\n"
                  "  della cartella dei dati (quella del programma, o DIR), come le schermate di ricerca:\n"
                  "  così come è scritto, senza distinguere maiuscole e minuscole; lo spazio riservato delle\n"
                  "  schede dei turni settimanali, che nessuna schermata mostra, non è considerato. Stampa una\n"
                  "  riga per scheda trovata: il nome del file, il numero della scheda, il campo in cui\n"
                  "  compare per primo e la riga della scheda come la mostra la sua ricerca, separati da una\n"
                  "  tabulazione; in ordine di file e di numero. Il testo ha almeno due caratteri; le schede\n"
                  "  danneggiate sono contate su stderr.",
         &cerca},
        {"rendiconto", "rendiconto ANNO.lav --codice=CODICE [--dal=gg/mm/aaaa --al=gg/mm/aaaa]\n"
                       "  Stampa il rendiconto del progetto CODICE dal registro dei lavori: dopo l'intestazione,\n"
                       "  una riga per lavoratore (LAVORATORE, codice fiscale, cognome e nome, lavori, ore,\n"
                       "  dovuto), una per mese (MESE, mm/aaaa, lavori, ore, dovuto) e per ultima TOTALE, ore,\n"
                       "  dovuto; campi separati da una tabulazione, importi con la virgola e due decimali.\n"
                       "  Il codice si confronta senza spazi ai lati e senza distinguere maiuscole e minuscole.\n"
                       "  Le schede del progetto danneggiate o con data, ore o dovuto non validi non sono\n"
                       "  considerate e sono contate su stderr, ciascuna con il suo registro.",
         &rendiconto},
        {"rtf", "rtf ANNO.prg N FILE\n"
                "  Scrive la scheda del progetto numero N (la prima è 1) nel documento RTF FILE, come il\n"
                "  comando Stampa dell'archivio progetti.",
         &rtf},
        {"stampa", "stampa ARCHIVIO N FILE.pdf\n"
                   "  Scrive la scheda numero N (la prima è 1) di Dipendenti.pro, Orari.pro, ANNO.ore, ANNO.set o\n"
                   "  ANNO.lav nel file PDF, come la stampa la sua schermata.",
         &stampa},
        {"esporta", "esporta ARCHIVIO [--file=FILE]\n"
                    "  Scrive l'archivio nel file per Excel che scrive la sua schermata di esportazione: senza\n"
                    "  --file, il nome fisso del programma nella cartella dell'archivio (Dipendenti.pro,\n"
                    "  Orari.pro, ANNO.ore, ANNO.prg, ANNO.lav). Il file precedente è sostituito solo a\n"
                    "  scrittura completata.",
         &esporta},
        {"ripristina", "ripristina [COPIA] [--cartella=DIR] [--forza]\n"
                       "  Senza COPIA elenca le copie di sicurezza degli archivi, dalla più recente, numerate.\n"
                       "  Con COPIA (il nome o il numero in elenco) copia prima gli archivi attuali in una nuova\n"
                       "  copia \"..._prima-del-ripristino\", poi rimette al loro posto quelli della copia scelta;\n"
                       "  gli archivi che la copia non contiene restano come sono. La cartella dei dati è quella\n"
                       "  del programma, o DIR. Il ripristino è rifiutato finché il programma è aperto sulla\n"
                       "  cartella da un computer qualsiasi: chiuderlo ovunque e riprovare. --forza ripristina\n"
                       "  comunque: le schede salvate nel frattempo dal programma aperto andrebbero perse.",
         &ripristina},
    };
    return list;
}

Args parse(const QStringList &args)
{
    Args a;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &s = args.at(i);
        if (s == QLatin1String("--help") || s == QLatin1String("-h")) {
            a.help = true;
        } else if (s.startsWith(QLatin1String("--"))) {
            // Every option takes a value: "--name=VALUE", or "--name VALUE" as the next word
            // (a value that itself starts with "--" needs the "=").
            const qsizetype eq = s.indexOf(QLatin1Char('='));
            if (eq >= 0)
                a.options.append({s.mid(2, eq - 2), s.mid(eq + 1), true});
            else if (i + 1 < args.size() && !args.at(i + 1).startsWith(QLatin1String("--")))
                a.options.append({s.mid(2), args.at(++i), true});
            else
                a.options.append({s.mid(2), QString(), false});
        } else {
            a.positional << s;
        }
    }
    return a;
}

// Commands without options name the first one given, as the others do.
bool noOptions(Io &io, const Command &self, const Args &args, int &code)
{
    if (args.options.isEmpty())
        return true;
    code = usageError(io, self, QStringLiteral("opzione sconosciuta: --%1").arg(args.options.first().name));
    return false;
}

QString Args::value(const QString &name) const
{
    for (const Option &o : options)
        if (o.name == name)
            return o.value;
    return QString();
}

bool Args::has(const QString &name) const
{
    for (const Option &o : options)
        if (o.name == name)
            return true;
    return false;
}

int usageError(Io &io, const Command &command, const QString &message)
{
    io.err << "veltaro-cli " << command.name << ": " << message << "\n"
           << "Uso: veltaro-cli " << QString::fromUtf8(command.usage) << "\n";
    return ExitUsage;
}

namespace {
const char ExitStatuses[] = "Stato d'uscita:\n"
                            "  0  riuscito\n"
                            "  1  risposta negativa di un controllo (verifica, controlla)\n"
                            "  2  errore d'uso: comando, opzione o argomento non validi\n"
                            "  3  un archivio, una cartella o un file che non si possono leggere o scrivere\n";

// The commands whose lines are fields separated by tabs, and how a field keeps to its column.
const char *const TabbedCommands[] = {"cerca", "rendiconto"};
const char TabbedFields[] = "Campi separati da tabulazioni (cerca, rendiconto): una tabulazione, un a capo o un altro\n"
                            "carattere di controllo dentro un campo è scritto come uno spazio, così ogni riga ha\n"
                            "sempre lo stesso numero di campi.\n";

bool writesTabbedFields(const Command &c)
{
    return std::any_of(std::begin(TabbedCommands), std::end(TabbedCommands),
                       [&](const char *name) { return qstrcmp(c.name, name) == 0; });
}

// The archives a command may be given: the data folder's, and those of the folder being typed.
QStringList archiveNames(const QString &typed, const QString &dataFolder)
{
    static const QStringList patterns = {QStringLiteral("*.pro"), QStringLiteral("*.ore"), QStringLiteral("*.set"),
                                         QStringLiteral("*.prg"), QStringLiteral("*.lav")};
    QStringList names;
    const qsizetype slash = typed.lastIndexOf(QLatin1Char('/'));
    const QString typedFolder = slash >= 0 ? typed.left(slash + 1) : QString();
    const QDir here(typedFolder.isEmpty() ? QStringLiteral(".") : typedFolder);
    for (const QString &f : here.entryList(patterns, QDir::Files, QDir::Name))
        names << typedFolder + f;
    // A folder being typed is the one looked into; otherwise the data folder's archives are
    // offered too, by their whole path.
    if (!typedFolder.isEmpty())
        return names;
    const QDir data(dataFolder);
    if (!dataFolder.isEmpty() && data.exists())
        for (const QString &f : data.entryList(patterns, QDir::Files, QDir::Name))
            names << data.filePath(f);
    return names;
}
}

QStringList completions(const QStringList &words)
{
    const QString current = words.isEmpty() ? QString() : words.last();
    QStringList candidates;
    const Command *command = nullptr;
    for (const Command &c : commands())
        if (words.size() > 1 && words.first() == QLatin1String(c.name))
            command = &c;
    if (words.size() <= 1) {
        for (const Command &c : commands())
            candidates << QString::fromLatin1(c.name);
        candidates << QStringLiteral("--help") << QStringLiteral("--version");
    } else if (command && current.startsWith(QLatin1Char('-'))) {
        // The options its help names, so that the two never disagree.
        static const QRegularExpression option(QStringLiteral("--[A-Za-z][A-Za-z0-9-]*"));
        for (const QRegularExpressionMatch &m : option.globalMatch(QString::fromUtf8(command->usage)))
            candidates << m.captured();
        candidates << QStringLiteral("--help");
    } else if (command) {
        const Args args = parse(words.mid(1, words.size() - 2));
        const QString first = QString::fromUtf8(command->usage).section(QLatin1Char('\n'), 0, 0).section(QLatin1Char(' '), 1, 1);
        if (args.positional.isEmpty() && first.contains(QLatin1Char('|'))) {
            candidates = first.split(QLatin1Char('|'));
        } else if (args.positional.isEmpty() && first != QLatin1String("[COPIA]")) {
            if (args.has(QStringLiteral("cartella")))
                ProgramFolder::set(args.value(QStringLiteral("cartella")));
            candidates = archiveNames(current, ProgramFolder::path());
        }
    }
    candidates.removeDuplicates();
    QStringList matching;
    for (const QString &c : std::as_const(candidates))
        if (c.startsWith(current))
            matching << c;
    return matching;
}

int main(const QStringList &args, Io &io)
{
    const auto overview = [&](QTextStream &s) {
        s << "Uso: veltaro-cli COMANDO [ARGOMENTI]\n"
             "Interroga gli archivi di Veltaro senza aprire le finestre, con le stesse regole del programma.\n"
             "\nComandi:\n";
        for (const Command &c : commands())
            s << "  " << QString::fromUtf8(c.usage).section(QLatin1Char('\n'), 0, 0) << "\n";
        s << "\nOpzioni:\n"
             "  -h, --help     mostra questo aiuto (dopo un comando: l'aiuto del comando)\n"
             "      --version  mostra il nome e la versione del programma\n"
             "\nLe opzioni si scrivono --nome=valore oppure --nome valore.\n"
             "veltaro-cli COMANDO --help descrive un comando.\n\n"
          << TabbedFields << "\n" << ExitStatuses;
    };
    if (args.isEmpty()) {
        overview(io.err);
        return ExitUsage;
    }
    if (args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        overview(io.out);
        return ExitOk;
    }
    if (args.first() == QLatin1String("--version")) {
        io.out << ProgramVersion::text(QStringLiteral("veltaro-cli"));
        return ExitOk;
    }
    if (args.first() == QLatin1String("--completa")) {
        for (const QString &c : completions(args.mid(1)))
            io.out << c << "\n";
        return ExitOk;
    }
    for (const Command &c : commands()) {
        if (args.first() != QLatin1String(c.name))
            continue;
        const QStringList rest = args.mid(1);
        if (parse(rest).help) {
            io.out << "Uso: veltaro-cli " << QString::fromUtf8(c.usage) << "\n\n";
            if (writesTabbedFields(c))
                io.out << TabbedFields << "\n";
            io.out << ExitStatuses;
            return ExitOk;
        }
        return c.run(rest, io);
    }
    io.err << "veltaro-cli: comando sconosciuto: " << args.first() << "\n";
    overview(io.err);
    return ExitUsage;
}

int controlla(const QStringList &rawArgs, Io &io)
{
    const Command &self = commands().at(1);
    const Args args = parse(rawArgs);
    if (int code = 0; !noOptions(io, self, args, code))
        return code;
    if (args.positional.size() != 2)
        return usageError(io, self, QStringLiteral("indicare il tipo di controllo e il valore"));
    const QString what = args.positional.at(0);
    // The screens check what their boxes hold: the same limits and rewriting apply here.
    const QString value = args.positional.at(1);
    Message m;
    bool valid = false;
    if (what == QLatin1String("cf")) {
        const auto o = CodFiscCheck::check(Routines::upperAZ(Routines::trimmed(value)));
        m = CodFiscCheck::message(o);
        valid = o == CodFiscCheck::Outcome::Valid;
    } else if (what == QLatin1String("iva")) {
        const auto r = PartitaIvaCheck::check(value);
        m = PartitaIvaCheck::message(r);
        valid = r.outcome == PartitaIvaCheck::Outcome::Valid;
    } else if (what == QLatin1String("iban")) {
        const auto o = IbanCheck::check(Routines::upperAZ(Routines::trimmed(value)));
        m = IbanCheck::message(o);
        valid = o == IbanCheck::Outcome::Valid;
    } else if (what == QLatin1String("carta")) {
        const auto r = CardCheck::check(value);
        m = CardCheck::message(r);
        valid = r.outcome == CardCheck::Outcome::Valid;
    } else {
        return usageError(io, self, QStringLiteral("controllo sconosciuto: %1").arg(what));
    }
    QString text = m.text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    io.out << text << "\n";
    return valid ? 0 : 1;
}

int verifica(const QStringList &rawArgs, Io &io)
{
    const Command &self = commands().at(0);
    const Args args = parse(rawArgs);
    if (int code = 0; !noOptions(io, self, args, code))
        return code;
    if (args.positional.size() != 1)
        return usageError(io, self, QStringLiteral("indicare un solo archivio"));
    const QString path = args.positional.first();
    const ArchiveKind kind = ArchiveKinds::forFile(path);
    if (!kind.layout)
        return usageError(io, self, QStringLiteral("tipo di archivio non riconosciuto: %1").arg(path));
    if (!QFileInfo(path).isFile()) {
        io.err << "veltaro-cli verifica: archivio non trovato: " << path << "\n";
        return ExitFile;
    }
    const RecordLayout &layout = *kind.layout;
    struct Part {
        QString report;
        qint64 damaged = 0;
    };
    auto scan = ArchiveScan::parts<Part>(path, layout.size(), [&](Part &part, qint64 n, const char *record) {
        CardDamage::forEachOverlongField(layout, record, [&](const RecordLayout::Field &f, int length) {
            part.report += QStringLiteral("scheda %1: campo %2 lunghezza %3 oltre la larghezza %4\n")
                               .arg(n)
                               .arg(f.name)
                               .arg(length)
                               .arg(f.width);
            ++part.damaged;
        });
        return true;
    });
    qint64 damaged = 0;
    for (const Part &part : scan.parts) {
        io.out << part.report;
        damaged += part.damaged;
    }
    if (!scan.ok) {
        io.err << "veltaro-cli verifica: " << scan.error << "\n";
        return ExitFile;
    }
    const qint64 size = QFileInfo(path).size();
    const qint64 tail = size % layout.size();
    io.out << "archivio: " << path << " (" << kind.name << ")\n"
           << "schede: " << size / layout.size() << "\n"
           << "byte di scheda incompleta in coda: " << tail << "\n"
           << "campi danneggiati: " << damaged << "\n";
    return (tail == 0 && damaged == 0) ? 0 : 1;
}

namespace {

const Command &command(const char *name)
{
    for (const Command &c : commands())
        if (qstrcmp(c.name, name) == 0)
            return c;
    Q_UNREACHABLE();
}

// The screens break message lines with LF CR pairs; a terminal wants one LF.
QString terminalText(QString text)
{
    text.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// Result lines go out as UTF-8 through one large buffer and reach a device in big writes:
// a whole-year summary runs to megabytes, and converting and writing line by line costs
// more than building the summary. A stream over a string (the tests) gets the same text.
// Megabytes filled page by page cost a fault per page; huge pages make that a few faults.
// Only a hint.
void preferHugePages(QByteArray &room)
{
#ifdef MADV_HUGEPAGE
    constexpr quintptr Huge = 2 << 20;
    const quintptr from = (quintptr(room.data()) + Huge - 1) & ~(Huge - 1);
    const quintptr to = (quintptr(room.data()) + quintptr(room.size())) & ~(Huge - 1);
    if (to > from)
        ::madvise(reinterpret_cast<void *>(from), size_t(to - from), MADV_HUGEPAGE);
#else
    Q_UNUSED(room);
#endif
}

class LineWriter
{
public:
    explicit LineWriter(QTextStream &out)
        : m_out(out)
    {
        m_buffer.reserve(Chunk + 4096);
    }
    ~LineWriter() { flush(); }
    LineWriter(const LineWriter &) = delete;
    LineWriter &operator=(const LineWriter &) = delete;

    // One result per output line: a line break stored inside a card's text becomes a
    // blank, or a single card would read as two results.
    void line(QStringView text)
    {
        const qsizetype at = m_buffer.size();
        m_buffer.resize(at + m_encoder.requiredSpace(text.size()) + 1);
        char *const begin = m_buffer.data() + at;
        end(begin, m_encoder.appendToBuffer(begin, text));
    }

    // One line of fields separated by tabs. A tab, a line break or another control character
    // inside a field is written as a blank, so that every line keeps its count of fields.
    void row(std::initializer_list<QStringView> fields)
    {
        QString text;
        bool first = true;
        for (QStringView field : fields) {
            if (!std::exchange(first, false))
                text += QLatin1Char('\t');
            const qsizetype at = text.size();
            text += field;
            for (qsizetype i = at; i < text.size(); ++i)
                if (separates(text.at(i)))
                    text[i] = QLatin1Char(' ');
        }
        line(text);
    }

    // Every line of a result list, straight from its code-page bytes. A long list is turned
    // into UTF-8 in as many slices as whole-archive work uses threads, each on its own, and
    // the slices written in order.
    void lines(const ListOrder::Lines &lines)
    {
        const qsizetype pieces = lines.size() < 4096 && !ArchiveScan::threadsForced()
                                     ? 1
                                     : std::min<qsizetype>(ArchiveScan::threads(), lines.size());
        if (pieces <= 1) {
            for (qsizetype i = 0; i < lines.size(); ++i) {
                const qsizetype at = m_buffer.size();
                m_buffer.resize(at + lines.utf8Room(i) + 1);
                char *const begin = m_buffer.data() + at;
                end(begin, lines.utf8(i, begin));
            }
            return;
        }
        // In batches, so that a list of any length needs only a few megabytes more.
        std::vector<QByteArray> slices(static_cast<size_t>(pieces));
        const qsizetype batch = 4096 * pieces;
        for (qsizetype first = 0; first < lines.size(); first += batch) {
            const qsizetype count = std::min(batch, lines.size() - first);
            ArchiveScan::onThreads(int(pieces), [&](int piece) {
                const qsizetype from = first + count * piece / pieces, to = first + count * (piece + 1) / pieces;
                qsizetype room = 0;
                for (qsizetype i = from; i < to; ++i)
                    room += lines.utf8Room(i) + 1;
                QByteArray &slice = slices[size_t(piece)];
                slice.resize(room);
                preferHugePages(slice);
                char *out = slice.data();
                for (qsizetype i = from; i < to; ++i) {
                    char *const begin = out;
                    out = lines.utf8(i, begin);
                    flattenBreaks(begin, out);
                    *out++ = '\n';
                }
                slice.resize(out - slice.data());
            });
            for (const QByteArray &slice : slices)
                write(slice);
        }
    }

    void flush()
    {
        if (m_buffer.isEmpty())
            return;
        put(m_buffer);
        m_buffer.resize(0);   // keeps the room: clear() would give it back
    }

private:
    // UTF-8 after what the buffer holds.
    void write(const QByteArray &bytes)
    {
        flush();
        put(bytes);
    }

    void put(const QByteArray &bytes)
    {
        if (QIODevice *device = m_out.device()) {
            m_out.flush();   // whatever was streamed before goes first
            if (m_out.status() == QTextStream::Ok && device->write(bytes) != bytes.size())
                m_out.setStatus(QTextStream::WriteFailed);
        } else {
            m_out << QString::fromUtf8(bytes);
        }
    }

    // What a reader of tab-separated lines may take for the end of a field or of a line.
    static bool separates(QChar c)
    {
        const char16_t u = c.unicode();
        return u < 0x20 || u == 0x7F || u == 0x85 || u == 0x2028 || u == 0x2029;
    }

    // Ends the line written from begin to end, which lies inside the buffer.
    void end(char *begin, char *end)
    {
        flattenBreaks(begin, end);
        *end++ = '\n';
        m_buffer.resize(end - m_buffer.data());
        if (m_buffer.size() >= Chunk)
            flush();
    }

    // UTF-8 holds the bytes 0x0A..0x0D only as those characters. Control bytes are rare, so
    // eight bytes at a time are first asked whether any of them is below 0x0E.
    static void flattenBreaks(char *p, char *end)
    {
        constexpr quint64 ones = 0x0101010101010101ULL, high = 0x8080808080808080ULL;
        for (; end - p >= 8; p += 8) {
            quint64 x;
            std::memcpy(&x, p, 8);
            if (((x - 0x0E * ones) & ~x & high) == 0)
                continue;
            for (int i = 0; i < 8; ++i)
                if (static_cast<unsigned char>(p[i] - 0x0A) < 4u)
                    p[i] = ' ';
        }
        for (; p != end; ++p)
            if (static_cast<unsigned char>(*p - 0x0A) < 4u)
                *p = ' ';
    }

    static constexpr qsizetype Chunk = 256 << 10;
    QTextStream &m_out;
    QStringEncoder m_encoder{QStringConverter::Utf8};
    QByteArray m_buffer;
};

// Options must be among `allowed`, each given once and with "=".
bool checkOptions(Io &io, const Command &self, const Args &args, const QStringList &allowed, int &code)
{
    QStringList seen;
    for (const Option &o : args.options) {
        QString problem;
        if (!allowed.contains(o.name))
            problem = QStringLiteral("opzione sconosciuta: --%1").arg(o.name);
        else if (!o.hasValue)
            problem = QStringLiteral("indicare il valore: --%1=...").arg(o.name);
        else if (seen.contains(o.name))
            problem = QStringLiteral("opzione ripetuta: --%1").arg(o.name);
        if (!problem.isEmpty()) {
            code = usageError(io, self, problem);
            return false;
        }
        seen << o.name;
    }
    return true;
}

// The commands only read: a missing archive is an error here, never an empty file left
// behind as the screens would make it.
bool archiveExists(Io &io, const Command &self, const QString &path)
{
    if (QFileInfo(path).isFile())
        return true;
    io.err << "veltaro-cli " << self.name << ": archivio non trovato: " << path << "\n";
    return false;
}

int readError(Io &io, const Command &self, const QString &error)
{
    io.err << "veltaro-cli " << self.name << ": lettura dell'archivio non riuscita: " << error << "\n";
    return ExitFile;
}

// The date rule of the program's date boxes, against today.
std::optional<QDate> dateOption(Io &io, const Command &self, const Args &args, const QString &name, int &code)
{
    const QString text = args.value(name);
    const auto date = Routines::parseDate(text, Clock::today());
    if (!date)
        code = usageError(io, self, QStringLiteral("data non valida in --%1: \"%2\" (indicare gg/mm/aaaa)").arg(name, text));
    return date;
}

// The one archive a command reads, which must be of the given kind, with no options but
// the allowed ones; otherwise the usage error, with code set.
std::optional<QString> archiveArgument(Io &io, const Command &self, const Args &args, const char *kind,
                                       const QString &named, const QStringList &allowed, int &code)
{
    if (args.positional.size() != 1) {
        code = usageError(io, self, QStringLiteral("indicare un solo ") + named);
        return std::nullopt;
    }
    const QString path = args.positional.first();
    if (ArchiveKinds::forFile(path).name != QLatin1String(kind)) {
        code = usageError(io, self, QStringLiteral("non è un %1: %2").arg(named, path));
        return std::nullopt;
    }
    if (!checkOptions(io, self, args, allowed, code))
        return std::nullopt;
    return path;
}

// What a find needs of an archive kind.
using Searchable = SearchEverywhere::Kind;

const Searchable *searchable(const QString &kind)
{
    return SearchEverywhere::kind(kind);
}

}

int trova(const QStringList &rawArgs, Io &io)
{
    const Command &self = command("trova");
    const Args args = parse(rawArgs);
    if (args.positional.size() != 1)
        return usageError(io, self, QStringLiteral("indicare un solo archivio"));
    const QString path = args.positional.first();
    const QString kind = ArchiveKinds::forFile(path).name;
    if (kind.isEmpty())
        return usageError(io, self, QStringLiteral("tipo di archivio non riconosciuto: %1").arg(path));
    const Searchable *find = searchable(kind);
    if (!find) {
        io.err << "veltaro-cli trova: la ricerca nell'archivio " << kind << " (" << QFileInfo(path).fileName()
               << ") non è ancora disponibile\n";
        return ExitUsage;
    }

    const RecordLayout &layout = find->layout();
    QVector<Find::Filter> filters;
    QStringList names, used;
    for (const Find::FilterBox &box : find->filters())
        names << QStringLiteral("--") + box.field;
    for (const Option &o : args.options) {
        const auto box = std::find_if(find->filters().cbegin(), find->filters().cend(), [&](const Find::FilterBox &b) {
            return b.field.compare(o.name, Qt::CaseInsensitive) == 0;
        });
        if (box == find->filters().cend())
            return usageError(io, self, QStringLiteral("campo sconosciuto: --%1 (campi: %2)").arg(o.name, names.join(QStringLiteral(", "))));
        if (!o.hasValue)
            return usageError(io, self, QStringLiteral("indicare il testo da cercare: --%1=testo").arg(box->field));
        if (used.contains(box->field))
            return usageError(io, self, QStringLiteral("campo ripetuto: --%1").arg(box->field));
        used << box->field;
        // As typed: the match rule itself says what blanks count for.
        filters.append({layout.indexOf(box->field), o.value});
    }
    if (!archiveExists(io, self, path))
        return ExitFile;

    const Find::Listing found = Find::search(path, layout, filters, find->line());
    if (!found.ok)
        return readError(io, self, found.error);
    LineWriter out(io.out);
    out.lines(found.lines);
    return 0;
}

// The summaries of what is due at a date (contracts, projects): one archive of a kind, an
// optional --oggi, the lines, and the cards left out counted on stderr.
template <class Due>
int dueAtDate(const QStringList &rawArgs, Io &io, const char *name, const char *kind, const QString &named,
              Due (*summary)(const QString &, const QDate &), QString (*unreadableNotice)(int))
{
    const Command &self = command(name);
    const Args args = parse(rawArgs);
    int code = 0;
    const auto archive = archiveArgument(io, self, args, kind, named, {QStringLiteral("oggi")}, code);
    if (!archive)
        return code;
    const QString path = *archive;
    QDate today = Clock::today();
    if (args.has(QStringLiteral("oggi"))) {
        const auto date = dateOption(io, self, args, QStringLiteral("oggi"), code);
        if (!date)
            return code;
        today = *date;
    }
    if (!archiveExists(io, self, path))
        return ExitFile;

    const Due due = summary(path, today);
    if (!due.listing.ok)
        return readError(io, self, due.listing.error);
    LineWriter out(io.out);
    out.lines(due.listing.lines);
    out.flush();
    if (due.unreadable > 0)
        io.err << terminalText(unreadableNotice(due.unreadable)) << "\n";
    return 0;
}

int scadenze(const QStringList &rawArgs, Io &io)
{
    return dueAtDate(rawArgs, io, "scadenze", "lavoratori",
                     QStringLiteral("archivio dei lavoratori (%1)").arg(WorkerRecord::fileName()),
                     &WorkerFind::expiring, &WorkerFind::unreadableNotice);
}

int riepilogo(const QStringList &rawArgs, Io &io)
{
    const Command &self = command("riepilogo");
    const Args args = parse(rawArgs);
    int code = 0;
    const auto archive = archiveArgument(io, self, args, "lavori", QStringLiteral("registro dei lavori (ANNO.lav)"),
                                         {QStringLiteral("dal"), QStringLiteral("al"), QStringLiteral("cf")}, code);
    if (!archive)
        return code;
    const QString path = *archive;
    if (!args.has(QStringLiteral("dal")) || !args.has(QStringLiteral("al")))
        return usageError(io, self, QStringLiteral("indicare l'intervallo con --dal=gg/mm/aaaa e --al=gg/mm/aaaa"));
    const auto start = dateOption(io, self, args, QStringLiteral("dal"), code);
    if (!start)
        return code;
    const auto end = dateOption(io, self, args, QStringLiteral("al"), code);
    if (!end)
        return code;
    const QString dal = Routines::dateText(*start), al = Routines::dateText(*end);
    if (*start > *end)
        return usageError(io, self, QStringLiteral("la data di fine intervallo (%1) non può essere anteriore a quella di "
                                                   "inizio intervallo (%2)").arg(al, dal));
    // The code box holds at most 16 characters and rewrites itself trimmed and in capitals.
    const QString codFisc = Routines::upperAZ(Routines::trimmed(args.value(QStringLiteral("cf"))));
    if (codFisc.size() > 16)
        return usageError(io, self, QStringLiteral("il codice fiscale ha al massimo 16 caratteri: %1").arg(codFisc));
    if (!archiveExists(io, self, path))
        return ExitFile;

    const PaySummary::Summary summary = PaySummary::build(path, {codFisc, *start, *end});
    if (!summary.readOk)
        return readError(io, self, summary.errorText);
    LineWriter out(io.out);
    out.lines(summary.lines);
    for (const QString &line : PaySummary::printBody({}, PaySummary::intervalText(dal, al), summary.totalText))
        out.line(line);
    out.flush();
    const QString notice = PaySummary::skippedNotice(summary);
    if (!notice.isEmpty())
        io.err << terminalText(notice) << "\n";
    return 0;
}

int cerca(const QStringList &rawArgs, Io &io)
{
    const Command &self = command("cerca");
    const Args args = parse(rawArgs);
    for (const Option &o : args.options)
        if (o.name != QLatin1String("cartella"))
            return usageError(io, self, QStringLiteral("opzione sconosciuta: --%1").arg(o.name));
    if (args.positional.size() != 1)
        return usageError(io, self, QStringLiteral("indicare il testo da cercare"));
    const QString text = args.positional.first();
    if (text.size() < SearchEverywhere::MinimumLength)
        return usageError(io, self, QStringLiteral("il testo da cercare ha almeno %1 caratteri").arg(SearchEverywhere::MinimumLength));
    if (args.has(QStringLiteral("cartella")))
        ProgramFolder::set(args.value(QStringLiteral("cartella")));
    const QString data = ProgramFolder::path();
    if (!QFileInfo(data).isDir()) {
        io.err << "veltaro-cli cerca: cartella dei dati non trovata: " << QDir::toNativeSeparators(data) << "\n";
        return ExitFile;
    }
    const SearchEverywhere::Result found = SearchEverywhere::search(data, text);
    LineWriter out(io.out);
    for (const SearchEverywhere::Hit &h : found.hits)
        out.row({found.archives.at(h.archive).fileName, QString::number(h.card), h.field, h.line});
    out.flush();
    if (!found.ok)
        return readError(io, self, found.error);
    const QString notice = SearchEverywhere::damagedNotice(found);
    if (!notice.isEmpty())
        io.err << terminalText(notice) << "\n";
    return 0;
}

int rendiconto(const QStringList &rawArgs, Io &io)
{
    const Command &self = command("rendiconto");
    const Args args = parse(rawArgs);
    int code = 0;
    const auto archive = archiveArgument(io, self, args, "lavori", QStringLiteral("registro dei lavori (ANNO.lav)"),
                                         {QStringLiteral("codice"), QStringLiteral("dal"), QStringLiteral("al")}, code);
    if (!archive)
        return code;
    const QString projectCode = Routines::trimmed(args.value(QStringLiteral("codice")));
    if (projectCode.isEmpty())
        return usageError(io, self, QStringLiteral("indicare il codice del progetto con --codice=CODICE"));
    ProjectReport::Request request{{*archive}, projectCode, std::nullopt, std::nullopt};
    if (args.has(QStringLiteral("dal")) != args.has(QStringLiteral("al")))
        return usageError(io, self, QStringLiteral("indicare l'intervallo con --dal=gg/mm/aaaa e --al=gg/mm/aaaa"));
    QString interval;
    if (args.has(QStringLiteral("dal"))) {
        request.from = dateOption(io, self, args, QStringLiteral("dal"), code);
        if (!request.from)
            return code;
        request.to = dateOption(io, self, args, QStringLiteral("al"), code);
        if (!request.to)
            return code;
        if (*request.from > *request.to)
            return usageError(io, self, QStringLiteral("la data di fine intervallo (%1) non può essere anteriore a quella "
                                                       "di inizio intervallo (%2)")
                                            .arg(Routines::dateText(*request.to), Routines::dateText(*request.from)));
        interval = QStringLiteral(" dal %1 al %2").arg(Routines::dateText(*request.from), Routines::dateText(*request.to));
    }
    if (!archiveExists(io, self, *archive))
        return ExitFile;

    const ProjectReport::Report report = ProjectReport::build(request);
    if (!report.ok)
        return readError(io, self, report.error);
    LineWriter out(io.out);
    const auto sums = [](const ProjectReport::Sums &s) {
        return QStringLiteral("%1\t%2\t%3").arg(s.works).arg(ProjectReport::hundredths(s.hours),
                                                              ProjectReport::hundredths(s.due));
    };
    out.row({QStringLiteral("Rendiconto del progetto %1%2").arg(projectCode, interval)});
    for (const ProjectReport::WorkerLine &w : report.workers)
        out.row({QStringLiteral("LAVORATORE"), w.codFisc, Routines::trimmed(w.cognome + QLatin1Char(' ') + w.nome),
                 QString::number(w.sums.works), ProjectReport::hundredths(w.sums.hours), ProjectReport::hundredths(w.sums.due)});
    for (const ProjectReport::MonthLine &m : report.months)
        out.line(QStringLiteral("MESE\t%1/%2\t").arg(m.month, 2, 10, QLatin1Char('0')).arg(m.year) + sums(m.sums));
    out.line(QStringLiteral("TOTALE\t%1\t%2").arg(ProjectReport::hundredths(report.total.hours),
                                                  ProjectReport::hundredths(report.total.due)));
    out.flush();
    const QString notice = Compensation::skippedNotice(report.skipped, QStringLiteral("rendiconto"));
    if (!notice.isEmpty())
        io.err << terminalText(notice) << "\n";
    return 0;
}

int statistiche(const QStringList &rawArgs, Io &io)
{
    const Command &self = command("statistiche");
    const Args args = parse(rawArgs);
    int code = 0;
    const auto archive = archiveArgument(io, self, args, "lavori", QStringLiteral("registro dei lavori (ANNO.lav)"),
                                         {QStringLiteral("anno")}, code);
    if (!archive)
        return code;
    const QString path = *archive;
    const bool given = args.has(QStringLiteral("anno"));
    const QString anno = given ? args.value(QStringLiteral("anno")) : QFileInfo(path).completeBaseName();
    // The year box takes four digits and nothing else.
    if (MonthlyStats::checkYear(anno) || !Routines::isDigits(anno))
        return usageError(io, self, given ? QStringLiteral("anno non valido: \"%1\" (indicare quattro cifre)").arg(anno)
                                          : QStringLiteral("il nome del file non indica l'anno: indicarlo con --anno=AAAA"));
    if (!archiveExists(io, self, path))
        return ExitFile;

    const MonthlyStats::Stats stats = MonthlyStats::compute(path, anno);
    if (!stats.readOk)
        return readError(io, self, stats.errorText);
    for (int m = 0; m < 12; ++m) {
        const std::string_view label = MonthlyStats::Points[size_t(m)].label;
        io.out << QLatin1String(label.data(), qsizetype(label.size())) << '\t' << stats.labels[size_t(m)] << '\n';
    }
    const QString notice = MonthlyStats::skippedNotice(stats);
    if (!notice.isEmpty())
        io.err << terminalText(notice) << "\n";
    return 0;
}

int scaduti(const QStringList &rawArgs, Io &io)
{
    return dueAtDate(rawArgs, io, "scaduti", "progetti", QStringLiteral("archivio dei progetti (ANNO.prg)"),
                     &ProjectFind::expired, &ProjectFind::unreadableNotice);
}

int incompleti(const QStringList &rawArgs, Io &io)
{
    const Command &self = command("incompleti");
    const Args args = parse(rawArgs);
    int code = 0;
    const auto archive = archiveArgument(io, self, args, "lavori", QStringLiteral("registro dei lavori (ANNO.lav)"), {}, code);
    if (!archive)
        return code;
    if (!archiveExists(io, self, *archive))
        return ExitFile;
    const Find::Listing found = WorkFind::incomplete(*archive);
    if (!found.ok)
        return readError(io, self, found.error);
    LineWriter out(io.out);
    out.lines(found.lines);
    return 0;
}

namespace {
// Card n of an archive, named in the command's second argument: 0 once read, or the exit
// status (said) when the number, the file or the card is not right.
int readCard(Io &io, const Command &self, const QString &path, const QString &number, Record &record)
{
    bool isNumber = false;
    const qint64 n = number.toLongLong(&isNumber);
    if (!isNumber || n < 1 || !Routines::isDigits(number))
        return usageError(io, self, QStringLiteral("numero di scheda non valido: %1").arg(number));
    if (!archiveExists(io, self, path))
        return ExitFile;
    ArchiveFile archive(path, record.layout().size());
    const auto failed = [&] { return readError(io, self, archive.errorText()); };
    if (!archive.openForReading())
        return failed();
    const qint64 count = archive.recordCount();
    if (count < 0)
        return failed();
    if (n > count) {
        io.err << "veltaro-cli " << self.name << ": l'archivio contiene " << count << " schede: la scheda " << n
               << " non esiste\n";
        return ExitUsage;
    }
    if (!archive.readRecord(n, record.bytes()))
        return failed();
    archive.close();
    return 0;
}
}

int rtf(const QStringList &rawArgs, Io &io)
{
    const Command &self = command("rtf");
    const Args args = parse(rawArgs);
    if (int code = 0; !noOptions(io, self, args, code))
        return code;
    if (args.positional.size() != 3)
        return usageError(io, self, QStringLiteral("indicare l'archivio dei progetti, il numero della scheda e il file RTF"));
    const QString path = args.positional.at(0), target = args.positional.at(2);
    if (ArchiveKinds::forFile(path).name != QLatin1String("progetti"))
        return usageError(io, self, QStringLiteral("non è un archivio dei progetti (ANNO.prg): %1").arg(path));
    Record record(ProjectRecord::layout());
    if (const int code = readCard(io, self, path, args.positional.at(1), record))
        return code;
    QString error;
    if (!ProjectRtf::write(target, ProjectRtf::document(record), &error)) {
        io.err << "veltaro-cli rtf: scrittura non riuscita: " << target << ": " << error << "\n";
        return ExitFile;
    }
    return 0;
}

int stampa(const QStringList &rawArgs, Io &io)
{
    const Command &self = command("stampa");
    const Args args = parse(rawArgs);
    if (int code = 0; !noOptions(io, self, args, code))
        return code;
    if (args.positional.size() != 3)
        return usageError(io, self, QStringLiteral("indicare l'archivio, il numero della scheda e il file PDF"));
    const QString path = args.positional.at(0), target = args.positional.at(2);
    const ArchiveKind kind = ArchiveKinds::forFile(path);
    static const QStringList printable = {QStringLiteral("lavoratori"), QStringLiteral("orari"), QStringLiteral("turni"),
                                          QStringLiteral("settimanale"), QStringLiteral("lavori")};
    if (!printable.contains(kind.name))
        return usageError(io, self, QStringLiteral("archivio senza scheda da stampare: %1").arg(path));
    Record record(*kind.layout);
    if (const int code = readCard(io, self, path, args.positional.at(1), record))
        return code;
    // The page is drawn by the program itself, with the card loaded into its screen; no
    // window opens and no display is needed.
    const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(QLatin1Char('/'), 0, -2)
                            + QStringLiteral("/veltaro");
    if (!QFileInfo(program).isExecutable()) {
        io.err << "veltaro-cli stampa: il programma veltaro non si trova accanto a veltaro-cli: " << program << "\n";
        return ExitFile;
    }
    QProcess drawing;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    drawing.setProcessEnvironment(env);
    drawing.start(program, {QStringLiteral("--stampa-scheda"), QFileInfo(path).absoluteFilePath(), args.positional.at(1),
                            QFileInfo(target).absoluteFilePath()});
    if (!drawing.waitForStarted(-1) || !drawing.waitForFinished(-1)) {
        io.err << "veltaro-cli stampa: avvio di " << program << " non riuscito: " << drawing.errorString() << "\n";
        return ExitFile;
    }
    // The program's own word comes last, after whatever Qt may have had to say.
    const QString said = QString::fromUtf8(drawing.readAllStandardError()).trimmed().section(QLatin1Char('\n'), -1);
    if (drawing.exitStatus() != QProcess::NormalExit || drawing.exitCode() != 0) {
        io.err << "veltaro-cli stampa: " << (said.isEmpty() ? QStringLiteral("scrittura non riuscita: ") + target : said)
               << "\n";
        return ExitFile;
    }
    return 0;
}

int esporta(const QStringList &rawArgs, Io &io)
{
    const Command &self = command("esporta");
    const Args args = parse(rawArgs);
    if (args.positional.size() != 1)
        return usageError(io, self, QStringLiteral("indicare un solo archivio"));
    const QString path = args.positional.first();
    const SheetExport::Sheet *sheet = SheetExport::forArchive(path);
    if (!sheet)
        return usageError(io, self, QStringLiteral("archivio senza esportazione: %1").arg(path));
    int code = 0;
    if (!checkOptions(io, self, args, {QStringLiteral("file")}, code))
        return code;
    if (!archiveExists(io, self, path))
        return ExitFile;
    const QString target = args.has(QStringLiteral("file"))
        ? args.value(QStringLiteral("file"))
        : QFileInfo(path).absolutePath() + QLatin1Char('/') + sheet->fileName;
    const SheetExport::Export done = SheetExport::exportArchive(*sheet, path, target);
    if (!done.readOk)
        return readError(io, self, done.error);
    if (!done.written) {
        io.err << "veltaro-cli esporta: scrittura non riuscita: " << target << ": " << done.error << "\n";
        return ExitFile;
    }
    io.out << done.rows << " schede esportate in " << target << "\n";
    return 0;
}

int ripristina(const QStringList &rawArgs, Io &io)
{
    const Command &self = command("ripristina");
    const Args args = parse(rawArgs);
    int code = 0;
    if (!checkOptions(io, self, args, {QStringLiteral("cartella"), QStringLiteral("forza")}, code))
        return code;
    // --forza takes no value: a word taken for one is the copy.
    QStringList positional = args.positional;
    const bool forced = args.has(QStringLiteral("forza"));
    if (forced && !args.value(QStringLiteral("forza")).isEmpty())
        positional << args.value(QStringLiteral("forza"));
    if (positional.size() > 1)
        return usageError(io, self, QStringLiteral("indicare al più una copia"));
    if (args.has(QStringLiteral("cartella")))
        ProgramFolder::set(args.value(QStringLiteral("cartella")));
    const QString data = ProgramFolder::path();
    if (!QFileInfo(data).isDir()) {
        io.err << "veltaro-cli ripristina: cartella dei dati non trovata: " << QDir::toNativeSeparators(data) << "\n";
        return ExitFile;
    }
    const QVector<Backup::Entry> entries = Backup::list(data);
    if (positional.isEmpty()) {
        for (const QString &line : Backup::folderFacts())
            io.out << line << "\n";
        io.out << "\n";
        if (entries.isEmpty())
            io.out << "Nessuna copia di sicurezza da ripristinare.\n";
        for (qsizetype i = 0; i < entries.size(); ++i)
            io.out << qSetFieldWidth(3) << Qt::right << i + 1 << qSetFieldWidth(0) << Qt::left << "  "
                   << entries[i].name << "  " << entries[i].files.join(QStringLiteral(", ")) << " ("
                   << entries[i].bytes << " byte)\n";
        return 0;
    }
    QString name = positional.first();
    bool isNumber = false;
    const qsizetype number = name.toLongLong(&isNumber);
    if (isNumber) {
        if (number < 1 || number > entries.size())
            return usageError(io, self, QStringLiteral("non c'è la copia numero %1 (copie: %2)").arg(name).arg(entries.size()));
        name = entries[number - 1].name;
    }
    // Archives replaced under an open program would be overwritten by its next save, or
    // read half old, half new: the program's mark on the folder says it is open.
    FolderLock lock;
    if (!lock.acquire(data, FolderLock::Kind::Exclusive) && !forced) {
        if (lock.busy())
            io.err << "veltaro-cli ripristina: la cartella dei dati è in uso: il programma è aperto su questa cartella "
                      "(su questo o su un altro computer), oppure è in corso un altro ripristino. Chiudere il programma "
                      "ovunque e riprovare, oppure usare --forza.\n";
        else
            io.err << "veltaro-cli ripristina: non è possibile verificare se la cartella dei dati è in uso ("
                   << lock.errorText() << "); usare --forza per ripristinare comunque.\n";
        return ExitFile;
    }
    if (const QString left = Backup::finishInterrupted(data); !left.isEmpty()) {
        io.err << "veltaro-cli ripristina: " << left << "\n";
        return ExitFile;
    }
    const Backup::Restored r = Backup::restore(data, name, QDateTime::currentDateTime());
    if (!r.aside.isEmpty())
        io.out << "Archivi attuali messi da parte in: " << QDir::toNativeSeparators(Backup::folder(data) + r.aside) << "\n";
    for (const QString &f : r.restored)
        io.out << "Ripristinato: " << f << "\n";
    if (!r.ok) {
        io.err << "veltaro-cli ripristina: " << r.error << "\n";
        return ExitFile;
    }
    for (const QString &f : r.kept)
        io.out << "Lasciato com'era (non presente nella copia): " << f << "\n";
    return 0;
}

}
