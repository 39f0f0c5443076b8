#include "FuzzTargets.h"

#include "archive/ArchiveFile.h"
#include "archive/TextCodec.h"
#include "checks/CardCheck.h"
#include "checks/CodFiscCheck.h"
#include "checks/IbanCheck.h"
#include "checks/PartitaIvaCheck.h"
#include "cli/Cli.h"
#include "framework/Routines.h"
#include "output/SheetExport.h"
#include "projects/ProjectRecord.h"
#include "projects/ProjectRtf.h"
#include "settings/Crypt.h"
#include "settings/IniText.h"
#include "shell/ArchiveKinds.h"
#include "workers/WorkerRecord.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <cstring>
#include <utility>

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

// Memory-backed where there is one: the target is the decoding, not the disk.
static QTemporaryDir &scratch()
{
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/veltaro-fuzz-XXXXXX")
                                                                      : QDir::tempPath() + QStringLiteral("/veltaro-fuzz-XXXXXX"));
    return dir;
}

// Any bytes as an archive: every record loads within its fields, stores back the same
// text, and the scan sees exactly the whole records.
static int scanArchive(const QString &name, const uint8_t *data, size_t size)
{
    const QString path = scratch().filePath(name);
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    const RecordLayout &layout = *ArchiveKinds::forFile(path).layout;
    ArchiveFile archive(path, layout.size());
    qint64 seen = 0;
    Record r(layout), copy(layout);
    require(archive.scan([&](qint64 n, const char *record) {
        require(n == ++seen);
        r.bytes() = QByteArray(record, layout.size());
        for (int i = 0; i < layout.count(); ++i) {
            const QString value = r.get(i);
            const RecordLayout::Field &f = layout.field(i);
            require(value.size() <= f.width + (f.kind == FieldKind::ZText ? 1 : 0));
            copy.set(i, value);
            // A zero-terminated field full to its last byte keeps room for the zero when stored.
            require(copy.get(i) == value);
        }
        return true;
    }));
    require(seen == qint64(size) / layout.size());
    return 0;
}

int fuzzRecords(const uint8_t *data, size_t size)
{
    return scanArchive(QStringLiteral("Dipendenti.pro"), data, size);
}

// The first byte picks the kind of archive, the rest is the file.
int fuzzCards(const uint8_t *data, size_t size)
{
    static const char *const names[] = {"Dipendenti.pro", "Orari.pro", "2017.ore", "2017.set", "2017.prg", "2017.lav"};
    if (size == 0)
        return 0;
    return scanArchive(QLatin1String(names[data[0] % 6]), data + 1, size - 1);
}

// Text pasted from elsewhere is any Unicode; typed or read from a card, the code page's.
// Each rule gets the input both ways.
template <class Rule>
void bothReadings(const uint8_t *data, size_t size, Rule &&rule)
{
    rule(text(data, size));
    rule(QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)));
}

// The date rule: whatever it accepts is a real date that reads back the same.
int fuzzDates(const uint8_t *data, size_t size)
{
    bothReadings(data, size, [](const QString &input) {
        const auto d = Routines::parseDate(input, QDate(2017, 6, 15));
        if (d) {
            require(d->isValid() && d->year() >= 1 && d->year() <= 9999);
            require(Routines::parseDate(Routines::dateText(*d), QDate(2017, 6, 15)) == d);
        }
    });
    return 0;
}

// The amount rule always gives a number with two to four decimals that it keeps as it is.
int fuzzAmounts(const uint8_t *data, size_t size)
{
    bothReadings(data, size, [](const QString &input) {
        const QString out = Routines::amountRule(input, 4);
        const auto comma = out.indexOf(QLatin1Char(','));
        require(comma > 0);
        const auto decimals = out.size() - comma - 1;
        if (!out.contains(QLatin1Char('e')))
            require(decimals >= 2 && decimals <= 4);
        require(Routines::amountRule(out, 4) == out);
    });
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

namespace {

// Splits the input at zero bytes into at most n parts (the last one takes the rest).
QList<QByteArray> parts(const uint8_t *data, size_t size, int n)
{
    const QByteArray all(reinterpret_cast<const char *>(data), qsizetype(size));
    QList<QByteArray> out;
    qsizetype from = 0;
    while (out.size() + 1 < n) {
        const qsizetype zero = all.indexOf('\0', from);
        if (zero < 0)
            break;
        out << all.mid(from, zero - from);
        from = zero + 1;
    }
    out << all.mid(from);
    while (out.size() < n)
        out << QByteArray();
    return out;
}

// Letters and digits only: a name or value every INI reader takes as written.
QByteArray plain(const QByteArray &b, int max)
{
    QByteArray out;
    for (char c : b)
        if (((c | 0x20) >= 'a' && (c | 0x20) <= 'z') || (c >= '0' && c <= '9'))
            if (out.size() < max)
                out += c;
    return out;
}

}

// Any bytes as an INI file, any section, key and value: reading never fails; an edit gives
// the key its value, leaves every other key as it read before, adds or removes no line where
// the key was there, and a second identical edit changes nothing.
int fuzzIni(const uint8_t *data, size_t size)
{
    const QList<QByteArray> p = parts(data, size, 5);
    const QByteArray section = plain(p[0], 12), key = plain(p[1], 12), value = plain(p[2], 24);
    const QByteArray otherKey = plain(p[3], 12);
    const QByteArray &ini = p[4];
    (void)IniText::value(ini, p[0], p[1]);
    if (section.isEmpty() || key.isEmpty())
        return 0;
    const std::optional<QByteArray> before = IniText::value(ini, section, key);
    const QByteArray out = IniText::withValue(ini, section, key, value);
    require(IniText::value(out, section, key) == value);
    require(IniText::withValue(out, section, key, value) == out);
    if (!otherKey.isEmpty() && otherKey.toLower() != key.toLower())
        require(IniText::value(out, section, otherKey) == IniText::value(ini, section, otherKey));
    if (before) {
        require(out.count('\n') == ini.count('\n'));
        require(out.count('\r') == ini.count('\r'));
    }
    return 0;
}

// Any bytes as a project card: each zero-terminated field reads as the text before its
// zero (all of it when there is none), and storing that text back keeps it whole and
// touches no other field.
int fuzzProjects(const uint8_t *data, size_t size)
{
    const RecordLayout &layout = ProjectRecord::layout();
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(qMin<size_t>(size, size_t(layout.size()))));
    bytes.append(layout.size() - bytes.size(), '\0');
    static Record r(layout), copy(layout);
    r.bytes() = bytes;
    copy.bytes() = bytes;
    const QByteArrayView original(bytes);
    for (int i = 0; i < layout.count(); ++i) {
        const RecordLayout::Field &f = layout.field(i);
        if (f.kind != FieldKind::ZText)
            continue;
        const QString value = r.get(i);
        require(!value.contains(QChar(0)) && value.size() <= f.width + 1);
        copy.set(i, value);
        require(copy.get(i) == value);
        const int end = f.offset + f.width + 1;
        const QByteArrayView stored(std::as_const(copy).bytes());
        require(stored.first(f.offset) == original.first(f.offset));
        require(stored.sliced(end) == original.sliced(end));
        // The next field is checked against the card as it was.
        std::memcpy(copy.bytes().data() + f.offset, bytes.constData() + f.offset, size_t(f.width + 1));
    }
    return 0;
}

namespace {

// The test's own readers are no part of what is fuzzed: left out of the coverage that steers
// the fuzzer, and much quicker so.
#if defined(__clang__) && __clang_major__ >= 13
#define NotSteering __attribute__((no_sanitize("coverage")))
#else
#define NotSteering
#endif

// A reader of the little RTF the card uses: groups, escaped symbols, \uN with one stand-in,
// \line as a line break, \par as U+FFFF, other control words dropped, CR and LF ignored.
NotSteering QString readRtf(const QByteArray &rtf)
{
    static const QString codePage = [] {
        QByteArray all(256, '\0');
        for (int b = 0; b < 256; ++b)
            all[b] = char(b);
        return Cp1252::decode(all);
    }();
    QString out;
    out.reserve(rtf.size());
    for (qsizetype i = 0; i < rtf.size();) {
        const char c = rtf.at(i);
        if (c == '{' || c == '}' || c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c != '\\') {
            out += codePage.at(quint8(c));
            ++i;
            continue;
        }
        ++i;
        require(i < rtf.size());
        const char d = rtf.at(i);
        if (!((d | 0x20) >= 'a' && (d | 0x20) <= 'z')) {
            out += QLatin1Char(d);   // \\ \{ \}
            ++i;
            continue;
        }
        const qsizetype wordStart = i;
        while (i < rtf.size() && (rtf.at(i) | 0x20) >= 'a' && (rtf.at(i) | 0x20) <= 'z')
            ++i;
        const QByteArrayView word = QByteArrayView(rtf).sliced(wordStart, i - wordStart);
        const bool negative = i < rtf.size() && rtf.at(i) == '-';
        i += negative;
        int number = 0;
        while (i < rtf.size() && rtf.at(i) >= '0' && rtf.at(i) <= '9')
            number = number * 10 + (rtf.at(i++) - '0');
        if (i < rtf.size() && rtf.at(i) == ' ')
            ++i;
        if (word == "u") {
            out += QChar(ushort(negative ? -number : number));
            require(i < rtf.size());
            ++i;   // the stand-in for readers without Unicode
        } else if (word == "line") {
            out += QLatin1Char('\n');
        } else if (word == "par") {
            out += QChar(0xFFFF);
        }
    }
    return out;
}

// The cells of the first data row of an exported sheet, entities read back.
NotSteering QList<QByteArray> readSheetRow(const QByteArray &html)
{
    static const QByteArray open = "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">";
    QList<QByteArray> cells;
    for (qsizetype at = html.indexOf(open); at >= 0; at = html.indexOf(open, at)) {
        at += open.size();
        const qsizetype end = html.indexOf("</td>", at);
        require(end >= 0);
        QByteArray cell = html.mid(at, end - at);
        require(!cell.contains('<') && !cell.contains('>'));
        cell.replace("&lt;", "<").replace("&gt;", ">").replace("&amp;", "&");
        cells << cell;
        at = end;
    }
    return cells;
}

}

// Every text through the RTF card and every byte through the sheet's cells: what a reader
// gets back is the text itself (trimmed, line ends as one break).
int fuzzEscaping(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    // Pasted text is any Unicode; a card's text is the code page's.
    const QString typed = size && (data[0] & 1) ? QString::fromUtf8(bytes) : Cp1252::decode(bytes);
    const QByteArray rtf = ProjectRtf::document([&](const QString &field) {
        return field == QLatin1String("Nome") ? typed : QString();
    });
    QString expected = Routines::trimmed(typed);
    expected.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QString back = readRtf(rtf);
    const QString label = QStringLiteral("Nome progetto: ");
    const qsizetype at = back.indexOf(label);
    require(at >= 0);
    require(back.mid(at + label.size(), expected.size()) == expected);
    require(back.mid(at + label.size() + expected.size(), 1) == QString(QChar(0xFFFF)));

    const SheetExport::Sheet &sheet = SheetExport::workers();
    const int columns = int(sheet.columns.size());
    SheetExport::Grid grid(columns);
    const QList<QByteArray> cells = parts(data, size, columns);
    for (const QByteArray &c : cells)
        grid.appendCell(c);
    require(readSheetRow(SheetExport::document(sheet, grid)) == cells);
    return 0;
}

// Any words on the command line: the parser keeps every plain word in order, every option
// by name, and a value given with '=' exactly.
int fuzzArguments(const uint8_t *data, size_t size)
{
    QStringList words;
    for (const QByteArray &w : parts(data, size, 12))
        words << QString::fromUtf8(w);
    const Cli::Args a = Cli::parse(words);
    qsizetype positional = 0, options = 0;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString &w = words.at(i);
        if (w == QLatin1String("--help") || w == QLatin1String("-h")) {
            require(a.help);
        } else if (w.startsWith(QLatin1String("--"))) {
            require(options < a.options.size());
            const Cli::Option &o = a.options.at(options++);
            const qsizetype eq = w.indexOf(QLatin1Char('='));
            require(o.name == (eq >= 0 ? w.mid(2, eq - 2) : w.mid(2)));
            if (eq >= 0)
                require(o.hasValue && o.value == w.mid(eq + 1));
            else if (o.hasValue)
                require(o.value == words.at(++i));
        } else {
            require(positional < a.positional.size() && a.positional.at(positional++) == w);
        }
    }
    require(positional == a.positional.size() && options == a.options.size());
    return 0;
}
