#pragma once
#include "archive/RecordLayout.h"

// <year>.set: the weekly shift tables of a year.
namespace WeeklyShiftRecord {

inline constexpr std::array<FieldSpec, 121> Fields{{
    {"Nome", 50}, {"DataInizio", 10}, {"DataFine", 10}, {"Sede", 50}, {"Disposizioni", 250},
    {"Annotazioni", 250}, {"Inizio01", 5}, {"Fine01", 5}, {"Inizio02", 5}, {"Fine02", 5},
    {"Inizio03", 5}, {"Fine03", 5}, {"Inizio04", 5}, {"Fine04", 5}, {"Inizio05", 5}, {"Fine05", 5},
    {"Inizio06", 5}, {"Fine06", 5}, {"Inizio07", 5}, {"Fine07", 5}, {"Inizio08", 5}, {"Fine08", 5},
    {"Riservato", 120}, {"Inizio09", 5}, {"Fine09", 5}, {"Inizio10", 5}, {"Fine10", 5},
    {"Inizio11", 5}, {"Fine11", 5}, {"Inizio12", 5}, {"Fine12", 5}, {"Lun01", 40}, {"Lun02", 40},
    {"Lun03", 40}, {"Lun04", 40}, {"Lun05", 40}, {"Lun06", 40}, {"Lun07", 40}, {"Lun08", 40},
    {"Lun09", 40}, {"Lun10", 40}, {"Lun11", 40}, {"Lun12", 40}, {"Mar01", 40}, {"Mar02", 40},
    {"Mar03", 40}, {"Mar04", 40}, {"Mar05", 40}, {"Mar06", 40}, {"Mar07", 40}, {"Mar08", 40},
    {"Mar09", 40}, {"Mar10", 40}, {"Mar11", 40}, {"Mar12", 40}, {"Mer01", 40}, {"Mer02", 40},
    {"Mer03", 40}, {"Mer04", 40}, {"Mer05", 40}, {"Mer06", 40}, {"Mer07", 40}, {"Mer08", 40},
    {"Mer09", 40}, {"Mer10", 40}, {"Mer11", 40}, {"Mer12", 40}, {"Gio01", 40}, {"Gio02", 40},
    {"Gio03", 40}, {"Gio04", 40}, {"Gio05", 40}, {"Gio06", 40}, {"Gio07", 40}, {"Gio08", 40},
    {"Gio09", 40}, {"Gio10", 40}, {"Gio11", 40}, {"Gio12", 40}, {"Ven01", 40}, {"Ven02", 40},
    {"Ven03", 40}, {"Ven04", 40}, {"Ven05", 40}, {"Ven06", 40}, {"Ven07", 40}, {"Ven08", 40},
    {"Ven09", 40}, {"Ven10", 40}, {"Ven11", 40}, {"Ven12", 40}, {"Sab01", 40}, {"Sab02", 40},
    {"Sab03", 40}, {"Sab04", 40}, {"Sab05", 40}, {"Sab06", 40}, {"Sab07", 40}, {"Sab08", 40},
    {"Sab09", 40}, {"Sab10", 40}, {"Sab11", 40}, {"Sab12", 40}, {"Dom01", 40}, {"Dom02", 40},
    {"Dom03", 40}, {"Dom04", 40}, {"Dom05", 40}, {"Dom06", 40}, {"Dom07", 40}, {"Dom08", 40},
    {"Dom09", 40}, {"Dom10", 40}, {"Dom11", 40}, {"Dom12", 40}, {"File01", 250}, {"File02", 250},
    {"File03", 250}, {"Desc01", 250}, {"Desc02", 250}, {"Desc03", 250},
}};

static_assert(recordSize(Fields) == 5841);
static_assert(offsetOf(Fields, "DataInizio") == 51);
static_assert(offsetOf(Fields, "Mer06") == 2080);
static_assert(offsetOf(Fields, "Desc03") == 5590);

const RecordLayout &layout();

}
