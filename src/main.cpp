#include "app/GuideWriter.h"
#include "app/Password.h"
#include "app/ProgramFolder.h"
#include "app/Screens.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veltaro"));
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
    Screens &screens = Screens::create();
    screens.password->ask();
    // For start-up measurements: stop as soon as the first window is on screen.
    if (args.contains(QStringLiteral("--misura-avvio")))
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    const int code = app.exec();
    Screens::destroy();
    return code;
}
