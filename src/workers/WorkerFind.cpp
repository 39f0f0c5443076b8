#include "workers/WorkerFind.h"

#include "app/Routines.h"
#include "workers/WorkerRecord.h"

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

Contract contract(const char *record, const QDate &today)
{
    const auto expiry = Routines::parseDate(Record::load(field("Scadenza"), record), today);
    const auto notice = wholeNumber(Record::load(field("Preavviso"), record));
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
        [&](qint64, const char *record) {
            const Contract c = contract(record, today);
            if (c == Contract::Unreadable)
                ++out.unreadable;
            return c == Contract::Due;
        },
        contractLine());
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
