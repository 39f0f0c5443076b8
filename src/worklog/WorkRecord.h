#pragma once
#include "archive/RecordLayout.h"

#include <QString>
#include <optional>

// <year>.lav: one card per work performance of a worker on a day.
namespace WorkRecord {

inline constexpr std::array<FieldSpec, 31> Fields{{
    {"Cognome", 50},     {"Nome", 50},        {"CodFisc", 16},     {"Recapito", 50},
    {"Mansione", 50},    {"Categoria", 50},   {"Data", 10},        {"Luogo", 50},
    {"Attivita", 250},   {"DaOre", 2},        {"DaMin", 2},        {"AOre", 2},
    {"AMin", 2},         {"OraInizio", 5},    {"OraFine", 5},      {"TotOre", 6},
    {"CompensoOra", 15}, {"TotDovuto", 15},   {"NomeProg", 120},   {"CodiceProg", 30},
    {"AmbitoProg", 50},  {"Postazione", 50},  {"Materiali", 250},  {"Note", 250},
    {"Incompleto", 2},   {"File01", 250},     {"File02", 250},     {"File03", 250},
    {"Desc01", 250},     {"Desc02", 250},     {"Desc03", 250},
}};

inline constexpr int Size = recordSize(Fields);
static_assert(Size == 2913);
static_assert(offsetOf(Fields, "CodFisc") == 102);
static_assert(offsetOf(Fields, "Data") == 272);
static_assert(offsetOf(Fields, "Attivita") == 334);
static_assert(offsetOf(Fields, "OraInizio") == 597);
static_assert(offsetOf(Fields, "TotDovuto") == 632);
static_assert(offsetOf(Fields, "NomeProg") == 648);
static_assert(offsetOf(Fields, "Incompleto") == 1404);
static_assert(offsetOf(Fields, "Desc03") == 2662);

// Where a field lies, for readers that work on raw records (summaries, statistics).
struct Place {
    int offset;
    int width;
};
constexpr Place place(std::string_view name)
{
    int offset = 0;
    for (const auto &f : Fields) {
        if (f.name == name)
            return {offset, f.width};
        offset += fieldBytes(f);
    }
    return {-1, 0};
}

// A length byte past the field's width: the bytes after the width belong to the next field,
// so the card is damaged and what the field holds cannot be known.
inline bool overlong(const char *record, Place f)
{
    return static_cast<unsigned char>(record[f.offset]) > f.width;
}

// The stored text of a field as bytes, with the load rule's trimming (codes 32 and below
// at either end); Windows-1252 keeps those codes at the same byte values.
inline QByteArrayView trimmedBytes(const char *record, Place f)
{
    const char *p = record + f.offset;
    int b = 1, e = 1 + qMin(int(static_cast<unsigned char>(p[0])), f.width);
    while (b < e && static_cast<unsigned char>(p[b]) <= 32)
        ++b;
    while (e > b && static_cast<unsigned char>(p[e - 1]) <= 32)
        --e;
    return QByteArrayView(p + b, e - b);
}

const RecordLayout &layout();

// "2017.lav" from the year as typed in a year menu (trimmed).
QString fileName(const QString &year);
// Program folder (ending with '/') followed by the file name.
QString filePath(const QString &folder, const QString &year);

// The two values of the incomplete mark.
inline const QString IncompletoSi = QStringLiteral("S\u00ec");
inline const QString IncompletoNo = QStringLiteral("No");
QString incompletoText(bool incomplete);
// Ticked for "Sì", cleared for "No"; any other stored value leaves the box as it was.
std::optional<bool> incompletoFromText(const QString &stored);

// "hh:mm" kept in OraInizio and OraFine: the trimmed hour and minute boxes joined by ':'.
QString timeText(const QString &hours, const QString &minutes);

}
