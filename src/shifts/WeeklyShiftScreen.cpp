#include "shifts/WeeklyShiftScreen.h"

#include "archive/CardForm.h"
#include "framework/BoxBehaviour.h"
#include "framework/Routines.h"
#include "schedules/ScheduleCardScreen.h"
#include "schedules/ScheduleFindScreen.h"
#include "shifts/ShiftFindScreen.h"
#include "shifts/WeeklyShiftRecord.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>

namespace {

using CardForm::Kind;
constexpr const char *DateHint = "Premi un tasto qualsiasi per importare una data dal calendario.";

const std::vector<CardForm::Section> &sections()
{
    static const std::vector<CardForm::Section> s = {
        {nullptr, 0,
         {{"Nome tabella turni:", "Nome", Kind::Text, 0,
           {"impNome", nullptr, "Importa un turno predefinito dall'archivio degli orari.", ">"}},
          {"Data inizio:", "DataInizio", Kind::Centred, 10,
           {"impDatainizio", nullptr, "Importa una data dal calendario.", "31"}, true, DateHint},
          {"Data fine:", "DataFine", Kind::Centred, 10, {"impDataFine", nullptr, "Importa una data dal calendario.", "31"},
           true, DateHint},
          {"Sede operativa:", "Sede"},
          {"Disposizioni organizzative:", "Disposizioni"}}},
        {nullptr, 0,
         {{"Dalle ore", "Inizio", Kind::Centred, 5},
          {"Alle ore", "Fine", Kind::Centred, 5},
          {"LUNEDI'", "Lun", Kind::Wrapped},
          {"MARTEDI'", "Mar", Kind::Wrapped},
          {"MERCOLEDI'", "Mer", Kind::Wrapped},
          {"GIOVEDI'", "Gio", Kind::Wrapped},
          {"VENERDI'", "Ven", Kind::Wrapped},
          {"SABATO", "Sab", Kind::Wrapped},
          {"DOMENICA", "Dom", Kind::Wrapped}},
         CardForm::Shape::Bands, 12},
        {nullptr, 0, {{"Annotazioni:", "Annotazioni"}}},
    };
    return s;
}

}

const QStringList &weekDays()
{
    static const QStringList days{"Lun", "Mar", "Mer", "Gio", "Ven", "Sab", "Dom"};
    return days;
}

WeeklyShiftScreen::WeeklyShiftScreen(QWidget *parent)
    : ShiftScreen(QStringLiteral("TfrmSettimanale"), WeeklyShiftRecord::layout(), parent)
{
}

void WeeklyShiftScreen::build()
{
    buildStandardBar({"btnNuovo", "btnDuplica", "btnSalva", "btnTrova", "cmdPrimo", "cmdIndietro", "", "cmdAvanti",
                      "cmdUltimo", "btnAllega", "btnAnteprima", "btnStampa", "btnGuida", "btnEsci"},
                     {{"btnTrova", [this] { WeeklyShiftFindScreen::open(this); }}});
    findChild<QWidget *>(QStringLiteral("btnGuida"))->setProperty("helpTopic", QStringLiteral("Applicazione Calendario turni."));
    CardForm::build(this, WeeklyShiftRecord::layout(), sections());
    createAttachmentLabels(content());
    bindFields();

    for (const char *f : {"Nome", "Sede", "Disposizioni"}) {
        Box::setup(box(QLatin1String(f)));
        Box::highlight(box(QLatin1String(f)));
    }
    pickerDate(QStringLiteral("DataInizio"), QStringLiteral("set_inizio"), "impDatainizio");
    pickerDate(QStringLiteral("DataFine"), QStringLiteral("set_fine"), "impDataFine");
    // Enter fills the grid row by row: a band's times, then its days from Monday to Sunday.
    Box::enterTo(box(QStringLiteral("Nome")), box(QStringLiteral("DataInizio")));
    QList<QWidget *> chain{box(QStringLiteral("Sede")), box(QStringLiteral("Disposizioni"))};
    for (int band = 1; band <= 12; ++band) {
        QStringList row{QStringLiteral("Inizio"), QStringLiteral("Fine")};
        row << weekDays();
        for (const QString &f : row) {
            QLineEdit *cell = box(CardForm::bandName("", qPrintable(f), band));
            chain << cell;
            Box::setup(cell);
        }
    }
    chain << box(QStringLiteral("Annotazioni")) << box(QStringLiteral("Nome"));
    Box::setup(box(QStringLiteral("Annotazioni")));
    for (int i = 0; i + 1 < chain.size(); ++i)
        Box::enterTo(chain.at(i), chain.at(i + 1));
    connect(findChild<QAbstractButton *>(QStringLiteral("impNome")), &QAbstractButton::clicked, this,
            [this] { ScheduleFindScreen::open(this, QStringLiteral("settimanale")); });

    // An end before the start is stored as it is, but said beside the dates.
    m_datesNote = new QLabel(box(QStringLiteral("DataFine"))->parentWidget());
    m_datesNote->setObjectName(QStringLiteral("lblDateInvertite"));
    m_datesNote->setStyleSheet(QStringLiteral("color: #b03a2e;"));
    // Two short lines, so the name beside it keeps its room on a narrow screen.
    m_datesNote->setWordWrap(true);
    const QFontMetrics fm = m_datesNote->fontMetrics();
    m_datesNote->setFixedWidth(
        qMax(fm.horizontalAdvance(QStringLiteral("Fine prima")), fm.horizontalAdvance(QStringLiteral("dell'inizio"))) + 8);
    m_datesNote->setToolTip(QStringLiteral("La data di fine precede quella di inizio: la scheda si può salvare comunque."));
    m_datesNote->hide();
    CardForm::addBeside(box(QStringLiteral("DataFine")), m_datesNote);
    for (const char *f : {"DataInizio", "DataFine"})
        connect(box(QLatin1String(f)), &QLineEdit::textChanged, this, &WeeklyShiftScreen::noteDates);
}

void WeeklyShiftScreen::noteDates()
{
    const auto start = Routines::parseDate(box(QStringLiteral("DataInizio"))->text());
    const auto end = Routines::parseDate(box(QStringLiteral("DataFine"))->text());
    const bool inverted = start && end && *end < *start;
    m_datesNote->setText(inverted ? QStringLiteral("Fine prima dell'inizio") : QString());
    m_datesNote->setVisible(inverted);
}

bool WeeklyShiftScreen::checkSave()
{
    return required(QStringLiteral("Nome"), missingTableName())
        && required(QStringLiteral("DataInizio"),
                    QStringLiteral("Attenzione: per salvare la scheda è necessario indicare la data di inizio della "
                                   "settimana a cui si riferiscono i turni di lavoro."))
        && required(QStringLiteral("DataFine"),
                    QStringLiteral("Attenzione: per salvare la scheda è necessario indicare la data di fine della "
                                   "settimana a cui si riferiscono i turni di lavoro."));
}
