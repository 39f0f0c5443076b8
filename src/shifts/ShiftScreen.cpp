#include "shifts/ShiftScreen.h"

#include "archive/CardForm.h"
#include "framework/BoxBehaviour.h"
#include "framework/CalendarDialog.h"
#include "framework/Dialogs.h"
#include "framework/Routines.h"
#include "schedules/ScheduleCardScreen.h"
#include "schedules/ScheduleFindScreen.h"
#include "shifts/DailyShiftRecord.h"
#include "shifts/ShiftFindScreen.h"
#include "workers/WorkerFindScreen.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>

namespace {

using CardForm::Kind;
constexpr const char *DateHint = "Premi un tasto qualsiasi per importare una data dal calendario.";
constexpr CardForm::Button PresetImport{"impNome", nullptr, "Importa un turno predefinito dall'archivio degli orari.", ">"};

const std::vector<CardForm::Section> &sections()
{
    static const std::vector<CardForm::Section> s = {
        {nullptr, 0,
         {{"Nome tabella turni:", "Nome", Kind::Text, 0, PresetImport},
          {"Data:", "Data", Kind::Centred, 10, {"impData", nullptr, "Importa una data dal calendario.", "31"}, true, DateHint},
          // Period and site share a line: each still shows its whole text at 1024 pixels.
          {"Periodo validità:", "Periodo"},
          {"Sede operativa:", "Sede", Kind::Text, 0, {}, true},
          {"Disposizioni organizzative:", "Disposizioni"}}},
        {nullptr, 0,
         {{"DALLE ORE", "Inizio", Kind::Centred, 5},
          {"ALLE ORE", "Fine", Kind::Centred, 5},
          {"TURNISTI", "Lavoratore", Kind::Wrapped, 0,
           {"impLavoratore", nullptr, "Importa un turnista dall'archivio anagrafico dei lavoratori.", "+"}},
          {"ATTIVITA' DA SVOLGERE", "Attivita", Kind::Wrapped}},
         CardForm::Shape::Bands, 12},
        {nullptr, 0, {{"Annotazioni:", "Annotazioni"}}},
    };
    return s;
}

}

ShiftScreen::ShiftScreen(const QString &objectName, const RecordLayout &layout, QWidget *parent)
    : CardScreen(objectName, QStringLiteral(" Veltaro - Programmazione turni"), layout, parent)
{
    createHintLine(QStringLiteral("Pronto per archiviare una nuova scheda..."));
    // The year menu names the archive before the screen is first shown.
    auto *file = new QLabel(content());
    file->setObjectName(QStringLiteral("lblFile"));
    file->hide();
}

QString ShiftScreen::archivePath() const
{
    return findChild<QLabel *>(QStringLiteral("lblFile"))->text().trimmed();
}

QLineEdit *ShiftScreen::box(const QString &field) const
{
    return findChild<QLineEdit *>(QStringLiteral("txt") + field);
}

QWidget *ShiftScreen::firstField() const
{
    return box(QStringLiteral("Nome"));
}

void ShiftScreen::pickerDate(const QString &field, const QString &mode, const char *pictureName)
{
    QLineEdit *date = box(field);
    CalendarDialog::registerTarget(mode, date);
    const auto pick = [this, mode] { CalendarDialog::pick(this, mode); };
    Box::setup(date, {.picker = pick});
    Box::highlight(date);
    connect(findChild<QAbstractButton *>(QLatin1String(pictureName)), &QAbstractButton::clicked, this, pick);
}

bool ShiftScreen::required(const QString &field, const QString &warning)
{
    if (!Routines::trimmed(box(field)->text()).isEmpty())
        return true;
    Dialogs::warning(this, warning);
    box(field)->setFocus();
    return false;
}

DailyShiftScreen::DailyShiftScreen(QWidget *parent)
    : ShiftScreen(QStringLiteral("TfrmTurni"), DailyShiftRecord::layout(), parent)
{
}

void DailyShiftScreen::build()
{
    buildStandardBar({"btnNuovo", "btnDuplica", "btnSalva", "btnTrova", "cmdPrimo", "cmdIndietro", "", "cmdAvanti",
                      "cmdUltimo", "btnAllega", "btnAnteprima", "btnStampa", "btnEsporta", "btnGuida", "btnEsci"},
                     {{"btnTrova", [this] { DailyShiftFindScreen::open(this); }}});
    findChild<QWidget *>(QStringLiteral("btnGuida"))->setProperty("helpTopic", QStringLiteral("Applicazione Calendario turni."));
    CardForm::build(this, DailyShiftRecord::layout(), sections());
    createAttachmentLabels(content());
    bindFields();

    for (const char *f : {"Nome", "Periodo", "Sede", "Disposizioni"}) {
        Box::setup(box(QLatin1String(f)));
        Box::highlight(box(QLatin1String(f)));
    }
    pickerDate(QStringLiteral("Data"), QStringLiteral("turni"), "impData");
    // Enter: the name leads to the date (which opens the picker), then the period is skipped.
    Box::enterTo(box(QStringLiteral("Nome")), box(QStringLiteral("Data")));
    QList<QWidget *> chain{box(QStringLiteral("Periodo")), box(QStringLiteral("Sede")), box(QStringLiteral("Disposizioni"))};
    for (int band = 1; band <= 12; ++band) {
        for (const char *f : {"Inizio", "Fine", "Lavoratore", "Attivita"}) {
            chain << box(CardForm::bandName("", f, band));
            Box::setup(chain.last());
        }
        const QString mode = QStringLiteral("turni_%1").arg(band, 2, 10, QLatin1Char('0'));
        connect(findChild<QAbstractButton *>(CardForm::bandName("", "impLavoratore", band)), &QAbstractButton::clicked, this,
                [this, mode] { WorkerFindScreen::open(this, mode); });
    }
    chain << box(QStringLiteral("Annotazioni")) << box(QStringLiteral("Nome"));
    Box::setup(box(QStringLiteral("Annotazioni")));
    for (int i = 0; i + 1 < chain.size(); ++i)
        Box::enterTo(chain.at(i), chain.at(i + 1));
    connect(findChild<QAbstractButton *>(QStringLiteral("impNome")), &QAbstractButton::clicked, this,
            [this] { ScheduleFindScreen::open(this, QStringLiteral("turni")); });
}

bool DailyShiftScreen::checkSave()
{
    return required(QStringLiteral("Nome"), missingTableName())
        && required(QStringLiteral("Data"),
                    QStringLiteral("Attenzione: per salvare la scheda è necessario indicare la data a cui si riferiscono i "
                                   "turni di lavoro."));
}
