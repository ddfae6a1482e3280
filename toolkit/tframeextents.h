#pragma once

#include <QMargins>

#include <chrono>
#include <optional>

class QWindow;

namespace tk {

// The widths of the frame the window manager puts around a top-level window, in the window's
// logical pixels. Known once the window has been framed; for a window not yet on screen the
// window manager is asked what frame it will give it (an X11 window manager that follows the
// extended window manager hints answers through _NET_FRAME_EXTENTS), and the answer is awaited
// for up to `wait`. Empty where the platform or the window manager tells nothing.
std::optional<QMargins> frameExtents(QWindow *window, std::chrono::milliseconds wait);

} // namespace tk
