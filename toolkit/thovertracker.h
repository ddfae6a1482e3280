#pragma once

#include <functional>

class QWidget;

namespace tk {

// Whether the pointer is over a windowless control, and whether a left press on it is being
// followed: the one rule of the program's hover-tracking controls. The pointer counts as inside
// only while the program is in the foreground; a control held down keeps it while the pointer
// strays. The control passes on its pointer notices and answers the changes the tracker reports.
class THoverTracker {
public:
    // How soon a control that shows its hover state redraws: at once, except after the pointer
    // left, where a repaint is only scheduled.
    enum class TRepaint { Now, Later };
    // Called when MouseInside changes, with the new value; the control fires OnMouseEnter or
    // OnMouseLeave from it.
    using Changed = std::function<void(bool inside, TRepaint repaint)>;

    THoverTracker(const QWidget *control, Changed changed);

    bool mouseInside() const { return m_mouseInside; }
    // Sets MouseInside without reporting it (a press counts the pointer in, a release out).
    void setMouseInside(bool inside) { m_mouseInside = inside; }

    bool pressTracking() const { return m_pressTracking; }
    void setPressTracking(bool tracking) { m_pressTracking = tracking; }

    // The pointer-enter and pointer-leave notices.
    void enter();
    void leave();
    // Reads the pointer's position again (after a release, a change of Enabled, ...).
    void evaluate();

private:
    void change(bool inside, TRepaint repaint);

    const QWidget *m_control;
    Changed m_changed;
    bool m_mouseInside = false;
    bool m_pressTracking = false;
};

} // namespace tk
