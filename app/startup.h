#pragma once

#include "windows/instances.h"

#include <chrono>
#include <memory>

class Tcetvelf;
class Tsabitf;
class Tgrupf;
class TAboutF;

namespace tk {
class TImageList;
} // namespace tk

// The four windows of a run, created hidden in their fixed order and published through the
// program-wide instances; destroyed in the reverse order, dialogs first.
//
// The program itself makes the main window first, then the details dialog once the main window is
// on the screen (the first thing the user waits for; the details dialog is what a click on any
// tile opens, so its first showing finds it made), and the category and about dialogs only when a
// handler first needs them: most runs never open them, and the memory they would hold (widgets,
// pictures, fonts, the credits' timers) stays free. A dialog is always made with every dialog
// before it, so they are created in their order whichever is needed first.
class ProgramWindows {
public:
    enum class Dialogs {
        AtOnce,   // with the main window
        Deferred, // the details dialog after the main window's first exposure has been painted,
                  // the others when a handler first asks for them
    };

    explicit ProgramWindows(Dialogs when = Dialogs::AtOnce);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows &) = delete;
    ProgramWindows &operator=(const ProgramWindows &) = delete;

    // Makes sabitf, grupf and AboutF, in this order, up to `upTo`, unless they exist.
    void createDialogs(Dialog upTo = Dialog::About);
    bool dialogsCreated() const { return m_about != nullptr; }

private:
    // The pictures of the two dialogs' tool bars, made with the first of them.
    std::unique_ptr<tk::TImageList> m_toolImages;
    std::unique_ptr<Tcetvelf> m_main;
    std::unique_ptr<Tsabitf> m_details;
    std::unique_ptr<Tgrupf> m_category;
    std::unique_ptr<TAboutF> m_about;
    // When the windows began to be made; the about dialog's credits run from then on, however late
    // the dialog itself is made.
    std::chrono::steady_clock::time_point m_startedAt = std::chrono::steady_clock::now();
};

// Runs the program: application object, the windows, the event loop until the main window
// closes, then tear-down. Returns the exit code.
int runProgram(const char *programName);
