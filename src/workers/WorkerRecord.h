#pragma once
#include "archive/RecordLayout.h"

#include <QStringList>

// Dipendenti.pro: one card per worker.
namespace WorkerRecord {

inline constexpr std::array<FieldSpec, 51> Fields{{
    {"Cognome", 50},     {"Nome", 50},          {"CodFisc", 16},      {"Sesso", 1},
    {"DataNasc", 10},    {"ComuneNasc", 50},    {"ProvNasc", 2},      {"Iva", 11},
    {"Indirizzo", 50},   {"Cap", 5},            {"ComuneRes", 50},    {"ProvRes", 2},
    {"Stato", 50},       {"Familiari", 250},    {"Recapito", 50},     {"TelCasa", 50},
    {"TelCel", 50},      {"TelUff", 50},        {"Fax", 50},          {"Email", 50},
    {"Qualifiche", 250}, {"Professione", 50},   {"Iban", 27},         {"Intestatario", 50},
    {"Banca", 50},       {"Carta", 50},         {"ScadeCarta", 10},   {"Prodotti", 250},
    {"Pagamento", 120},  {"Note", 250},         {"TipoDoc", 50},      {"NumDoc", 50},
    {"EnteRil", 50},     {"DataRil", 10},       {"DataSca", 10},      {"Codice", 30},
    {"Categoria", 50},   {"Zona", 50},          {"Acquisto", 50},     {"Decorrenza", 10},
    {"Scadenza", 10},    {"Preavviso", 3},      {"Totale", 15},       {"Frazionamento", 50},
    {"Rata", 50},        {"File01", 250},       {"File02", 250},      {"File03", 250},
    {"Desc01", 250},     {"Desc02", 250},       {"Desc03", 250},
}};

static_assert(recordSize(Fields) == 4043);
static_assert(offsetOf(Fields, "CodFisc") == 102);
static_assert(offsetOf(Fields, "Familiari") == 360);
static_assert(offsetOf(Fields, "Pagamento") == 1662);
static_assert(offsetOf(Fields, "Decorrenza") == 2393);
static_assert(offsetOf(Fields, "Rata") == 2486);
static_assert(offsetOf(Fields, "Desc03") == 3792);

const RecordLayout &layout();
QString fileName();                    // "Dipendenti.pro"
const QStringList &provinces();        // the codes offered by the province boxes

}
