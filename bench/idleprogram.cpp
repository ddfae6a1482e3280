// The program's own start-up, with switches to leave out one of its animations, so that the
// idle cost of each can be read as a difference against the whole program.
//   usage: idleprogram [--no-scroller] [--no-logo]
#include "app/startup.h"
#include "gif/tgifanimator.h"
#include "toolkit/tapplication.h"
#include "widgets/tcreditspanel.h"
#include "windows/instances.h"
#include "windows/taboutf.h"
#include "windows/tcetvelf.h"

#include <cstring>

int main(int argc, char **argv)
{
    bool scroller = true;
    bool logo = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-scroller") == 0)
            scroller = false;
        else if (std::strcmp(argv[i], "--no-logo") == 0)
            logo = false;
    }
    int qtArgc = 1;
    tk::Application app(qtArgc, argv);
    app.setQuitOnLastWindowClosed(false);
    ProgramWindows windows;
    if (!scroller)
        AboutF->CreditsPanel1->setActive(false);
    if (!logo)
        cetvelf->GIFAnimator1->setAnimate(false);
    QObject::connect(cetvelf, &tk::TForm::formClosed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    cetvelf->show();
    return app.exec();
}
