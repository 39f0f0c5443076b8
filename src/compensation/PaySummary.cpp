#include "compensation/PaySummary.h"

#include "archive/ArchiveScan.h"
#include "archive/FindEngine.h"
#include "archive/ResultLines.h"
#include "archive/TextCodec.h"
#include "framework/Clock.h"
#include "framework/Routines.h"
#include "worklog/WorkRecord.h"


#include <cstring>

using Routines::trimmed;

namespace PaySummary {

namespace {

const QString LfCr = QStringLiteral("\n\r\n\r");

// Day, month name and year into "dd/mm/yyyy"; empty when the month is not one of ours.
QString dateFromLists(const QString &day, const QString &month, const QString &year)
{
    const QString name = Routines::lowerAZ(trimmed(month));
    for (int m = 0; m < 12; ++m) {
        const auto &n = Compensation::MonthNames[m];
        if (name == Routines::lowerAZ(QString::fromLatin1(n.data(), qsizetype(n.size()))))
            return trimmed(day) + QStringLiteral("/%1/").arg(m + 1, 2, 10, QLatin1Char('0'))
                   + trimmed(year);
    }
    return QString();
}

Refusal missingDate(const QString &date, const char *end, const char *focus)
{
    return Refusal{Refusal::Notice,
                   QStringLiteral("Attenzione: la data ") + trimmed(date)
                       + QStringLiteral(" di %1 intervallo non esiste.").arg(QLatin1String(end)) + LfCr
                       + QStringLiteral("Per poter visualizzare il riepilogo \u00e8 necessario indicare "
                                        "una data valida."),
                   QString::fromLatin1(focus)};
}

// Column widths of a list line, and the captions between them, as Windows-1252 bytes.
constexpr int AttivitaWidth = ActivityColumnWidth, DataWidth = 10, NameWidth = 28, CodFiscWidth = 16, RecapitoWidth = 14;
const QByteArray DataCaption = " Data: ";
const QByteArray NameCaption = "  ";
const QByteArray CodFiscCaption = "  C.F. ";
const QByteArray RecapitoCaption = "  Tel. ";
const QByteArray TotalCaption = "  Tot. \x80 ";

// The longest line: every column full and the widest stored amount.
constexpr int LineBytes = AttivitaWidth + DataWidth + NameWidth + CodFiscWidth + RecapitoWidth + 7 + 2 + 7 + 7 + 9 + 15;

char *column(char *out, QByteArrayView text, int width)
{
    const qsizetype n = qMin<qsizetype>(text.size(), width);
    std::memcpy(out, text.data(), size_t(n));
    std::memset(out + n, ' ', size_t(width - n));
    return out + width;
}

char *caption(char *out, const QByteArray &text)
{
    std::memcpy(out, text.constData(), size_t(text.size()));
    return out + text.size();
}

// Writes a card's line at `line`, which has room for LineBytes; returns its end.
char *writeLine(char *line, const char *rec)
{
    using WorkRecord::place;
    using WorkRecord::trimmedBytes;
    static constexpr auto Attivita = place("Attivita"), Data = place("Data"),
                          Cognome = place("Cognome"), Nome = place("Nome"),
                          CodFisc = place("CodFisc"), Recapito = place("Recapito"),
                          TotDovuto = place("TotDovuto");
    char *p = column(line, trimmedBytes(rec, Attivita), AttivitaWidth);
    p = caption(p, DataCaption);
    p = column(p, trimmedBytes(rec, Data), DataWidth);
    p = caption(p, NameCaption);
    char name[2 * 50 + 1];
    const QByteArrayView surname = trimmedBytes(rec, Cognome), first = trimmedBytes(rec, Nome);
    std::memcpy(name, surname.data(), size_t(surname.size()));
    name[surname.size()] = ' ';
    std::memcpy(name + surname.size() + 1, first.data(), size_t(first.size()));
    p = column(p, QByteArrayView(name, surname.size() + 1 + first.size()), NameWidth);
    p = caption(p, CodFiscCaption);
    p = column(p, trimmedBytes(rec, CodFisc), CodFiscWidth);
    p = caption(p, RecapitoCaption);
    p = column(p, trimmedBytes(rec, Recapito), RecapitoWidth);
    p = caption(p, TotalCaption);
    const QByteArrayView total = trimmedBytes(rec, TotDovuto);
    std::memcpy(p, total.data(), size_t(total.size()));
    return p + total.size();
}

// The line goes straight into the list's buffer.
void appendLine(ListOrder::Lines &lines, const char *rec)
{
    lines.appendWritten([rec](QByteArray &text) {
        const qsizetype at = text.size();
        text.resize(at + LineBytes);
        char *const line = text.data() + at;
        text.resize(at + (writeLine(line, rec) - line));
    });
}

bool digitsAt(QByteArrayView t, int from, int to)
{
    for (int i = from; i < to; ++i)
        if (t[i] < '0' || t[i] > '9')
            return false;
    return true;
}

int number(QByteArrayView t, int from, int to)
{
    int v = 0;
    for (int i = from; i < to; ++i)
        v = v * 10 + (t[i] - '0');
    return v;
}

// A date as yyyymmdd, which orders as the dates do.
qint64 dayKey(int y, int m, int d)
{
    return qint64(y) * 10000 + m * 100 + d;
}

qint64 dayKey(const QDate &date)
{
    return dayKey(date.year(), date.month(), date.day());
}

// The date rule; the stored "dd/mm/yyyy" is read straight from the bytes and checked with the
// calendar's own rules (the Gregorian leap years, for every year from 1 on).
std::optional<qint64> dayOf(QByteArrayView t, const QDate &today)
{
    if (t.size() == 10 && t[2] == '/' && t[5] == '/' && digitsAt(t, 0, 2) && digitsAt(t, 3, 5)
        && digitsAt(t, 6, 10)) {
        static constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        const int d = number(t, 0, 2), m = number(t, 3, 5), y = number(t, 6, 10);
        if (y < 1 || m < 1 || m > 12 || d < 1)
            return std::nullopt;
        const bool leap = y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
        if (d > Days[m - 1] + (m == 2 && leap))
            return std::nullopt;
        return dayKey(y, m, d);
    }
    const auto date = Routines::parseDate(Cp1252::decode(t), today);
    return date ? std::optional<qint64>(dayKey(*date)) : std::nullopt;
}

}

Checked check(const Request &r)
{
    Checked out;
    if (auto refusal = Compensation::checkYear(r.anno)) {
        out.refusal = refusal;
        return out;
    }
    const struct {
        const QString &value;
        const char *what;
        const char *focus;
    } lists[] = {
        {r.giornoInizio, "il giorno di inizio", "txtGiornoInizio"},
        {r.meseInizio, "il mese di inizio", "txtMeseInizio"},
        {r.giornoFine, "il giorno di fine", "txtGiornoFine"},
        {r.meseFine, "il mese di fine", "txtMeseFine"},
    };
    for (const auto &l : lists)
        if (trimmed(l.value).isEmpty()) {
            out.refusal = Refusal{Refusal::Warning,
                                  QStringLiteral("Attenzione: indicare %1 intervallo selezionandolo "
                                                 "dall'elenco a cascata.")
                                      .arg(QLatin1String(l.what)),
                                  QString::fromLatin1(l.focus)};
            return out;
        }

    const QString year = trimmed(r.anno);
    out.dataInizio = dateFromLists(r.giornoInizio, r.meseInizio, year);
    const auto start = Routines::parseDate(out.dataInizio);
    if (!start) {
        out.refusal = missingDate(out.dataInizio, "inizio", "txtGiornoInizio");
        return out;
    }
    out.dataFine = dateFromLists(r.giornoFine, r.meseFine, year);
    const auto end = Routines::parseDate(out.dataFine);
    if (!end) {
        out.refusal = missingDate(out.dataFine, "fine", "txtGiornoFine");
        return out;
    }
    if (*start > *end) {
        out.refusal = Refusal{
            Refusal::Notice,
            QStringLiteral("Attenzione: la data di fine intervallo (") + trimmed(out.dataFine)
                + QStringLiteral(") non pu\u00f2 essere anteriore a quella di inizio intervallo (")
                + trimmed(out.dataInizio) + QStringLiteral(").") + LfCr
                + QStringLiteral("Per poter visualizzare il riepilogo \u00e8 necessario indicare un "
                                 "intervallo di tempo valido."),
            QString()};
        return out;
    }
    out.start = *start;
    out.end = *end;
    out.fileName = WorkRecord::fileName(r.anno);
    return out;
}

QString archiveNotice()
{
    return QStringLiteral("Attenzione: il file di archivio non risulta accessibile.");
}

QString heading(const QString &codFisc)
{
    const QString t = trimmed(codFisc);
    return t.isEmpty() ? QStringLiteral("Tutti i lavoratori") : t;
}

QString intervalText(const QString &dataInizio, const QString &dataFine)
{
    return QStringLiteral("Dal   ") + trimmed(dataInizio) + QStringLiteral("   al   ") + trimmed(dataFine);
}

QString line(const QString &attivita, const QString &data, const QString &cognome,
             const QString &nome, const QString &codFisc, const QString &recapito,
             const QString &totDovuto)
{
    const auto col = [](const QString &text, int width) {
        return trimmed(text).leftJustified(width, QLatin1Char(' '), true);
    };
    return col(attivita, AttivitaWidth) + Cp1252::decode(DataCaption) + col(data, DataWidth)
           + Cp1252::decode(NameCaption)
           + (trimmed(cognome) + QLatin1Char(' ') + trimmed(nome)).leftJustified(NameWidth, QLatin1Char(' '), true)
           + Cp1252::decode(CodFiscCaption) + col(codFisc, CodFiscWidth)
           + Cp1252::decode(RecapitoCaption) + col(recapito, RecapitoWidth)
           + Cp1252::decode(TotalCaption) + trimmed(totDovuto);
}

QString totalText(double total)
{
    return Routines::amountRule(Routines::numberText(total), 4);
}

Summary build(const QString &path, const Filter &filter)
{
    Summary out;
    const bool filtered = !trimmed(filter.codFisc).isEmpty();
    const QString lowered = Routines::lowerAZ(filter.codFisc);
    const QByteArray needle = Cp1252::encode(lowered);
    // A code with a character the code page lacks can occur in no stored field.
    const bool needleStorable = Cp1252::decode(needle) == lowered;
    const qint64 first = dayKey(filter.start), last = dayKey(filter.end);
    const QDate today = Clock::today();

    static constexpr auto CodFisc = WorkRecord::place("CodFisc"), Data = WorkRecord::place("Data"),
                          TotDovuto = WorkRecord::place("TotDovuto");

    struct Part {
        explicit Part(const ArchiveScan::Range &range)
        {
            // A line per card at most: reserving for all of them only maps memory, it touches none.
            lines.reserve(range.count, range.count * LineBytes);
        }
        ListOrder::Lines lines;
        std::vector<double> amounts;   // of the listed cards, in file order
        QVector<SkippedCard> skipped;
    };
    auto scan = ArchiveScan::parts<Part>(
        path, WorkRecord::Size,
        [&](Part &part, qint64 n, const char *rec) {
            if (filtered) {
                if (!needleStorable)
                    return true;
                const QByteArrayView code = WorkRecord::trimmedBytes(rec, CodFisc);
                char low[CodFisc.width];
                for (qsizetype i = 0; i < code.size(); ++i)
                    low[i] = code[i] >= 'A' && code[i] <= 'Z' ? char(code[i] + 32) : code[i];
                if (!QByteArrayView(low, code.size()).contains(needle))
                    return true;
            }
            if (WorkRecord::overlong(rec, Data)) {
                part.skipped.append({n, SkippedCard::Damaged});
                return true;
            }
            const auto day = dayOf(WorkRecord::trimmedBytes(rec, Data), today);
            if (!day) {
                part.skipped.append({n, SkippedCard::BadDate});
                return true;
            }
            if (*day < first || *day > last)
                return true;
            if (WorkRecord::overlong(rec, TotDovuto)) {
                part.skipped.append({n, SkippedCard::Damaged});
                return true;
            }
            const auto amount = Compensation::storedAmount(WorkRecord::trimmedBytes(rec, TotDovuto));
            if (!amount) {
                part.skipped.append({n, SkippedCard::BadTotal});
                return true;
            }
            part.amounts.push_back(*amount);
            appendLine(part.lines, rec);
            return true;
        },
        [](Part &part) { part.lines.sort(); });
    out.readOk = scan.ok;
    out.errorText = scan.error;
    // Added card after card in file order, as the total has always been: a sum taken range by
    // range could differ in its last bit.
    double total = 0;
    std::vector<ListOrder::Lines> sorted;
    for (Part &part : scan.parts) {
        for (const double amount : part.amounts)
            total += amount;
        out.skipped += part.skipped;
        sorted.push_back(std::move(part.lines));
    }
    out.lines = ListOrder::Lines::merged(std::move(sorted));
    out.total = total;
    out.totalText = totalText(total);
    return out;
}

QString skippedNotice(const Summary &summary)
{
    return Compensation::skippedNotice(summary.skipped, QStringLiteral("riepilogo"));
}

QString emptyPrintWarning()
{
    return QStringLiteral("Operazione di stampa non applicabile: il riepilogo non contiene nessuna voce.");
}

QString printQuestion()
{
    return QStringLiteral("Si vuole stampare il presente riepilogo?");
}

QString printTitle(const QString &heading)
{
    return QStringLiteral("Riepilogo compensi   -   C.F. lavoratore:  ") + trimmed(heading);
}

QStringList printBody(const QStringList &lines, const QString &intervalText, const QString &totalText)
{
    QStringList body = lines;
    body << QStringLiteral("- - - - - - - - - - - - - - - -")
         << QStringLiteral("INTERVALLO SELEZIONATO:    ") + trimmed(intervalText)
         << QStringLiteral("TOTALE COMPENSI:           \u20ac ") + trimmed(totalText);
    return body;
}

}
