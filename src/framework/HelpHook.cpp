#include "framework/HelpHook.h"

namespace HelpHook {

namespace {
Wiring &installed()
{
    static Wiring wiring;
    return wiring;
}
}

void install(Wiring wiring)
{
    installed() = std::move(wiring);
}

void wire(QWidget *root)
{
    if (installed())
        installed()(root);
}

}
