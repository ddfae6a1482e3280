#include "windows/instances.h"

Tcetvelf *cetvelf = nullptr;
Tsabitf *sabitf = nullptr;
Tgrupf *grupf = nullptr;
TAboutF *AboutF = nullptr;

namespace {

std::function<void()> &dialogMaker()
{
    static std::function<void()> maker;
    return maker;
}

} // namespace

void requireDialogs()
{
    if (dialogMaker())
        dialogMaker()();
}

void setDialogMaker(std::function<void()> maker)
{
    dialogMaker() = std::move(maker);
}
