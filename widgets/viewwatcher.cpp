#include "widgets/viewwatcher.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

ViewWatcher::ViewWatcher(QWidget *widget, std::function<void(bool viewable)> changed)
    : QObject(widget), m_widget(widget), m_changed(std::move(changed))
{
    widget->installEventFilter(this);
    watchWindow();
    m_viewable = isViewableNow();
}

bool ViewWatcher::isViewableNow() const
{
    if (!m_widget->isVisible())
        return false;
    const QWidget *top = m_widget->window();
    if (top->windowState() & Qt::WindowMinimized)
        return false;
    const QWindow *window = top->windowHandle();
    return window != nullptr && window->isExposed();
}

void ViewWatcher::watchWindow()
{
    // The top-level widget reports minimising; its platform window, made when it is first shown,
    // reports exposure.
    QWidget *top = m_widget->window();
    if (top != m_topLevel) {
        if (m_topLevel && m_topLevel != m_widget)
            m_topLevel->removeEventFilter(this);
        m_topLevel = top;
        if (top != m_widget)
            top->installEventFilter(this);
    }
    QWindow *window = top->windowHandle();
    if (window != m_window) {
        if (m_window)
            m_window->removeEventFilter(this);
        m_window = window;
        if (window != nullptr)
            window->installEventFilter(this);
    }
}

bool ViewWatcher::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::ParentChange:
    case QEvent::WinIdChange:
        watchWindow();
        recheck();
        break;
    case QEvent::WindowStateChange:
    case QEvent::Expose:
        if (watched == m_topLevel || watched == m_window)
            recheck();
        break;
    default:
        break;
    }
    return false;
}

void ViewWatcher::recheck()
{
    const bool now = isViewableNow();
    if (now == m_viewable)
        return;
    m_viewable = now;
    if (m_changed)
        m_changed(now);
}
