#include "ArchiveGenerator.h"

#include "archive/RecordLayout.h"
#include "framework/Routines.h"
#include "workers/WorkerRecord.h"
#include "worklog/WorkComputations.h"
#include "worklog/WorkRecord.h"

#include <QDate>
#include <QSaveFile>
#include <QStringList>
#include <QVector>

namespace ArchiveGenerator {

namespace {

// splitmix64: tiny, fast, and the same sequence on every platform and library.
class Rng
{
public:
    explicit Rng(quint64 seed) : m_state(seed) {}
    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return int(next() % quint64(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool chance(int perCent) { return below(100) < perCent; }
    template <class T>
    const T &pick(const QVector<T> &v) { return v.at(below(int(v.size()))); }

private:
    quint64 m_state;
};

QVector<QString> list(const char *words)
{
    QVector<QString> out;
    for (const QString &w : QString::fromUtf8(words).split(QLatin1Char('|')))
        out << w;
    return out;
}

const QVector<QString> &surnames()
{
    static const auto v = list(
        "Rossi|Russo|Ferrari|Esposito|Bianchi|Romano|Colombo|Ricci|Marino|Greco|Bruno|Gallo|"
        "Conti|De Luca|Mancini|Costa|Giordano|Rizzo|Lombardi|Moretti|Barbieri|Fontana|Santoro|"
        "Mariani|Rinaldi|Caruso|Ferrara|Galli|Martini|Leone|Longo|Gentile|Martinelli|Vitale|"
        "Lombardo|Serra|Coppola|De Santis|D'Angelo|Marchetti|Parisi|Villa|Conte|Ferraro|Ferri|"
        "Fabbri|Bianco|Marini|Grasso|Valentini|Messina|Sala|De Angelis|Gatti|Pellegrini|Palumbo|"
        "Sanna|Farina|Rizzi|Monti|Cattaneo|Morelli|Amato|Silvestri|Mazza|Testa|Grassi|Pellegrino|"
        "Carbone|Giuliani|Benedetti|Barone|Rossetti|Caputo|Montanari|Guerra|Palmieri|Bernardi|"
        "Martino|Fiore|De Rosa|Ferretti|Bellini|Basile|Riva|Donati|Piras|Vitali|Battaglia|Sartori|"
        "Neri|Costantini|Milani|Pagano|Ruggiero|Sorrentino|D'Amico|Orlando|Damico|Negri|"
        "Dell'Acqua Sanseverino|Nicolò|Cortés");
    return v;
}

const QVector<QString> &menNames()
{
    static const auto v = list(
        "Mario|Giuseppe|Giovanni|Antonio|Francesco|Luca|Marco|Andrea|Paolo|Alessandro|Stefano|"
        "Roberto|Davide|Matteo|Simone|Federico|Lorenzo|Riccardo|Nicola|Gabriele|Pietro|Salvatore|"
        "Vincenzo|Claudio|Fabio|Massimo|Daniele|Michele|Enrico|Niccolò");
    return v;
}

const QVector<QString> &womenNames()
{
    static const auto v = list(
        "Maria|Anna|Giulia|Francesca|Chiara|Sara|Laura|Valentina|Elena|Alessandra|Martina|"
        "Federica|Silvia|Paola|Roberta|Elisa|Giorgia|Alice|Beatrice|Serena|Ilaria|Monica|"
        "Claudia|Cristina|Barbara|Simona|Lucia|Noemi|Aurora|Maria Beatrice");
    return v;
}

struct Town {
    const char *name, *province, *cadastre, *cap;
};
const Town Towns[] = {
    {"Roma", "RM", "H501", "00100"},     {"Milano", "MI", "F205", "20100"},
    {"Napoli", "NA", "F839", "80100"},   {"Torino", "TO", "L219", "10100"},
    {"Palermo", "PA", "G273", "90100"},  {"Genova", "GE", "D969", "16100"},
    {"Bologna", "BO", "A944", "40100"},  {"Firenze", "FI", "D612", "50100"},
    {"Bari", "BA", "A662", "70100"},     {"Venezia", "VE", "L736", "30100"},
    {"Verona", "VR", "L781", "37100"},   {"Padova", "PD", "G224", "35100"},
    {"Trieste", "TS", "L424", "34100"},  {"Brescia", "BS", "B157", "25100"},
    {"Parma", "PR", "G337", "43100"},    {"Forlì", "FC", "D704", "47121"},
};

const QVector<QString> &duties()
{
    static const auto v = list(
        "Operaio specializzato|Elettricista|Idraulico|Magazziniere|Autista|Addetto pulizie|"
        "Giardiniere|Impiegato amministrativo|Tecnico informatico|Muratore|Carpentiere|"
        "Educatore|Animatore|Istruttore sportivo|Receptionist|Cuoco|Aiuto cuoco|Manutentore");
    return v;
}

const QVector<QString> &categories()
{
    static const auto v = list("Dipendente|Collaboratore|Volontario|Socio lavoratore|Stagista|"
                               "Consulente esterno|Apprendista");
    return v;
}

const QVector<QString> &activities()
{
    static const auto v = list(
        "Manutenzione ordinaria impianto elettrico|Pulizia locali e servizi|Sostituzione "
        "lampade corridoio piano terra|Riparazione perdita bagno spogliatoi|Inventario "
        "magazzino|Consegna materiale presso sede distaccata|Potatura siepi e taglio erba|"
        "Assistenza utenti e postazioni|Installazione software gestionale|Tinteggiatura "
        "aula 3|Montaggio scaffalature|Animazione centro estivo|Corso di nuoto bambini|Turno "
        "di accoglienza alla reception|Preparazione pasti mensa|Riordino archivio "
        "documenti|Controllo estintori e uscite di sicurezza|Sgombero cantina|Trasporto "
        "attrezzature per evento|Allestimento sala conferenze|Smontaggio palco e impianto "
        "audio|Verifica caldaia e termosifoni|Sostituzione serratura ingresso|Lavaggio "
        "automezzi|Registrazione fatture e prima nota|Supporto segreteria iscrizioni|"
        "Sorveglianza piscina|Lezione di ginnastica dolce|Pulizia straordinaria dopo lavori|"
        "Posa pavimento in laminato|Riparazione recinzione campo|Gestione ordini fornitori|"
        "Aggiornamento sito web e pagine social|Affiancamento nuovo personale|Attività "
        "didattica di laboratorio|Sanificazione ambienti|Ritiro e smaltimento rifiuti "
        "ingombranti|Controllo accessi evento serale|Manutenzione straordinaria impianto di "
        "irrigazione e sostituzione centralina|Caricamento dati anagrafici");
    return v;
}

const QVector<QString> &sites()
{
    static const auto v = list("Sede centrale|Magazzino di via Roma|Palestra comunale|Centro "
                               "estivo|Piscina coperta|Uffici amministrativi|Scuola primaria "
                               "Collodi|Parco urbano|Sala polivalente|Cantiere via Verdi");
    return v;
}

const QVector<QString> &stations()
{
    static const auto v = list("Reception|Officina|Ufficio 2|Cucina|Magazzino|Bordo vasca|"
                               "Aula 3|Esterno|Laboratorio|Segreteria");
    return v;
}

const QVector<QString> &materials()
{
    static const auto v = list(
        "Scala, trapano, cassetta attrezzi|Detergenti e panni microfibra|Furgone aziendale|"
        "Decespugliatore e tosasiepi|Personal computer portatile|Rulli, pennelli, pittura "
        "lavabile|Chiave a pappagallo, guarnizioni|Materiale didattico|Muletto|Tester e "
        "cavi elettrici");
    return v;
}

const QVector<QString> &notes()
{
    static const auto v = list(
        "Lavoro concordato con il responsabile di sede.|Da completare la prossima settimana.|"
        "Segnalata la necessità di ricambi.|Presente anche il referente del progetto.|"
        "Interrotto per maltempo.|Nessuna anomalia riscontrata.|Richiesto intervento del "
        "fornitore.|Materiale consegnato con ritardo.");
    return v;
}

struct Project {
    QString name, code, scope;
};

QVector<Project> projects(Rng &rng, int year)
{
    const auto names = list(
        "Riqualificazione energetica della sede|Estate ragazzi|Nuovo gestionale|Sicurezza "
        "nei luoghi di lavoro|Verde pubblico|Sport per tutti|Archivio digitale|Festa di "
        "primavera|Ristrutturazione spogliatoi|Mensa solidale|Corsi serali per adulti|"
        "Accoglienza e orientamento");
    const auto scopes = list("Manutenzione|Sociale|Informatica|Sicurezza|Ambiente|Sport|"
                             "Formazione|Eventi|Edilizia|Amministrazione");
    QVector<Project> out;
    for (int i = 0; i < names.size(); ++i)
        out << Project{names[i], QStringLiteral("PRG-%1-%2").arg(year).arg(i + 1, 3, 10, QLatin1Char('0')),
                       rng.pick(scopes)};
    return out;
}

// Letters of the codice fiscale for a surname or a name.
QString cfPart(const QString &word, bool isName)
{
    QString consonants, vowels;
    for (QChar c : word.normalized(QString::NormalizationForm_D)) {
        const QChar u = c.toUpper();
        if (u < QLatin1Char('A') || u > QLatin1Char('Z'))
            continue;
        (QStringLiteral("AEIOU").contains(u) ? vowels : consonants) += u;
    }
    if (isName && consonants.size() >= 4)
        return QString(consonants[0]) + consonants[2] + consonants[3];
    return (consonants + vowels + QStringLiteral("XXX")).left(3);
}

QChar cfCheck(const QString &first15)
{
    static const int odd[26] = {1, 0, 5, 7, 9, 13, 15, 17, 19, 21, 2, 4, 18,
                                20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};
    int sum = 0;
    for (int i = 0; i < 15; ++i) {
        const QChar c = first15[i];
        const int v = c.isDigit() ? c.digitValue() : c.unicode() - 'A';
        sum += (i % 2 == 0) ? odd[v] : v;   // positions counted from 1: the first is odd
    }
    return QChar('A' + sum % 26);
}

struct Person {
    QString cognome, nome, codFisc, recapito, mansione, categoria, paga;
    bool woman;
    QDate born;
    const Town *town;
};

Person person(Rng &rng)
{
    Person p;
    p.woman = rng.chance(45);
    p.cognome = rng.pick(surnames());
    p.nome = rng.pick(p.woman ? womenNames() : menNames());
    p.born = QDate(rng.between(1955, 2003), rng.between(1, 12), rng.between(1, 28));
    p.town = &Towns[rng.below(int(std::size(Towns)))];
    static const char months[] = "ABCDEHLMPRST";
    QString cf = cfPart(p.cognome, false) + cfPart(p.nome, true)
                 + QStringLiteral("%1").arg(p.born.year() % 100, 2, 10, QLatin1Char('0'))
                 + QLatin1Char(months[p.born.month() - 1])
                 + QStringLiteral("%1").arg(p.born.day() + (p.woman ? 40 : 0), 2, 10, QLatin1Char('0'))
                 + QLatin1String(p.town->cadastre);
    p.codFisc = cf + cfCheck(cf);
    p.recapito = QStringLiteral("3%1%2 %3")
                     .arg(rng.between(20, 49))
                     .arg(rng.below(10))
                     .arg(rng.between(1000000, 9999999));
    p.mansione = rng.pick(duties());
    p.categoria = rng.pick(categories());
    p.paga = Routines::amountRule(Routines::numberText(rng.between(16, 60) * 0.5), 2);
    return p;
}

QString iban(Rng &rng)
{
    QString bban(QChar('A' + rng.below(26)));
    for (int i = 0; i < 10; ++i)
        bban += QChar('0' + rng.below(10));
    for (int i = 0; i < 12; ++i)
        bban += QChar('0' + rng.below(10));
    // ISO 7064 mod 97 over BBAN + "IT00", letters as 10..35.
    int rest = 0;
    for (QChar c : bban + QStringLiteral("IT00")) {
        const QString digits = c.isDigit() ? QString(c) : QString::number(c.unicode() - 'A' + 10);
        for (QChar d : digits)
            rest = (rest * 10 + d.digitValue()) % 97;
    }
    return QStringLiteral("IT%1").arg(98 - rest, 2, 10, QLatin1Char('0')) + bban;
}

bool finish(QSaveFile &file, QString *error)
{
    if (file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

}

bool writeWorkers(const QString &path, qint64 count, quint64 seed, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    Rng rng(seed);
    const auto stato = list("Celibe/Nubile|Coniugato/a|Separato/a|Divorziato/a|Vedovo/a");
    const auto contratti = list("Tempo indeterminato|Tempo determinato|Collaborazione|Stagionale");
    // One buffer for every card, as the program keeps one: stale bytes after a shorter text stay.
    Record r(WorkerRecord::layout());
    for (qint64 i = 0; i < count; ++i) {
        const Person p = person(rng);
        r.set("Cognome", p.cognome);
        r.set("Nome", p.nome);
        r.set("CodFisc", p.codFisc);
        r.set("Sesso", p.woman ? QStringLiteral("F") : QStringLiteral("M"));
        r.set("DataNasc", Routines::dateText(p.born));
        r.set("ComuneNasc", QString::fromUtf8(p.town->name));
        r.set("ProvNasc", QLatin1String(p.town->province));
        const Town &home = Towns[rng.below(int(std::size(Towns)))];
        r.set("Indirizzo", QStringLiteral("Via %1, %2").arg(rng.pick(surnames())).arg(rng.between(1, 180)));
        r.set("Cap", QLatin1String(home.cap));
        r.set("ComuneRes", QString::fromUtf8(home.name));
        r.set("ProvRes", QLatin1String(home.province));
        r.set("Stato", rng.pick(stato));
        r.set("Recapito", p.recapito);
        r.set("TelCel", p.recapito);
        r.set("Email", Routines::lowerAZ(p.nome.section(' ', 0, 0) + QLatin1Char('.')
                                         + QString(p.cognome).remove(' ').remove('\''))
                           + QStringLiteral("@esempio.it"));
        r.set("Iban", iban(rng));
        r.set("Intestatario", p.cognome + QLatin1Char(' ') + p.nome);
        r.set("Codice", p.mansione);
        r.set("Categoria", p.categoria);
        r.set("Acquisto", rng.pick(contratti));
        const QDate hired(rng.between(2005, 2024), rng.between(1, 12), rng.between(1, 28));
        r.set("Decorrenza", Routines::dateText(hired));
        r.set("Scadenza", Routines::dateText(hired.addYears(rng.between(1, 3))));
        static const int notice[] = {0, 15, 30, 60};
        r.set("Preavviso", QString::number(notice[rng.below(4)]));
        const int total = rng.between(6, 40) * 1000;
        r.set("Totale", Routines::amountRule(QString::number(total), 4));
        r.set("Frazionamento", QStringLiteral("Mensile"));
        r.set("Rata", Routines::amountRule(Routines::numberText(Routines::roundTo(total / 12.0, 2)), 4));
        r.set("Note", rng.chance(20) ? rng.pick(notes()) : QString());
        if (file.write(r.bytes()) != r.bytes().size())
            break;
    }
    return finish(file, error);
}

bool writeWorks(const QString &path, qint64 count, int year, quint64 seed, int staff, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    Rng rng(seed);
    QVector<Person> people;
    for (int i = 0; i < qMax(1, staff); ++i)
        people << person(rng);
    const QVector<Project> work = projects(rng, year);
    const int days = QDate(year, 1, 1).daysInYear();
    static const QVector<QString> quarters{QStringLiteral("00"), QStringLiteral("15"),
                                           QStringLiteral("30"), QStringLiteral("45")};

    Record r(WorkRecord::layout());
    for (qint64 i = 0; i < count; ++i) {
        const Person &p = rng.pick(people);
        // Cards are written day by day, now and then a few days late.
        const int day = int(qMin<qint64>(days - 1, i * days / qMax<qint64>(1, count) + rng.below(3)));
        const QDate date = QDate(year, 1, 1).addDays(day);
        const int startHour = rng.between(6, 15);
        const int endHour = qMin(23, startHour + rng.between(1, 8));
        const WorkComputations::Times t{QStringLiteral("%1").arg(startHour, 2, 10, QLatin1Char('0')),
                                        rng.pick(quarters),
                                        QStringLiteral("%1").arg(endHour, 2, 10, QLatin1Char('0')),
                                        rng.pick(quarters)};
        const auto due = WorkComputations::computeTotalDue(t, QStringLiteral("0"), p.paga);

        r.set("Cognome", p.cognome);
        r.set("Nome", p.nome);
        r.set("CodFisc", p.codFisc);
        r.set("Recapito", p.recapito);
        r.set("Mansione", p.mansione);
        r.set("Categoria", p.categoria);
        r.set("Data", Routines::dateText(date));
        r.set("Luogo", rng.pick(sites()));
        r.set("Attivita", rng.pick(activities()));
        r.set("DaOre", t.daOre);
        r.set("DaMin", t.daMin);
        r.set("AOre", t.aOre);
        r.set("AMin", t.aMin);
        r.set("OraInizio", WorkRecord::timeText(t.daOre, t.daMin));
        r.set("OraFine", WorkRecord::timeText(t.aOre, t.aMin));
        r.set("TotOre", due.totOre);
        r.set("CompensoOra", due.compensoOra);
        r.set("TotDovuto", due.totDovuto);
        const bool inProject = rng.chance(60);
        const Project &pr = rng.pick(work);
        r.set("NomeProg", inProject ? pr.name : QString());
        r.set("CodiceProg", inProject ? pr.code : QString());
        r.set("AmbitoProg", inProject ? pr.scope : QString());
        r.set("Postazione", rng.pick(stations()));
        r.set("Materiali", rng.chance(70) ? rng.pick(materials()) : QString());
        r.set("Note", rng.chance(25) ? rng.pick(notes()) : QString());
        r.set("Incompleto", WorkRecord::incompletoText(rng.chance(8)));
        const bool attached = rng.chance(3);
        r.set("File01", attached ? QStringLiteral("C:\\Documenti\\Lavori\\%1\\foto_%2.jpg").arg(year).arg(i + 1, 5, 10, QLatin1Char('0'))
                                 : QString());
        r.set("Desc01", attached ? QStringLiteral("Foto del lavoro eseguito") : QString());
        if (file.write(r.bytes()) != r.bytes().size())
            break;
    }
    return finish(file, error);
}

}
