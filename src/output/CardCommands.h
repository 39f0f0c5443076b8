#pragma once
#include <QString>

#include <functional>

class CardScreen;

// What the output room lends to every card screen: the export of its archive, and the print
// and preview dialogs of its card. The program hands this to the card screens at start.
namespace CardCommands {

// The action of a card screen's command, or none when the command is not one of these.
std::function<void()> forScreen(CardScreen *screen, const QString &command);

}
