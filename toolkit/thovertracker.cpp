#include "toolkit/thovertracker.h"

#include "toolkit/thover.h"

#include <QWidget>

#include <utility>

namespace tk {

THoverTracker::THoverTracker(const QWidget *control, Changed changed)
    : m_control(control), m_changed(std::move(changed))
{
}

void THoverTracker::enter()
{
    if (m_control->isEnabled() && !m_mouseInside && applicationInForeground())
        change(true, TRepaint::Now);
}

void THoverTracker::leave()
{
    if (m_control->isEnabled() && m_mouseInside && !m_pressTracking)
        change(false, TRepaint::Later);
}

void THoverTracker::evaluate()
{
    const bool inside = underPointer(m_control);
    if (inside != m_mouseInside)
        change(inside, TRepaint::Now);
}

void THoverTracker::change(bool inside, TRepaint repaint)
{
    m_mouseInside = inside;
    m_changed(inside, repaint);
}

} // namespace tk
