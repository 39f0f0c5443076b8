#pragma once
#include "archive/RecordLayout.h"

// <year>.prg: the projects of a year; every field is zero-terminated text.
namespace ProjectRecord {

inline constexpr std::array<FieldSpec, 31> Fields{{
    {"Nome", 120, FieldKind::ZText}, {"Codice", 30, FieldKind::ZText},
    {"Ambito", 50, FieldKind::ZText}, {"Descrizione", 250, FieldKind::ZText},
    {"DataInizio", 10, FieldKind::ZText}, {"DataScade", 10, FieldKind::ZText},
    {"CostoPrev", 12, FieldKind::ZText}, {"Stato", 50, FieldKind::ZText},
    {"Responsabile", 50, FieldKind::ZText}, {"Recapito", 50, FieldKind::ZText},
    {"Obiettivi", 250, FieldKind::ZText}, {"Questioni", 250, FieldKind::ZText},
    {"Fasi", 5000, FieldKind::ZText}, {"Terminato", 2, FieldKind::ZText},
    {"Membri", 5000, FieldKind::ZText}, {"TotMembri", 4, FieldKind::ZText},
    {"Materiali", 5000, FieldKind::ZText}, {"Tecniche", 5000, FieldKind::ZText},
    {"Espletate", 10000, FieldKind::ZText}, {"Svolgere", 10000, FieldKind::ZText},
    {"Costi", 5000, FieldKind::ZText}, {"Effettuati", 5000, FieldKind::ZText},
    {"Effettuare", 5000, FieldKind::ZText}, {"TotCosti", 12, FieldKind::ZText},
    {"Annotazioni", 5000, FieldKind::ZText}, {"File01", 250, FieldKind::ZText},
    {"File02", 250, FieldKind::ZText}, {"File03", 250, FieldKind::ZText},
    {"Desc01", 250, FieldKind::ZText}, {"Desc02", 250, FieldKind::ZText},
    {"Desc03", 250, FieldKind::ZText},
}};

static_assert(recordSize(Fields) == 62681);
static_assert(offsetOf(Fields, "Codice") == 121);
static_assert(offsetOf(Fields, "TotMembri") == 11149);
static_assert(offsetOf(Fields, "Desc03") == 62430);

const RecordLayout &layout();

}
