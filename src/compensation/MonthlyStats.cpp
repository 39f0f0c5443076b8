#include "compensation/MonthlyStats.h"

#include "archive/ArchiveScan.h"
#include "archive/TextCodec.h"
#include "framework/Routines.h"
#include "worklog/WorkRecord.h"

#include <cstring>

namespace MonthlyStats {

namespace {

QByteArrayView trimmedBytes(QByteArrayView t)
{
    qsizetype b = 0, e = t.size();
    while (b < e && static_cast<unsigned char>(t[b]) <= 32)
        ++b;
    while (e > b && static_cast<unsigned char>(t[e - 1]) <= 32)
        --e;
    return t.sliced(b, e - b);
}

// "01" .. "12" as 1 .. 12, anything else 0.
int monthNumber(QByteArrayView t)
{
    if (t.size() != 2 || t[0] < '0' || t[0] > '1' || t[1] < '0' || t[1] > '9')
        return 0;
    const int m = (t[0] - '0') * 10 + (t[1] - '0');
    return m >= 1 && m <= 12 ? m : 0;
}

}

std::optional<Refusal> checkYear(const QString &anno)
{
    return Compensation::checkYear(anno);
}

QString title(const QString &anno)
{
    return QStringLiteral("Rappresentazione grafica delle rimunerazioni mensili dell'anno ")
           + Routines::trimmed(anno) + QLatin1Char('.');
}

Stats compute(const QString &path, const QString &anno)
{
    Stats out;
    const QString year = Routines::trimmed(anno);
    const QByteArray yearBytes = Cp1252::encode(year);
    // A year with a character the code page lacks can match no stored date.
    const bool yearStorable = Cp1252::decode(yearBytes) == year;
    static constexpr auto Data = WorkRecord::place("Data"), TotDovuto = WorkRecord::place("TotDovuto");

    struct Part {
        std::vector<std::pair<int, double>> amounts;   // month and total due, in file order
        QVector<SkippedCard> skipped;
    };
    auto scan = ArchiveScan::parts<Part>(path, WorkRecord::Size, [&](Part &part, qint64 n, const char *rec) {
        if (WorkRecord::overlong(rec, Data)) {
            part.skipped.append({n, SkippedCard::Damaged});
            return true;
        }
        // The trimmed date followed by ten blanks: month at characters 4-5, year at 7-10.
        const QByteArrayView date = WorkRecord::trimmedBytes(rec, Data);
        char padded[Data.width + 10];
        std::memcpy(padded, date.data(), size_t(date.size()));
        std::memset(padded + date.size(), ' ', 10);
        const int month = monthNumber(trimmedBytes(QByteArrayView(padded + 3, 2)));
        if (month == 0 || !yearStorable || trimmedBytes(QByteArrayView(padded + 6, 4)) != yearBytes)
            return true;
        if (WorkRecord::overlong(rec, TotDovuto)) {
            part.skipped.append({n, SkippedCard::Damaged});
            return true;
        }
        const auto amount = Compensation::storedAmount(WorkRecord::trimmedBytes(rec, TotDovuto));
        if (!amount) {
            part.skipped.append({n, SkippedCard::BadTotal});
            return true;
        }
        part.amounts.emplace_back(month, *amount);
        return true;
    });
    out.readOk = scan.ok;
    out.errorText = scan.error;
    // Each month's sum is taken card after card in file order, whatever the ranges.
    for (const Part &part : scan.parts) {
        for (const auto &[month, amount] : part.amounts)
            out.totals[month - 1] += amount;
        out.skipped += part.skipped;
    }

    for (int m = 0; m < 12; ++m) {
        // Each month goes through its label text, as the chart takes it from there.
        const QString label = Routines::numberText(out.totals[m]);
        out.rounded[m] = Routines::roundTo(Routines::parseNumber(label).value_or(0), 0);
        out.labels[m] = Routines::numberText(out.rounded[m]);
    }
    return out;
}

QString skippedNotice(const Stats &stats)
{
    return Compensation::skippedNotice(stats.skipped, QStringLiteral("grafico"));
}

}
