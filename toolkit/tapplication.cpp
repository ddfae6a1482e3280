#include "toolkit/tapplication.h"

#include "toolkit/tcolor.h"
#include "toolkit/tfont.h"

#include <QMessageBox>
#include <QMetaObject>
#include <QMutex>
#include <QThread>

#include <exception>

namespace tk {

namespace {

QMutex displayMutex;

void messageBoxDisplay(const QString &message)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), message, QMessageBox::Ok);
    box.exec();
}

Application::ErrorDisplay &display()
{
    static Application::ErrorDisplay current = messageBoxDisplay;
    return current;
}

} // namespace

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    setPalette(classicPalette());
    installFontSubstitutions();
    setFont(defaultFont());
}

Application::~Application() = default;

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        showError(messageOf(std::current_exception()));
        return true;
    }
}

Application::ErrorDisplay Application::setErrorDisplay(ErrorDisplay next)
{
    QMutexLocker lock(&displayMutex);
    ErrorDisplay previous = std::move(display());
    display() = std::move(next);
    return previous;
}

void Application::showError(const QString &message)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (app == nullptr)
        return;
    if (QThread::currentThread() != app->thread()) {
        QMetaObject::invokeMethod(app, [message] { showError(message); }, Qt::QueuedConnection);
        return;
    }
    ErrorDisplay current;
    {
        QMutexLocker lock(&displayMutex);
        current = display();
    }
    if (current)
        current(message);
}

void Application::guarded(const std::function<void()> &fn)
{
    try {
        fn();
    } catch (...) {
        showError(messageOf(std::current_exception()));
    }
}

QString messageOf(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

} // namespace tk
