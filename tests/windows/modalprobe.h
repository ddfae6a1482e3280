#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs an action once `dialog` is the visible, active modal window, from inside its modal loop.
// Like a window manager, it activates the dialog once it is shown. A dialog that the action
// leaves open is closed afterwards (leftOpen()), so that a failing close cannot hang the test.
// If that does not happen within five seconds every modal window is closed, so that a broken
// opener fails the test instead of hanging it; timedOut() then reports it.
class ModalProbe {
public:
    ModalProbe(QWidget *dialog, std::function<void()> action) : m_dialog(dialog), m_action(std::move(action))
    {
        m_clock.start();
        QTimer::singleShot(0, &m_context, [this] { poll(); });
    }
    ModalProbe(const ModalProbe &) = delete;
    ModalProbe &operator=(const ModalProbe &) = delete;

    bool ran() const { return m_ran; }
    bool timedOut() const { return m_timedOut; }
    bool leftOpen() const { return m_leftOpen; }

    // What the window manager does when the dialog above a window closes.
    static bool activate(QWidget *window)
    {
        window->activateWindow();
        return QTest::qWaitForWindowActive(window);
    }

private:
    void poll()
    {
        if (m_dialog && m_dialog->isVisible() && QApplication::activeModalWidget() == m_dialog
            && !m_dialog->isActiveWindow())
            m_dialog->activateWindow();
        if (m_dialog && m_dialog->isVisible() && QApplication::activeModalWidget() == m_dialog
            && m_dialog->isActiveWindow()) {
            m_ran = true;
            m_action();
            if (m_dialog && m_dialog->isVisible()) {
                m_leftOpen = true;
                m_dialog->close();
            }
            return;
        }
        if (m_clock.elapsed() > 5000) {
            m_timedOut = true;
            while (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
            return;
        }
        QTimer::singleShot(5, &m_context, [this] { poll(); });
    }

    // Pending polls die with the probe.
    QObject m_context;
    QPointer<QWidget> m_dialog;
    std::function<void()> m_action;
    QElapsedTimer m_clock;
    bool m_ran = false;
    bool m_timedOut = false;
    bool m_leftOpen = false;
};
