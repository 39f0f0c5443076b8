#include "output/CardCommands.h"

#include "archive/CardScreen.h"
#include "output/CardPrint.h"
#include "output/ExportScreen.h"

namespace CardCommands {

std::function<void()> forScreen(CardScreen *screen, const QString &command)
{
    // Every archive with a worksheet exports from its screen's export command.
    if (command == QLatin1String("cmdEsporta") || command == QLatin1String("btnEsporta"))
        return [screen] { ExportScreen::open(screen, screen->archivePath()); };
    // The print and preview commands open the dialog of the screen's printed card.
    if (const CardPrint::Dialog *print = CardPrint::dialogFor(screen->objectName(), command))
        return [screen, print] { CardPrintDialog::open(screen, *print); };
    return {};
}

}
