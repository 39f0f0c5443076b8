#pragma once
#include <QString>
#include <QtGlobal>

// Archives filled with made-up but plausible cards, the same bytes for the same seed, for
// measuring whole-archive work and for trying screens on a full year.
namespace ArchiveGenerator {

// `count` worker cards in the Dipendenti.pro layout.
bool writeWorkers(const QString &path, qint64 count, quint64 seed, QString *error = nullptr);

// `count` work cards of `year` in the <year>.lav layout, for a staff of `staff` people; the
// dates advance through the year as a daily log would.
bool writeWorks(const QString &path, qint64 count, int year, quint64 seed, int staff = 150,
                QString *error = nullptr);

}
