#include "projects/ProjectFind.h"

#include "archive/TextCodec.h"
#include "framework/Routines.h"
#include "projects/ProjectRecord.h"

namespace ProjectFind {

namespace {
const RecordLayout::Field &field(const char *name)
{
    const RecordLayout &l = ProjectRecord::layout();
    return l.field(l.indexOf(QLatin1String(name)));
}
}

QString fileName(const QString &year)
{
    return Routines::trimmed(year) + QStringLiteral(".prg");
}

const QVector<Find::FilterBox> &filters()
{
    static const QVector<Find::FilterBox> boxes = {
        {QStringLiteral("txtNome"), QStringLiteral("Nome progetto:"), QStringLiteral("Nome")},
        {QStringLiteral("txtCodice"), QStringLiteral("Codice identificativo:"), QStringLiteral("Codice")},
        {QStringLiteral("txtAmbito"), QStringLiteral("Ambito:"), QStringLiteral("Ambito")},
        {QStringLiteral("txtDescrizione"), QStringLiteral("Descrizione sintetica:"), QStringLiteral("Descrizione")},
        {QStringLiteral("txtDataInizio"), QStringLiteral("Data inizio (gg/mm/aaaa):"), QStringLiteral("DataInizio")},
        {QStringLiteral("txtDataScade"), QStringLiteral("Data scadenza (gg/mm/aaaa):"), QStringLiteral("DataScade")},
        {QStringLiteral("txtStato"), QStringLiteral("Stato avanzamento:"), QStringLiteral("Stato")},
        {QStringLiteral("txtResponsabile"), QStringLiteral("Responsabile:"), QStringLiteral("Responsabile")},
        {QStringLiteral("txtObiettivi"), QStringLiteral("Obiettivi finali:"), QStringLiteral("Obiettivi")},
        {QStringLiteral("txtQuestioni"), QStringLiteral("Questioni in sospeso:"), QStringLiteral("Questioni")},
    };
    return boxes;
}

const Find::LineBuilder &line()
{
    static const Find::LineBuilder builder =
        Find::columnLine(ProjectRecord::layout(), {
                                                      {QString(), {QStringLiteral("Nome")}, 40},
                                                      {QStringLiteral("  Cod. "), {QStringLiteral("Codice")}, 26},
                                                      {QStringLiteral("  Inizio: "), {QStringLiteral("DataInizio")}, 10},
                                                      {QStringLiteral("  Scad. "), {QStringLiteral("DataScade")}, 10},
                                                      {QStringLiteral("  "), {QStringLiteral("Responsabile")}, 0},
                                                      {QStringLiteral("  Tel. "), {QStringLiteral("Recapito")}, 0},
                                                  });
    return builder;
}

QString listTitle()
{
    return QStringLiteral("Riepilogo progetti in archivio");
}

QString expiredTitle()
{
    return QStringLiteral("Riepilogo progetti non ultimati alla data di scadenza");
}

State state(const char *record, const QDate &today)
{
    if (Find::trimmedBytes(Record::raw(field("Terminato"), record)) != QByteArrayView("No"))
        return State::Current;
    const auto due = Routines::parseDate(Record::load(field("DataScade"), record), today);
    if (!due)
        return State::Unreadable;
    return today > *due ? State::Expired : State::Current;
}

Expired expired(const QString &path, const QDate &today)
{
    Expired out;
    out.listing = Find::list(
        path, ProjectRecord::layout(),
        std::function<Find::Verdict(qint64, const char *)>([&](qint64, const char *record) {
            switch (state(record, today)) {
            case State::Expired: return Find::Verdict::List;
            case State::Unreadable: return Find::Verdict::Unreadable;
            case State::Current: break;
            }
            return Find::Verdict::Pass;
        }),
        line());
    out.unreadable = out.listing.unreadable;
    return out;
}

QString unreadableNotice(int count)
{
    if (count == 1)
        return QStringLiteral("Attenzione: 1 scheda non è stata inclusa nel riepilogo perché la data di scadenza "
                              "non è valida.");
    return QStringLiteral("Attenzione: %1 schede non sono state incluse nel riepilogo perché la data di scadenza "
                          "non è valida.")
        .arg(count);
}

}
