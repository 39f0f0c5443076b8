#include "workers/WorkerFindScreen.h"

#include "archive/CardScreen.h"
#include "archive/ResultList.h"
#include "framework/Clock.h"
#include "framework/Dialogs.h"
#include "framework/Routines.h"
#include "settings/ProgramFolder.h"
#include "shifts/DailyShiftRecord.h"
#include "workers/WorkerCardScreen.h"
#include "workers/WorkerFind.h"
#include "workers/WorkerRecord.h"
#include "worklog/WorkCardScreen.h"

namespace {

const QString FindName = QStringLiteral("TfrmTrovaIstruttori");

QString workerArchive()
{
    return ProgramFolder::file(WorkerRecord::fileName());
}

// Writes a text into a control of another screen; a screen or control that does not exist
// yet takes nothing.
void write(const char *screen, const QString &control, const QString &text)
{
    if (QWidget *s = PickModes::screen(QLatin1String(screen)))
        if (QWidget *w = s->findChild<QWidget *>(control))
            WidgetText::set(w, text);
}

QString read(const char *screen, const QString &control)
{
    if (QWidget *s = PickModes::screen(QLatin1String(screen)))
        if (QWidget *w = s->findChild<QWidget *>(control))
            return WidgetText::get(w);
    return QString();
}

void loadIntoRegistry(const Record &record, qint64 n)
{
    if (auto *card = qobject_cast<CardScreen *>(PickModes::screen(QStringLiteral("TfrmIstruttori"))))
        card->loadCard(n, record);
}

void registerModes()
{
    PickModes::add(FindName, QStringLiteral("istruttori"), loadIntoRegistry);
    for (int band = 1; band <= 12; ++band) {
        const QString box = QStringLiteral("txtLavoratore%1").arg(band, 2, 10, QLatin1Char('0'));
        PickModes::add(FindName, QStringLiteral("turni_%1").arg(band, 2, 10, QLatin1Char('0')),
                       [box](const Record &r, qint64) {
                           const auto joined = DailyShiftRecord::joinedWorkers(
                               read("TfrmTurni", box), r.get(QStringLiteral("Cognome")), r.get(QStringLiteral("Nome")));
                           if (joined)
                               write("TfrmTurni", box, *joined);
                           else
                               Dialogs::warning(PickModes::screen(QStringLiteral("TfrmTurni")), DailyShiftRecord::workersTooLong());
                       });
    }
    PickModes::add(FindName, QStringLiteral("referti"), [](const Record &r, qint64) {
        write("TfrmReferti", QStringLiteral("txtResponsabile"),
              r.get(QStringLiteral("Cognome")) + QLatin1Char(' ') + r.get(QStringLiteral("Nome")));
        write("TfrmReferti", QStringLiteral("txtRecapito"), r.get(QStringLiteral("Recapito")));
    });
    PickModes::add(FindName, QStringLiteral("lavori"), [](const Record &r, qint64) {
        const std::pair<const char *, const char *> fields[] = {
            {"txtCognome", "Cognome"}, {"txtNome", "Nome"},          {"txtCodFisc", "CodFisc"},
            {"txtRecapito", "Recapito"}, {"txtMansione", "Codice"}, {"txtCategoria", "Categoria"}};
        for (const auto &[control, field] : fields)
            write("TfrmLavori", QLatin1String(control), r.get(QLatin1String(field)));
    });
    PickModes::add(FindName, QStringLiteral("riep_pagamenti"), [](const Record &r, qint64) {
        write("TfrmMenuRiepilogoPagamenti", QStringLiteral("txtTipologia"), r.get(QStringLiteral("CodFisc")));
    });
}

}

FindDefinition WorkerFindScreen::definition()
{
    return {FindName, QStringLiteral(" Trova lavoratori in archivio"), &WorkerRecord::layout(), workerArchive,
           WorkerFind::filters(), WorkerFind::line(), WorkerFind::listTitle(), &remembered};
}

void WorkerFindScreen::open(QWidget *parent, const QString &mode)
{
    FindScreen::openModal(parent, definition(), mode);
}

SummaryDefinition WorkerFindScreen::contractsDue()
{
    static QString remembered;
    return {QStringLiteral("TfrmDaRinnovare"), QStringLiteral(" Riepilogo contratti in scadenza o scaduti"),
            WorkerFind::contractTitle(), &remembered, WorkerFind::ContractColumnsInView,
            [] { return WorkerFind::expiring(workerArchive(), Clock::today()).listing; }, WorkerFind::unreadableNotice,
            [](const QString &line) {
                PickModes::handOver(workerArchive(), WorkerRecord::layout(), WorkerFind::contractLine(), line,
                                    loadIntoRegistry);
            },
            // The name, the telephone and the two amounts give up room so that the contract's type
            // shows.
            {{0, 30, 10}, {30 + 7, 12, 10}, {30 + 7 + 12 + 8 + 10 + 9, 12, 8}, {30 + 7 + 12 + 8 + 10 + 9 + 12 + 10, 12, 8}}};
}

void installWorkerFind()
{
    registerModes();
    WorkerCardScreen::openFind = [](WorkerCardScreen *screen) { WorkerFindScreen::open(screen, QStringLiteral("istruttori")); };
    WorkerCardScreen::openExpiring = [](WorkerCardScreen *screen) {
        SummaryScreen::openModal(screen, WorkerFindScreen::contractsDue());
    };
    WorkCardScreen::openWorkerFind = [](WorkCardScreen *screen) { WorkerFindScreen::open(screen, QStringLiteral("lavori")); };
    if (auto *registry = qobject_cast<WorkerCardScreen *>(PickModes::screen(QStringLiteral("TfrmIstruttori"))))
        registry->updateCommands();
}
