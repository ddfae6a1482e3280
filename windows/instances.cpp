#include "windows/instances.h"

#include "windows/tcetvelf.h"

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

void copyMainTitle(QWidget *dialog)
{
    if (cetvelf != nullptr)
        dialog->setWindowTitle(cetvelf->windowTitle());
}
