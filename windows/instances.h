#pragma once

#include "projectversion.h"

#include <functional>

class QWidget;
class Tcetvelf;
class Tsabitf;
class Tgrupf;
class TAboutF;

// The four windows of the run, created once at start-up in this order and reachable from every
// window; a closed dialog is only hidden and keeps what its last opener wrote into it.
extern Tcetvelf *cetvelf;
extern Tsabitf *sabitf;
extern Tgrupf *grupf;
extern TAboutF *AboutF;

// The one source of the dialogs' titles: copies the main window's title onto `dialog` (nothing
// while there is no main window). Each dialog calls it each time it is shown.
void copyMainTitle(QWidget *dialog);

// Start-up makes the three dialogs once the main window is on the screen. A handler about to open
// one calls requireDialogs() first, which makes them at once if that has not happened yet.
void requireDialogs();
// What requireDialogs() calls (start-up sets it; empty: the dialogs already exist).
void setDialogMaker(std::function<void()> maker);

// The program's version, appended to the main window's title and shown by the about dialog.
inline constexpr char16_t VersionText[] = u"s" PC_VERSION;
