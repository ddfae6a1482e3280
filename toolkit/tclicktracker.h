#pragma once

#include <QMouseEvent>
#include <QRect>

namespace tk {

// The click rule of the plain controls: a left press, then a left release inside the control.
class TClickTracker {
public:
    void press(QMouseEvent *event)
    {
        if (event->button() == Qt::LeftButton)
            m_pressed = true;
        event->accept();
    }

    // True when this release completes a click.
    bool release(QMouseEvent *event, const QRect &inside)
    {
        event->accept();
        if (event->button() != Qt::LeftButton || !m_pressed)
            return false;
        m_pressed = false;
        return inside.contains(event->position().toPoint());
    }

    // Takes back the click a press started (a double click's second press starts none).
    void cancel() { m_pressed = false; }

private:
    bool m_pressed = false;
};

} // namespace tk
