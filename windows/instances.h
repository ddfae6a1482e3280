#pragma once

#include "projectversion.h"

#include <functional>

class QWidget;
class Tcetvelf;
class Tsabitf;
class Tgrupf;
class TAboutF;

// The four windows of the run, each created once, in this order (null until then), and reachable
// from every window; a closed dialog is only hidden and keeps what its last opener wrote into it.
extern Tcetvelf *cetvelf;
extern Tsabitf *sabitf;
extern Tgrupf *grupf;
extern TAboutF *AboutF;

// The one source of the dialogs' titles: copies the main window's title onto `dialog` (nothing
// while there is no main window). Each dialog calls it each time it is shown.
void copyMainTitle(QWidget *dialog);

// The three dialogs, in their order of creation.
enum class Dialog { Details, Category, About };

// The program makes the dialogs when they are first needed, always in their order: a handler about
// to open one calls requireDialogs() with it first, which makes it and every dialog before it that
// does not exist yet.
void requireDialogs(Dialog upTo = Dialog::About);
// What requireDialogs() calls (start-up sets it; empty: the dialogs all exist).
void setDialogMaker(std::function<void(Dialog)> maker);

// The program's version, appended to the main window's title and shown by the about dialog.
inline constexpr char16_t VersionText[] = u"s" PC_VERSION;
