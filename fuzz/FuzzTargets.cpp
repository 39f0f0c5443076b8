#include "FuzzTargets.h"

#include "app/Crypt.h"
#include "app/Routines.h"
#include "archive/ArchiveKinds.h"
#include "archive/Archivio.h"
#include "archive/TextCodec.h"
#include "checks/CardCheck.h"
#include "checks/CodFiscCheck.h"
#include "checks/IbanCheck.h"
#include "checks/PartitaIvaCheck.h"
#include "workers/WorkerRecord.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

namespace {
QString text(const uint8_t *data, size_t size)
{
    return Cp1252::decode(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
}
void require(bool condition)
{
    if (!condition)
        std::abort();
}
}

// Any bytes as a worker archive: every record loads within its fields, stores back the same
// text, and the scan sees exactly the whole records.
int fuzzRecords(const uint8_t *data, size_t size)
{
    // Memory-backed where there is one: the target is the decoding, not the disk.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/veltaro-fuzz-XXXXXX")
                                                                      : QDir::tempPath() + QStringLiteral("/veltaro-fuzz-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("Dipendenti.pro"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    const RecordLayout &layout = *ArchiveKinds::forFile(path).layout;
    TArchivio archive(path, layout.size());
    qint64 seen = 0;
    require(archive.scan([&](qint64 n, const char *record) {
        require(n == ++seen);
        static Record r(layout), copy(layout);
        r.bytes() = QByteArray(record, layout.size());
        for (int i = 0; i < layout.count(); ++i) {
            const QString value = r.get(i);
            require(value.size() <= layout.field(i).width);
            copy.set(i, value);
            require(copy.get(i) == value);
        }
        return true;
    }));
    require(seen == qint64(size) / layout.size());
    return 0;
}

// The date rule: whatever it accepts is a real date that reads back the same.
int fuzzDates(const uint8_t *data, size_t size)
{
    const auto d = Routines::parseDate(text(data, size), QDate(2017, 6, 15));
    if (d) {
        require(d->isValid() && d->year() >= 1 && d->year() <= 9999);
        require(Routines::parseDate(Routines::dateText(*d), QDate(2017, 6, 15)) == d);
    }
    return 0;
}

// The amount rule always gives a number with two to four decimals that it keeps as it is.
int fuzzAmounts(const uint8_t *data, size_t size)
{
    const QString out = Routines::amountRule(text(data, size), 4);
    const auto comma = out.indexOf(QLatin1Char(','));
    require(comma > 0);
    const auto decimals = out.size() - comma - 1;
    if (!out.contains(QLatin1Char('e')))
        require(decimals >= 2 && decimals <= 4);
    require(Routines::amountRule(out, 4) == out);
    return 0;
}

// Unscrambling never crashes; what scrambles comes back unchanged.
int fuzzPassword(const uint8_t *data, size_t size)
{
    const QString input = text(data, size);
    (void)Crypt::unscramble(input);
    QString latin;
    for (QChar c : input)
        if (c.unicode() < 256)
            latin += c;
    const auto back = Crypt::unscramble(Crypt::scramble(latin));
    require(back && *back == latin);
    return 0;
}

// Every identifier check answers every input with a message.
int fuzzChecks(const uint8_t *data, size_t size)
{
    const QString input = text(data, size);
    require(!CodFiscCheck::message(CodFiscCheck::check(input)).text.isEmpty());
    require(!PartitaIvaCheck::message(PartitaIvaCheck::check(input)).text.isEmpty());
    require(!IbanCheck::message(IbanCheck::check(input)).text.isEmpty());
    require(!CardCheck::message(CardCheck::check(input)).text.isEmpty());
    return 0;
}
