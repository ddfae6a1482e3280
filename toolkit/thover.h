#pragma once

class QWidget;

namespace tk {

// True while one of the program's windows is active: controls only light up under the pointer
// then, as the system's own do.
bool applicationInForeground();

// Whether a control counts as under the pointer: enabled, the topmost widget at the pointer, and
// the program in the foreground.
bool underPointer(const QWidget *widget);

} // namespace tk
