#pragma once

#include <QApplication>
#include <QString>

#include <exception>
#include <functional>

namespace tk {

// The application object: installs the classic palette and the font substitutions, and is the
// standard error display. An exception escaping an event handler is caught here, its message is
// shown, and the event loop goes on; exceptions never unwind through Qt's dispatch.
class Application : public QApplication {
    Q_OBJECT
public:
    using ErrorDisplay = std::function<void(const QString &message)>;

    Application(int &argc, char **argv);
    ~Application() override;

    bool notify(QObject *receiver, QEvent *event) override;

    // Replaces the message box (tests record the messages instead). Returns the previous display.
    static ErrorDisplay setErrorDisplay(ErrorDisplay display);

    // Shows a message through the error display. Safe from any thread: a worker's report is
    // handed to the GUI thread and shown there without waiting.
    static void showError(const QString &message);

    // Runs fn and reports any exception it raises; the form every guarded handler takes.
    static void guarded(const std::function<void()> &fn);
};

// The message of a caught error, as the error display shows it.
QString messageOf(std::exception_ptr error);

} // namespace tk
