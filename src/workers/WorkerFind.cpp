#include "workers/WorkerFind.h"

#include "archive/ArchiveScan.h"
#include "framework/Routines.h"
#include "workers/WorkerRecord.h"

#include <QFileInfo>

namespace WorkerFind {

namespace {

const RecordLayout::Field &field(const char *name)
{
    const RecordLayout &l = WorkerRecord::layout();
    return l.field(l.indexOf(QLatin1String(name)));
}

// A whole number: optional sign and decimal digits, blanks around them allowed.
std::optional<int> wholeNumber(const QString &text)
{
    const QString t = Routines::trimmed(text);
    qsizetype i = 0;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        ++i;
    if (i == t.size() || t.size() - i > 9 || !Routines::isDigits(t.mid(i)))
        return std::nullopt;
    return t.toInt();
}

}

const QVector<Find::FilterBox> &filters()
{
    static const QVector<Find::FilterBox> boxes = {
        {QStringLiteral("txtCognome"), QStringLiteral("Cognome:"), QStringLiteral("Cognome")},
        {QStringLiteral("txtNome"), QStringLiteral("Nome:"), QStringLiteral("Nome")},
        {QStringLiteral("txtCodice"), QStringLiteral("Mansione:"), QStringLiteral("Codice")},
        {QStringLiteral("txtCategoria"), QStringLiteral("Categoria:"), QStringLiteral("Categoria")},
        {QStringLiteral("txtCodFisc"), QStringLiteral("Codice fiscale:"), QStringLiteral("CodFisc")},
        {QStringLiteral("txtIva"), QStringLiteral("Partita IVA:"), QStringLiteral("Iva")},
        {QStringLiteral("txtFamiliari"), QStringLiteral("Giorni e orari disponibilità:"), QStringLiteral("Familiari")},
        {QStringLiteral("txtProdotti"), QStringLiteral("Equipaggiamento assegnato:"), QStringLiteral("Prodotti")},
        {QStringLiteral("txtAcquisto"), QStringLiteral("Tipo contratto:"), QStringLiteral("Acquisto")},
        {QStringLiteral("txtNote"), QStringLiteral("Note:"), QStringLiteral("Note")},
    };
    return boxes;
}

const Find::LineBuilder &line()
{
    static const Find::LineBuilder builder = Find::columnLine(
        WorkerRecord::layout(), {
                                    {QString(), {QStringLiteral("Cognome"), QStringLiteral("Nome")}, 28},
                                    {QStringLiteral("  C.F. "), {QStringLiteral("CodFisc")}, 16},
                                    {QStringLiteral("  Mans. "), {QStringLiteral("Codice")}, 24},
                                    {QStringLiteral("  Tel. "), {QStringLiteral("Recapito")}, 14},
                                    {QStringLiteral("  Note: "), {QStringLiteral("Note")}, 0},
                                });
    return builder;
}

QString listTitle()
{
    return QStringLiteral("Riepilogo lavoratori in archivio");
}

namespace {

int digitsAt(QByteArrayView b, qsizetype from, qsizetype count)
{
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        if (b[i] < '0' || b[i] > '9')
            return -1;
        value = value * 10 + (b[i] - '0');
    }
    return value;
}

// Cards saved by the registry screen hold "dd/mm/yyyy" and plain digits: read those from
// the bytes and leave every other form to the general rules.
std::optional<QDate> expiryOf(const char *record, const QDate &today)
{
    static const RecordLayout::Field &scadenza = field("Scadenza");
    const QByteArrayView b = Find::trimmedBytes(Record::raw(scadenza, record));
    if (b.size() == 10 && b[2] == '/' && b[5] == '/') {
        const int d = digitsAt(b, 0, 2), m = digitsAt(b, 3, 2), y = digitsAt(b, 6, 4);
        if (d >= 0 && m >= 0 && y >= 0)
            return (y >= 1 && QDate::isValid(y, m, d)) ? std::optional(QDate(y, m, d)) : std::nullopt;
    }
    return Routines::parseDate(Record::load(scadenza, record), today);
}

std::optional<int> noticeOf(const char *record)
{
    static const RecordLayout::Field &preavviso = field("Preavviso");
    const QByteArrayView b = Find::trimmedBytes(Record::raw(preavviso, record));
    if (!b.isEmpty() && b.size() <= 9) {
        const int n = digitsAt(b, 0, b.size());
        if (n >= 0)
            return n;
    }
    return wholeNumber(Record::load(preavviso, record));
}

}

Contract contract(const char *record, const QDate &today)
{
    const auto expiry = expiryOf(record, today);
    const auto notice = noticeOf(record);
    if (!expiry || !notice)
        return Contract::Unreadable;
    return expiry->addDays(-*notice) <= today ? Contract::Due : Contract::NotDue;
}

const Find::LineBuilder &contractLine()
{
    static const Find::LineBuilder builder = Find::columnLine(
        WorkerRecord::layout(), {
                                    {QString(), {QStringLiteral("Cognome"), QStringLiteral("Nome")}, 30},
                                    {QStringLiteral("  Tel. "), {QStringLiteral("Recapito")}, 12},
                                    {QStringLiteral("  Scad. "), {QStringLiteral("Scadenza")}, 10},
                                    {QStringLiteral("  Tot. € "), {QStringLiteral("Totale")}, 12},
                                    {QStringLiteral("  Rata: € "), {QStringLiteral("Rata")}, 12},
                                    {QStringLiteral("  Tipo: "), {QStringLiteral("Acquisto")}, 0},
                                });
    return builder;
}

QString contractTitle()
{
    return QStringLiteral("Riepilogo contratti in scadenza o scaduti");
}

Expiring expiring(const QString &path, const QDate &today)
{
    Expiring out;
    out.listing = Find::list(
        path, WorkerRecord::layout(),
        std::function<Find::Verdict(qint64, const char *)>([&](qint64, const char *record) {
            switch (contract(record, today)) {
            case Contract::Due: return Find::Verdict::List;
            case Contract::Unreadable: return Find::Verdict::Unreadable;
            case Contract::NotDue: break;
            }
            return Find::Verdict::Pass;
        }),
        contractLine(), Find::Expect::Most);   // expired contracts stay listed: most cards, in time
    out.unreadable = out.listing.unreadable;
    return out;
}

DueCount countDue(const QString &path, const QDate &today)
{
    DueCount out;
    if (!QFileInfo::exists(path))
        return out;
    const auto scan = ArchiveScan::parts<qint64>(path, WorkerRecord::layout().size(),
                                                 [&](qint64 &due, qint64, const char *record) {
                                                     due += contract(record, today) == Contract::Due;
                                                     return true;
                                                 });
    out.ok = scan.ok;
    for (const qint64 due : scan.parts)
        out.due += due;
    return out;
}

QString unreadableNotice(int count)
{
    if (count == 1)
        return QStringLiteral("Attenzione: 1 scheda non è stata inclusa nel riepilogo perché la data di scadenza "
                              "o i giorni di preavviso non sono validi.");
    return QStringLiteral("Attenzione: %1 schede non sono state incluse nel riepilogo perché la data di scadenza "
                          "o i giorni di preavviso non sono validi.")
        .arg(count);
}

}
