#include "app/startup.h"

#include "toolkit/tapplication.h"
#include "windows/instances.h"
#include "windows/taboutf.h"
#include "windows/tcetvelf.h"
#include "windows/tgrupf.h"
#include "windows/tsabitf.h"

#include <QIcon>

ProgramWindows::ProgramWindows()
{
    m_main = std::make_unique<Tcetvelf>();
    cetvelf = m_main.get();
    m_details = std::make_unique<Tsabitf>();
    sabitf = m_details.get();
    m_category = std::make_unique<Tgrupf>();
    grupf = m_category.get();
    m_about = std::make_unique<TAboutF>();
    AboutF = m_about.get();
}

ProgramWindows::~ProgramWindows()
{
    AboutF = nullptr;
    m_about.reset();
    grupf = nullptr;
    m_category.reset();
    sabitf = nullptr;
    m_details.reset();
    cetvelf = nullptr;
    m_main.reset();
}

int runProgram(const char *programName)
{
    // Qt sees only the program's name: nothing on the command line changes what the program does.
    int argc = 1;
    char *argv[] = {const_cast<char *>(programName), nullptr};
    tk::Application app(argc, argv);
    app.setWindowIcon(QIcon(QStringLiteral(":/assets/icon.png")));
    // The main window's closing ends the loop, whatever dialogs exist hidden.
    app.setQuitOnLastWindowClosed(false);

    int exitCode = 0;
    {
        ProgramWindows windows;
        QObject::connect(cetvelf, &tk::TForm::formClosed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
        cetvelf->show();
        exitCode = app.exec();
    }
    return exitCode;
}
