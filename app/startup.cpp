#include "app/startup.h"

#include "toolkit/tapplication.h"
#include "windows/instances.h"
#include "windows/taboutf.h"
#include "windows/tcetvelf.h"
#include "windows/tgrupf.h"
#include "windows/tsabitf.h"

#include <QIcon>

#include <memory>

int runProgram(const char *programName)
{
    // Qt sees only the program's name: nothing on the command line changes what the program does.
    int argc = 1;
    char *argv[] = {const_cast<char *>(programName), nullptr};
    tk::Application app(argc, argv);
    app.setWindowIcon(QIcon(QStringLiteral(":/assets/icon.png")));
    app.setQuitOnLastWindowClosed(false);

    auto main = std::make_unique<Tcetvelf>();
    cetvelf = main.get();
    auto details = std::make_unique<Tsabitf>();
    sabitf = details.get();
    auto category = std::make_unique<Tgrupf>();
    grupf = category.get();
    auto about = std::make_unique<TAboutF>();
    AboutF = about.get();

    // The main window's closing, by any of its ways, ends the loop.
    QObject::connect(cetvelf, &tk::TForm::formClosed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    cetvelf->show();
    app.exec();

    // Dialogs go before the main window, the reverse of their creation.
    AboutF = nullptr;
    about.reset();
    grupf = nullptr;
    category.reset();
    sabitf = nullptr;
    details.reset();
    cetvelf = nullptr;
    main.reset();
    return 0;
}
