#pragma once
#include <QString>

// The card of an archive on paper without a user: the card is loaded into its own screen, as
// a user paging to it would see it, and that screen's printed page is written as a PDF file.
namespace PrintStored {

// Card n (the first is 1) of a worker, schedule, daily, weekly or work archive. Empty when
// the file was written, else what went wrong.
QString write(const QString &archive, qint64 n, const QString &pdf);

}
