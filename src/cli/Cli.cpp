#include "cli/Cli.h"

#include "archive/ArchiveKinds.h"
#include "archive/Archivio.h"
#include "checks/CardCheck.h"
#include "checks/CodFiscCheck.h"
#include "checks/IbanCheck.h"
#include "checks/PartitaIvaCheck.h"

#include "app/Routines.h"

#include <QFileInfo>

#include <cstring>

namespace Cli {

const QVector<Command> &commands()
{
    static const QVector<Command> list = {
        {"verifica", "verifica ARCHIVIO\n"
                     "  Controlla un archivio: numero di schede, byte di una scheda finale incompleta e\n"
                     "  campi la cui lunghezza supera la larghezza. Esce con 0 se l'archivio è integro, 1 altrimenti.",
         &verifica},
        {"controlla", "controlla cf|iva|iban|carta VALORE\n"
                      "  Controlla un codice fiscale, una partita IVA, un IBAN o un numero di carta di credito e\n"
                      "  stampa la risposta del programma. Esce con 0 se il valore è valido, 1 altrimenti.",
         &controlla},
    };
    return list;
}

Args parse(const QStringList &args)
{
    Args a;
    for (const QString &s : args) {
        if (s == QLatin1String("--help") || s == QLatin1String("-h"))
            a.help = true;
        else if (s.startsWith(QLatin1String("--"))) {
            const qsizetype eq = s.indexOf(QLatin1Char('='));
            a.options.append({s.mid(2, eq < 0 ? -1 : eq - 2), eq < 0 ? QString() : s.mid(eq + 1)});
        } else
            a.positional << s;
    }
    return a;
}

QString Args::value(const QString &name) const
{
    for (const auto &[k, v] : options)
        if (k == name)
            return v;
    return QString();
}

bool Args::has(const QString &name) const
{
    for (const auto &o : options)
        if (o.first == name)
            return true;
    return false;
}

int usageError(Io &io, const Command &command, const QString &message)
{
    io.err << "veltaro-cli " << command.name << ": " << message << "\n"
           << "Uso: veltaro-cli " << QString::fromUtf8(command.usage) << "\n";
    return 2;
}

int main(const QStringList &args, Io &io)
{
    const auto overview = [&](QTextStream &s) {
        s << "Uso: veltaro-cli COMANDO [ARGOMENTI]\n\nComandi:\n";
        for (const Command &c : commands())
            s << "  " << QString::fromUtf8(c.usage).section(QLatin1Char('\n'), 0, 0) << "\n";
        s << "\nveltaro-cli COMANDO --help descrive un comando.\n";
    };
    if (args.isEmpty()) {
        overview(io.err);
        return 2;
    }
    if (args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        overview(io.out);
        return 0;
    }
    for (const Command &c : commands()) {
        if (args.first() != QLatin1String(c.name))
            continue;
        const QStringList rest = args.mid(1);
        if (parse(rest).help) {
            io.out << "Uso: veltaro-cli " << QString::fromUtf8(c.usage) << "\n";
            return 0;
        }
        return c.run(rest, io);
    }
    io.err << "veltaro-cli: comando sconosciuto: " << args.first() << "\n";
    overview(io.err);
    return 2;
}

int controlla(const QStringList &rawArgs, Io &io)
{
    const Command &self = commands().at(1);
    const Args args = parse(rawArgs);
    if (args.positional.size() != 2 || !args.options.isEmpty())
        return usageError(io, self, QStringLiteral("indicare il tipo di controllo e il valore"));
    const QString what = args.positional.at(0);
    // The screens check what their boxes hold: the same limits and rewriting apply here.
    const QString value = args.positional.at(1);
    Message m;
    bool valid = false;
    if (what == QLatin1String("cf")) {
        const auto o = CodFiscCheck::check(Routines::upperAZ(Routines::trimmed(value)));
        m = CodFiscCheck::message(o);
        valid = o == CodFiscCheck::Outcome::Valid;
    } else if (what == QLatin1String("iva")) {
        const auto r = PartitaIvaCheck::check(value);
        m = PartitaIvaCheck::message(r);
        valid = r.outcome == PartitaIvaCheck::Outcome::Valid;
    } else if (what == QLatin1String("iban")) {
        const auto o = IbanCheck::check(Routines::upperAZ(Routines::trimmed(value)));
        m = IbanCheck::message(o);
        valid = o == IbanCheck::Outcome::Valid;
    } else if (what == QLatin1String("carta")) {
        const auto r = CardCheck::check(value);
        m = CardCheck::message(r);
        valid = r.outcome == CardCheck::Outcome::Valid;
    } else {
        return usageError(io, self, QStringLiteral("controllo sconosciuto: %1").arg(what));
    }
    QString text = m.text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    io.out << text << "\n";
    return valid ? 0 : 1;
}

int verifica(const QStringList &rawArgs, Io &io)
{
    const Command &self = commands().at(0);
    const Args args = parse(rawArgs);
    if (args.positional.size() != 1 || !args.options.isEmpty())
        return usageError(io, self, QStringLiteral("indicare un solo archivio"));
    const QString path = args.positional.first();
    const ArchiveKind kind = ArchiveKinds::forFile(path);
    if (!kind.layout)
        return usageError(io, self, QStringLiteral("tipo di archivio non riconosciuto: %1").arg(path));
    if (!QFileInfo(path).isFile()) {
        io.err << "veltaro-cli verifica: archivio non trovato: " << path << "\n";
        return 2;
    }
    const RecordLayout &layout = *kind.layout;
    TArchivio archive(path, layout.size());
    qint64 damaged = 0;
    const bool ok = archive.scan([&](qint64 n, const char *record) {
        for (const RecordLayout::Field &f : layout.fields()) {
            if (f.kind == FieldKind::ZText) {
                if (!std::memchr(record + f.offset, 0, size_t(f.width) + 1)) {
                    io.out << "scheda " << n << ": campo " << f.name << " senza terminatore\n";
                    ++damaged;
                }
                continue;
            }
            const int length = static_cast<unsigned char>(record[f.offset]);
            if (length > f.width) {
                io.out << "scheda " << n << ": campo " << f.name << " lunghezza " << length
                       << " oltre la larghezza " << f.width << "\n";
                ++damaged;
            }
        }
        return true;
    });
    if (!ok) {
        io.err << "veltaro-cli verifica: " << archive.errorText() << "\n";
        return 2;
    }
    const qint64 size = QFileInfo(path).size();
    const qint64 tail = size % layout.size();
    io.out << "archivio: " << path << " (" << kind.name << ")\n"
           << "schede: " << size / layout.size() << "\n"
           << "byte di scheda incompleta in coda: " << tail << "\n"
           << "campi danneggiati: " << damaged << "\n";
    return (tail == 0 && damaged == 0) ? 0 : 1;
}

}
