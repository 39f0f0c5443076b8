#pragma once
#include <QString>

// Which archive a file of the data folder is, told by its name alone: what the backups copy,
// what an export is named after. The record layouts stay with their modules.
namespace ArchiveNames {

inline constexpr char WorkerFile[] = "Dipendenti.pro";
inline constexpr char ScheduleFile[] = "Orari.pro";

// "lavoratori", "orari", "turni" (ANNO.ore), "settimanale" (ANNO.set), "progetti" (ANNO.prg),
// "lavori" (ANNO.lav), or empty when the file is not one of ours.
QString kindOf(const QString &path);

}
