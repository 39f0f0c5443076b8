// Another computer at the same worker card: in FOLDER, loads card 1 on the registry screen
// and says "caricata"; once a line arrives on its input, puts TEXT into the notes and saves,
// then prints the last message the screen showed (a question is answered No).
#include "framework/Dialogs.h"
#include "framework/ProgramFormats.h"
#include "settings/ProgramFolder.h"
#include "shell/ScreenRegistry.h"
#include "workers/WorkerCardScreen.h"

#include <QApplication>
#include <QLineEdit>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    applyProgramFormats();
    ProgramFolder::set(QString::fromLocal8Bit(argv[1]));
    Dialogs::Test::setEnabled(true);
    WorkerCardScreen screen;
    screen.open();
    screen.first();
    std::printf("caricata\n");
    std::fflush(stdout);
    char line[16];
    if (!std::fgets(line, sizeof line, stdin))
        return 2;
    auto *note = screen.findChild<QLineEdit *>(QStringLiteral("txtNote"));
    if (!note)
        return 2;
    note->setText(QString::fromLocal8Bit(argv[2]));
    screen.save();
    std::printf("%s\n", Dialogs::Test::last().text.toUtf8().constData());
    return 0;
}
