#pragma once
#include "archive/RecordLayout.h"

// Orari.pro: the preset work schedules.
namespace ScheduleRecord {

inline constexpr std::array<FieldSpec, 47> Fields{{
    {"Nome", 50}, {"Periodo", 50}, {"Sede", 50}, {"Disposizioni", 250}, {"Annotazioni", 250},
    {"Inizio01", 5}, {"Fine01", 5}, {"Attivita01", 120}, {"Inizio02", 5}, {"Fine02", 5},
    {"Attivita02", 120}, {"Inizio03", 5}, {"Fine03", 5}, {"Attivita03", 120}, {"Inizio04", 5},
    {"Fine04", 5}, {"Attivita04", 120}, {"Inizio05", 5}, {"Fine05", 5}, {"Attivita05", 120},
    {"Inizio06", 5}, {"Fine06", 5}, {"Attivita06", 120}, {"Inizio07", 5}, {"Fine07", 5},
    {"Attivita07", 120}, {"Inizio08", 5}, {"Fine08", 5}, {"Attivita08", 120}, {"Inizio09", 5},
    {"Fine09", 5}, {"Attivita09", 120}, {"Inizio10", 5}, {"Fine10", 5}, {"Attivita10", 120},
    {"Inizio11", 5}, {"Fine11", 5}, {"Attivita11", 120}, {"Inizio12", 5}, {"Fine12", 5},
    {"Attivita12", 120}, {"File01", 250}, {"File02", 250}, {"File03", 250}, {"Desc01", 250},
    {"Desc02", 250}, {"Desc03", 250},
}};

static_assert(recordSize(Fields) == 3757);
static_assert(offsetOf(Fields, "Periodo") == 51);
static_assert(offsetOf(Fields, "Inizio07") == 1453);
static_assert(offsetOf(Fields, "Desc03") == 3506);

const RecordLayout &layout();

}
