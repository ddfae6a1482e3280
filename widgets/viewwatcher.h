#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;
class QWindow;

// Tells whether anybody can see a widget: it is visible, its window is not minimised, and the
// window system shows the window (exposes it). A minimised window, one that the window manager
// has taken off the screen, or one hidden behind a closed dialog is not viewable. Calls back, on
// the widget's thread, each time that changes.
class ViewWatcher : public QObject {
public:
    ViewWatcher(QWidget *widget, std::function<void(bool viewable)> changed);

    bool viewable() const { return m_viewable; }
    // Whether the widget can be seen now, worked out afresh.
    bool isViewableNow() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watchWindow();
    void recheck();

    QWidget *m_widget;
    QPointer<QWidget> m_topLevel;
    QPointer<QWindow> m_window;
    std::function<void(bool)> m_changed;
    bool m_viewable = false;
};
