#pragma once
#include <functional>

class QWidget;

// The help commands of every window open their topics in the help viewer, which knows the
// topics and so sits above the framework: the program hands it over at start.
namespace HelpHook {

// Makes every help command under a window open its topic.
using Wiring = std::function<void(QWidget *root)>;

void install(Wiring wiring);
// Wires root's help commands; nothing until a wiring is installed.
void wire(QWidget *root);

}
