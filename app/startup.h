#pragma once

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
// The program itself makes the main window first and the three dialogs once the main window is on
// the screen (the first thing the user waits for), or earlier if a handler needs one before that.
class ProgramWindows {
public:
    enum class Dialogs {
        AtOnce,            // with the main window
        OnceMainWindowShown, // after the main window's first exposure has been painted
    };

    explicit ProgramWindows(Dialogs when = Dialogs::AtOnce);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows &) = delete;
    ProgramWindows &operator=(const ProgramWindows &) = delete;

    // Makes sabitf, grupf and AboutF, in this order, unless they exist.
    void createDialogs();
    bool dialogsCreated() const { return m_about != nullptr; }

private:
    // The pictures of the two dialogs' tool bars, made with the dialogs.
    std::unique_ptr<tk::TImageList> m_toolImages;
    std::unique_ptr<Tcetvelf> m_main;
    std::unique_ptr<Tsabitf> m_details;
    std::unique_ptr<Tgrupf> m_category;
    std::unique_ptr<TAboutF> m_about;
};

// Runs the program: application object, the windows, the event loop until the main window
// closes, then tear-down. Returns the exit code.
int runProgram(const char *programName);
