#include "app/Password.h"
#include "app/ProgramFolder.h"
#include "app/Screens.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veltaro"));
    // Hidden screens stay alive; the program ends when the main menu is closed.
    QApplication::setQuitOnLastWindowClosed(false);
    QStringList args = QApplication::arguments();
    ProgramFolder::applyArguments(args);
    Screens &screens = Screens::create();
    screens.password->ask();
    const int code = app.exec();
    Screens::destroy();
    return code;
}
