#include "app/Backup.h"
#include "app/FolderLock.h"
#include "app/GuideWriter.h"
#include "app/Menus.h"
#include "app/Password.h"
#include "app/PrintStored.h"
#include "app/ProgramFolder.h"
#include "app/Screens.h"
#include "app/StartBackup.h"
#include "framework/Dialogs.h"

#include <QApplication>
#include <QIcon>
#include <QThread>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Also names the per-user data folder of an installed program.
    QApplication::setApplicationName(QStringLiteral("Veltaro"));
    QApplication::setDesktopFileName(QStringLiteral("veltaro"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/veltaro.png")));
    // Hidden screens stay alive; the program ends when the main menu is closed.
    QApplication::setQuitOnLastWindowClosed(false);
    QStringList args = QApplication::arguments();
    ProgramFolder::applyArguments(args);
    // The build writes the user guide with the program's own help texts and screens.
    if (const qsizetype i = args.indexOf(QStringLiteral("--scrivi-guida")); i >= 0 && i + 1 < args.size()) {
        QString error;
        if (GuideWriter::write(args.at(i + 1), &error))
            return 0;
        qCritical("Guida.pdf: %s", qPrintable(error));
        return 1;
    }
    // The command line's card print: the card as its screen shows it, written as a PDF file.
    if (const qsizetype i = args.indexOf(QStringLiteral("--stampa-scheda")); i >= 0 && i + 3 < args.size()) {
        Screens::create();
        const QString error = PrintStored::write(args.at(i + 1), args.at(i + 2).toLongLong(), args.at(i + 3));
        Screens::destroy();
        if (error.isEmpty())
            return 0;
        std::fprintf(stderr, "%s\n", error.toUtf8().constData());
        return 2;
    }
    const QString folderProblem = ProgramFolder::prepare();
    // Held while the program runs: a restore refuses while any computer has the folder open.
    // A restore under way holds it alone for a few seconds; the program waits for its end.
    FolderLock mark;
    for (int attempt = 0; !mark.acquire(ProgramFolder::path(), FolderLock::Kind::Shared) && mark.busy() && attempt < 100; ++attempt)
        QThread::msleep(100);
    const QString interrupted = mark.held() ? Backup::finishInterrupted(ProgramFolder::path()) : QString();
    Screens &screens = Screens::create();
    screens.password->ask();
    if (!folderProblem.isEmpty())
        Dialogs::warning(screens.password, QStringLiteral("Attenzione: %1.").arg(folderProblem));
    if (mark.busy())
        Dialogs::warning(screens.password, QStringLiteral("Attenzione: è in corso il ripristino degli archivi della "
                                                          "cartella dei dati. Attenderne la fine e riaprire il programma."));
    if (!interrupted.isEmpty())
        Dialogs::warning(screens.password, QStringLiteral("Attenzione: %1.").arg(interrupted));

    StartBackup backup;
    QObject::connect(&backup, &StartBackup::finished, screens.avvio, &TfrmAvvio::showFolderFacts);
    backup.start(ProgramFolder::path());
    // For start-up measurements: stop as soon as the first window is on screen.
    if (args.contains(QStringLiteral("--misura-avvio")))
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    const int code = app.exec();
    // A copy under way is finished rather than left half made.
    backup.wait();
    Screens::destroy();
    return code;
}
