#include "worklog/WorkFind.h"

#include "archive/TextCodec.h"
#include "worklog/WorkRecord.h"

namespace WorkFind {

const QVector<Find::FilterBox> &filters()
{
    static const QVector<Find::FilterBox> boxes = {
        {QStringLiteral("txtData"), QStringLiteral("Data prestazione (gg/mm/aaaa):"), QStringLiteral("Data")},
        {QStringLiteral("txtLuogo"), QStringLiteral("Sede operativa:"), QStringLiteral("Luogo")},
        {QStringLiteral("txtAttivita"), QStringLiteral("Attività svolta:"), QStringLiteral("Attivita")},
        {QStringLiteral("txtPostazione"), QStringLiteral("Postazione di lavoro:"), QStringLiteral("Postazione")},
        {QStringLiteral("txtCognome"), QStringLiteral("Cognome:"), QStringLiteral("Cognome")},
        {QStringLiteral("txtNome"), QStringLiteral("Nome:"), QStringLiteral("Nome")},
        {QStringLiteral("txtCodFisc"), QStringLiteral("Codice fiscale:"), QStringLiteral("CodFisc")},
        {QStringLiteral("txtMansione"), QStringLiteral("Mansione:"), QStringLiteral("Mansione")},
        {QStringLiteral("txtCodiceProg"), QStringLiteral("Codice identificativo progetto:"), QStringLiteral("CodiceProg")},
        {QStringLiteral("txtNote"), QStringLiteral("Note:"), QStringLiteral("Note")},
    };
    return boxes;
}

const Find::LineBuilder &line()
{
    static const Find::LineBuilder builder = Find::columnLine(
        WorkRecord::layout(), {
                                  {QString(), {QStringLiteral("Attivita")}, 44},
                                  {QStringLiteral(" Data: "), {QStringLiteral("Data")}, 10},
                                  {QStringLiteral("  "), {QStringLiteral("Cognome"), QStringLiteral("Nome")}, 28},
                                  {QStringLiteral("  C.F. "), {QStringLiteral("CodFisc")}, 16},
                                  {QStringLiteral("  Tel. "), {QStringLiteral("Recapito")}, 14},
                                  {QStringLiteral("  Tot. € "), {QStringLiteral("TotDovuto")}, 0},
                              });
    return builder;
}

QString listTitle()
{
    return QStringLiteral("Riepilogo prestazioni lavorative");
}

QString incompleteTitle()
{
    return QStringLiteral("Riepilogo lavori incompleti");
}

Find::Listing incomplete(const QString &path)
{
    static const QByteArray si = Cp1252::encode(WorkRecord::IncompletoSi);
    const WorkRecord::Place mark = WorkRecord::place("Incompleto");
    return Find::list(
        path, WorkRecord::layout(),
        [&](qint64, const char *record) { return WorkRecord::trimmedBytes(record, mark) == QByteArrayView(si); },
        line());
}

}
