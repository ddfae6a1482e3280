#include "windows/instances.h"

#include "windows/tcetvelf.h"

Tcetvelf *cetvelf = nullptr;
Tsabitf *sabitf = nullptr;
Tgrupf *grupf = nullptr;
TAboutF *AboutF = nullptr;

namespace {

std::function<void(Dialog)> &dialogMaker()
{
    static std::function<void(Dialog)> maker;
    return maker;
}

} // namespace

void requireDialogs(Dialog upTo)
{
    // A copy: the maker may clear itself once the last dialog exists.
    if (const std::function<void(Dialog)> maker = dialogMaker())
        maker(upTo);
}

void setDialogMaker(std::function<void(Dialog)> maker)
{
    dialogMaker() = std::move(maker);
}

void copyMainTitle(QWidget *dialog)
{
    if (cetvelf != nullptr)
        dialog->setWindowTitle(cetvelf->windowTitle());
}
