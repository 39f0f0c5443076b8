#include "schedules/ScheduleCardScreen.h"

#include "archive/CardForm.h"
#include "framework/BoxBehaviour.h"
#include "framework/Dialogs.h"
#include "framework/Routines.h"
#include "schedules/ScheduleFind.h"
#include "schedules/ScheduleFindScreen.h"
#include "schedules/ScheduleRecord.h"
#include "settings/ProgramFolder.h"

#include <QLineEdit>

namespace {

using CardForm::Kind;
const std::vector<CardForm::Section> &sections()
{
    static const std::vector<CardForm::Section> s = {
        {nullptr, 0,
         {{"Nome tabella turni:", "Nome"},
          {"Periodo validità:", "Periodo"},
          {"Sede operativa:", "Sede", Kind::Text, 0, {}, true},
          {"Disposizioni organizzative:", "Disposizioni"}}},
        {nullptr, 0,
         {{"DALLE ORE:", "Inizio", Kind::Centred, 5},
          {"ALLE ORE:", "Fine", Kind::Centred, 5},
          {"ATTIVITA' DA SVOLGERE:", "Attivita"}},
         CardForm::Shape::Bands, 12},
        {nullptr, 0, {{"Annotazioni:", "Annotazioni"}}},
    };
    return s;
}

}

QString missingTableName()
{
    return QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il nome identificativo della tabella dei turni.");
}

ScheduleCardScreen::ScheduleCardScreen(QWidget *parent)
    : CardScreen(QStringLiteral("TfrmOrari"), QStringLiteral(" Veltaro - Impostazione orari"), ScheduleRecord::layout(),
                 parent)
{
    createHintLine(QStringLiteral("Pronto per archiviare una nuova scheda..."));
}

QString ScheduleCardScreen::archivePath() const
{
    return ProgramFolder::file(ScheduleFind::fileName());
}

QLineEdit *ScheduleCardScreen::box(const QString &field) const
{
    return findChild<QLineEdit *>(QStringLiteral("txt") + field);
}

void ScheduleCardScreen::build()
{
    buildStandardBar({"btnNuovo", "btnDuplica", "btnSalva", "btnTrova", "cmdPrimo", "cmdIndietro", "", "cmdAvanti",
                      "cmdUltimo", "btnAllega", "btnStampa", "btnEsporta", "btnGuida", "btnEsci"},
                     {{"btnTrova", [this] { ScheduleFindScreen::open(this, QStringLiteral("orari")); }}});
    findChild<QWidget *>(QStringLiteral("btnGuida"))->setProperty("helpTopic", QStringLiteral("Applicazione Impostazione orari."));
    CardForm::build(this, ScheduleRecord::layout(), sections());
    createAttachmentLabels(content());
    bindFields();

    QList<QWidget *> chain;
    for (const char *f : {"Nome", "Periodo", "Sede", "Disposizioni"}) {
        chain << box(QLatin1String(f));
        Box::setup(chain.last());
        Box::highlight(chain.last());
    }
    for (int band = 1; band <= 12; ++band)
        for (const char *f : {"Inizio", "Fine", "Attivita"}) {
            chain << box(CardForm::bandName("", f, band));
            Box::setup(chain.last());
        }
    chain << box(QStringLiteral("Annotazioni"));
    Box::setup(chain.last());
    Box::chain(chain);
}

QWidget *ScheduleCardScreen::firstField() const
{
    return box(QStringLiteral("Nome"));
}

bool ScheduleCardScreen::checkSave()
{
    if (!Routines::trimmed(box(QStringLiteral("Nome"))->text()).isEmpty())
        return true;
    Dialogs::warning(this, missingTableName());
    box(QStringLiteral("Nome"))->setFocus();
    return false;
}
