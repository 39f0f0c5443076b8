#include "settings/Backup.h"
#include "framework/Dialogs.h"
#include "settings/FolderLock.h"
#include "settings/ProgramFolder.h"
#include "settings/ProgramVersion.h"
#include "shell/GuideWriter.h"
#include "shell/LoginDialog.h"
#include "shell/MainMenu.h"
#include "shell/PrintStored.h"
#include "shell/ScreenRegistry.h"
#include "shell/StartBackup.h"

#include <QApplication>
#include <QIcon>
#include <QThread>
#include <QTimer>

#include <optional>

#include <cstdio>
#include <cstring>

namespace {
const char Help[] =
    "Uso: veltaro [OPZIONI]\n"
    "Apre Veltaro dalla richiesta della password: anagrafica dei lavoratori, orari, turni\n"
    "giornalieri e settimanali, progetti, registro dei lavori, riepiloghi dei compensi e\n"
    "statistiche mensili di una piccola azienda o associazione.\n"
    "\n"
    "Opzioni:\n"
    "      --cartella DIR        tiene gli archivi, la password e le copie di sicurezza nella\n"
    "                            cartella DIR (creata se manca)\n"
    "      --scrivi-guida FILE   scrive la guida per l'utente in PDF nel FILE e termina\n"
    "      --stampa-scheda ARCHIVIO N FILE.pdf\n"
    "                            scrive nel FILE.pdf la scheda numero N dell'archivio come la\n"
    "                            stampa la sua schermata e termina (usata da veltaro-cli stampa)\n"
    "      --misura-avvio        termina appena la prima finestra è aperta (misura dell'avvio)\n"
    "  -h, --help                mostra questo aiuto\n"
    "      --version             mostra il nome e la versione del programma\n"
    "\n"
    "Le opzioni con un valore si scrivono --nome VALORE oppure --nome=VALORE. Valgono anche\n"
    "le opzioni comuni dei programmi Qt, come -platform.\n"
    "\n"
    "Cartella dei dati:\n"
    "  quella data con --cartella; altrimenti la cartella del programma, se vi si può\n"
    "  scrivere e il programma non è installato nel sistema; altrimenti la cartella personale\n"
    "  ~/.local/share/Veltaro. Il menu principale indica la cartella in uso.\n"
    "\n"
    "Stato d'uscita:\n"
    "  0  programma chiuso normalmente, guida o scheda scritte\n"
    "  2  errore d'uso: opzione o argomento non validi\n"
    "  3  la guida o la scheda non si possono leggere o scrivere\n";

constexpr int ExitUsage = 2;
constexpr int ExitFile = 3;

int usageError(const QString &problem)
{
    std::fprintf(stderr, "veltaro: %s\nveltaro --help descrive le opzioni.\n", problem.toLocal8Bit().constData());
    return ExitUsage;
}

// The value of --name VALUE or --name=VALUE, and the words after it; none when absent.
std::optional<QStringList> option(const QStringList &args, const QString &name, int values)
{
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == name)
            return args.mid(i + 1, values);
        if (a.startsWith(name + QLatin1Char('=')))
            return QStringList{a.mid(name.size() + 1)} + args.mid(i + 1, values - 1);
    }
    return std::nullopt;
}
}

int main(int argc, char *argv[])
{
    // Help and version need no display: they are answered before the toolkit starts.
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::fputs(Help, stdout);
            return 0;
        }
        if (!std::strcmp(argv[i], "--version")) {
            std::fputs(ProgramVersion::text(QStringLiteral("veltaro")).toUtf8().constData(), stdout);
            return 0;
        }
    }
    QApplication app(argc, argv);
    // Also names the per-user data folder of an installed program.
    QApplication::setApplicationName(QStringLiteral("Veltaro"));
    QApplication::setDesktopFileName(QStringLiteral("it.veltaro.Veltaro"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/veltaro.png")));
    // Hidden screens stay alive; the program ends when the main menu is closed.
    QApplication::setQuitOnLastWindowClosed(false);
    QStringList args = QApplication::arguments();
    ProgramFolder::applyArguments(args);
    // What Qt took for itself is gone from args; any other option must be one of ours.
    static const QStringList known = {QStringLiteral("--cartella"), QStringLiteral("--scrivi-guida"),
                                      QStringLiteral("--stampa-scheda"), QStringLiteral("--misura-avvio")};
    for (qsizetype i = 1; i < args.size(); ++i)
        if (args.at(i).startsWith(QLatin1String("--")) && !known.contains(args.at(i).section(QLatin1Char('='), 0, 0)))
            return usageError(QStringLiteral("opzione sconosciuta: %1").arg(args.at(i)));
    // The build writes the user guide with the program's own help texts and screens.
    if (const auto guide = option(args, QStringLiteral("--scrivi-guida"), 1)) {
        if (guide->size() != 1 || guide->first().isEmpty())
            return usageError(QStringLiteral("indicare il file: --scrivi-guida FILE"));
        QString error;
        if (GuideWriter::write(guide->first(), &error))
            return 0;
        std::fprintf(stderr, "veltaro: %s: %s\n", qPrintable(guide->first()), error.toUtf8().constData());
        return ExitFile;
    }
    // The command line's card print: the card as its screen shows it, written as a PDF file.
    if (const auto card = option(args, QStringLiteral("--stampa-scheda"), 3)) {
        bool isNumber = false;
        const qint64 number = card->size() == 3 ? card->at(1).toLongLong(&isNumber) : 0;
        if (!isNumber || number < 1)
            return usageError(QStringLiteral("indicare l'archivio, il numero della scheda e il file PDF: "
                                             "--stampa-scheda ARCHIVIO N FILE.pdf"));
        ScreenRegistry::create();
        const QString error = PrintStored::write(card->at(0), number, card->at(2));
        ScreenRegistry::destroy();
        if (error.isEmpty())
            return 0;
        std::fprintf(stderr, "%s\n", error.toUtf8().constData());
        return ExitFile;
    }
    const QString folderProblem = ProgramFolder::prepare();
    // Held while the program runs: a restore refuses while any computer has the folder open.
    // A restore under way holds it alone for a few seconds; the program waits for its end.
    FolderLock mark;
    for (int attempt = 0; !mark.acquire(ProgramFolder::path(), FolderLock::Kind::Shared) && mark.busy() && attempt < 100; ++attempt)
        QThread::msleep(100);
    const QString interrupted = mark.held() ? Backup::finishInterrupted(ProgramFolder::path()) : QString();
    ScreenRegistry &screens = ScreenRegistry::create();
    screens.login->ask();
    if (!folderProblem.isEmpty())
        Dialogs::warning(screens.login, QStringLiteral("Attenzione: %1.").arg(folderProblem));
    if (mark.busy())
        Dialogs::warning(screens.login, QStringLiteral("Attenzione: è in corso il ripristino degli archivi della "
                                                          "cartella dei dati. Attenderne la fine e riaprire il programma."));
    if (!interrupted.isEmpty())
        Dialogs::warning(screens.login, QStringLiteral("Attenzione: %1.").arg(interrupted));

    StartBackup backup;
    screens.mainMenu->follow(&backup);
    backup.start(ProgramFolder::path());
    // For start-up measurements: stop as soon as the first window is on screen.
    if (args.contains(QStringLiteral("--misura-avvio")))
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    const int code = app.exec();
    // A copy under way is finished rather than left half made.
    backup.wait();
    ScreenRegistry::destroy();
    return code;
}
