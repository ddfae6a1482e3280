#include "app/startup.h"

#include "assets/compiledpictures.h"
#include "toolkit/tapplication.h"
#include "toolkit/timagelist.h"
#include "windows/instances.h"
#include "windows/taboutf.h"
#include "windows/tcetvelf.h"
#include "windows/tgrupf.h"
#include "windows/tsabitf.h"

#include <QIcon>
#include <QMetaObject>
#include <QPixmap>
#include <QSocketNotifier>
#include <QWindow>

#include <csignal>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <functional>
#include <optional>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A session that ends (log-out, shut-down, a terminal's interrupt) asks the program to go with
// SIGTERM, SIGHUP or SIGINT. The handler only writes a byte; the GUI thread then leaves every
// event loop, modal ones included, so the windows are torn down as after a normal close.
int signalPipe[2] = {-1, -1};

void onTerminationSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

// Installed before anything else, so that a session ending while the program is still starting
// up is not lost: the byte waits in the pipe until the event loop runs, which then ends at once.
class TerminationWatch {
public:
    TerminationWatch()
    {
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
            return;
        struct sigaction action = {};
        action.sa_handler = onTerminationSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int sig : {SIGTERM, SIGHUP, SIGINT})
            ::sigaction(sig, &action, nullptr);
    }
    ~TerminationWatch()
    {
        struct sigaction action = {};
        action.sa_handler = SIG_DFL;
        for (int sig : {SIGTERM, SIGHUP, SIGINT})
            ::sigaction(sig, &action, nullptr);
        for (int &fd : signalPipe)
            if (fd >= 0) {
                ::close(fd);
                fd = -1;
            }
    }
    TerminationWatch(const TerminationWatch &) = delete;
    TerminationWatch &operator=(const TerminationWatch &) = delete;

    // From here on a termination request ends the application's event loop (the application owns
    // the notifier, so it goes before the application does).
    void watch(QCoreApplication &app)
    {
        if (signalPipe[0] < 0)
            return;
        auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, [] {
            char byte;
            [[maybe_unused]] const auto read = ::read(signalPipe[0], &byte, 1);
            QCoreApplication::exit(0);
        });
    }
};

// Calls fn once the window has been exposed for the first time and that exposure has been
// painted: the call is queued behind the exposure's own handling.
class FirstExposure : public QObject {
public:
    FirstExposure(QWindow *window, std::function<void()> fn) : QObject(window), m_fn(std::move(fn))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(this, m_fn, Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void()> m_fn;
};

// Start-up's passing work (the font database, reading the pictures, building and laying out the
// windows) leaves freed memory inside the heap, which the C library keeps for later allocations
// that an idle table never makes. Once the windows a first click needs are made, it goes back to
// the system.
void releaseStartUpMemory()
{
#if defined(__GLIBC__)
    ::malloc_trim(0);
#endif
}

} // namespace

ProgramWindows::ProgramWindows(Dialogs when)
{
    m_main = std::make_unique<Tcetvelf>();
    cetvelf = m_main.get();
    if (when == Dialogs::AtOnce) {
        createDialogs();
        return;
    }
    setDialogMaker([this](Dialog upTo) { createDialogs(upTo); });
    // The main window's platform window exists once it has been made for showing.
    m_main->winId();
    new FirstExposure(m_main->windowHandle(), [this] {
        createDialogs(Dialog::Details);
        releaseStartUpMemory();
    });
}

void ProgramWindows::createDialogs(Dialog upTo)
{
    if (!m_details) {
        m_toolImages = Tsabitf::makeImageList1();
        m_details = std::make_unique<Tsabitf>(m_toolImages.get());
        sabitf = m_details.get();
    }
    if (upTo >= Dialog::Category && !m_category) {
        m_category = std::make_unique<Tgrupf>(m_toolImages.get());
        grupf = m_category.get();
    }
    if (upTo >= Dialog::About && !m_about) {
        m_about = std::make_unique<TAboutF>(nullptr, m_startedAt);
        AboutF = m_about.get();
        setDialogMaker({});
    }
}

ProgramWindows::~ProgramWindows()
{
    setDialogMaker({});
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
    TerminationWatch terminationWatch;
    // Qt sees only the program's name: nothing on the command line changes what the program does.
    int argc = 1;
    char *argv[] = {const_cast<char *>(programName), nullptr};
    std::optional<tk::Application> application;
    {
        // Qt's X11 platform hands a window's pixels to the server through shared memory, and
        // before it draws into that memory again it waits for the server to have read it: a
        // round trip at every repaint, which wakes three threads for each frame of the logo
        // instead of one. The program's windows are small, so their pixels go over the
        // connection instead. Only the platform's start-up reads the setting; it is taken back
        // at once, so that nothing the program starts inherits it.
        const bool preset = qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM");
        if (!preset)
            qputenv("QT_XCB_NO_MITSHM", "1");
        application.emplace(argc, argv);
        if (!preset)
            qunsetenv("QT_XCB_NO_MITSHM");
    }
    tk::Application &app = *application;
    app.setWindowIcon(QIcon(QPixmap::fromImage(compiledPicture("icon"))));
    // The main window's closing ends the loop, whatever dialogs exist hidden.
    app.setQuitOnLastWindowClosed(false);

    terminationWatch.watch(app);
    int exitCode = 0;
    {
        ProgramWindows windows(ProgramWindows::Dialogs::Deferred);
        QObject::connect(cetvelf, &tk::TForm::formClosed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
        cetvelf->show();
        exitCode = app.exec();
    }
    return exitCode;
}
