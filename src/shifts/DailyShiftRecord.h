#pragma once
#include "archive/RecordLayout.h"

#include <optional>

// <year>.ore: the daily shift tables of a year.
namespace DailyShiftRecord {

inline constexpr std::array<FieldSpec, 60> Fields{{
    {"Nome", 50}, {"Data", 10}, {"Periodo", 50}, {"Sede", 50}, {"Disposizioni", 250},
    {"Annotazioni", 250}, {"Inizio01", 5}, {"Fine01", 5}, {"Attivita01", 120}, {"Inizio02", 5},
    {"Fine02", 5}, {"Attivita02", 120}, {"Inizio03", 5}, {"Fine03", 5}, {"Attivita03", 120},
    {"Inizio04", 5}, {"Fine04", 5}, {"Attivita04", 120}, {"Inizio05", 5}, {"Fine05", 5},
    {"Attivita05", 120}, {"Inizio06", 5}, {"Fine06", 5}, {"Attivita06", 120}, {"Inizio07", 5},
    {"Fine07", 5}, {"Attivita07", 120}, {"Inizio08", 5}, {"Fine08", 5}, {"Attivita08", 120},
    {"Inizio09", 5}, {"Fine09", 5}, {"Attivita09", 120}, {"Inizio10", 5}, {"Fine10", 5},
    {"Attivita10", 120}, {"Inizio11", 5}, {"Fine11", 5}, {"Attivita11", 120}, {"Inizio12", 5},
    {"Fine12", 5}, {"Attivita12", 120}, {"Lavoratore01", 120}, {"Lavoratore02", 120},
    {"Lavoratore03", 120}, {"Lavoratore04", 120}, {"Lavoratore05", 120}, {"Lavoratore06", 120},
    {"Lavoratore07", 120}, {"Lavoratore08", 120}, {"Lavoratore09", 120}, {"Lavoratore10", 120},
    {"Lavoratore11", 120}, {"Lavoratore12", 120}, {"File01", 250}, {"File02", 250},
    {"File03", 250}, {"Desc01", 250}, {"Desc02", 250}, {"Desc03", 250},
}};

static_assert(recordSize(Fields) == 5220);
static_assert(offsetOf(Fields, "Data") == 51);
static_assert(offsetOf(Fields, "Inizio09") == 1730);
static_assert(offsetOf(Fields, "Desc03") == 4969);

const RecordLayout &layout();

// A worker imported into a band joins the workers already there, after a comma: the text
// the band's box becomes, or nothing when the list would no longer fit the field (a name
// cut in half would read as another worker).
std::optional<QString> joinedWorkers(const QString &before, const QString &surname, const QString &name);
QString workersTooLong();

}
