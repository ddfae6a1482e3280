#pragma once

#include <memory>

class Tcetvelf;
class Tsabitf;
class Tgrupf;
class TAboutF;

// The four windows of a run, created hidden in their fixed order and published through the
// program-wide instances; destroyed in the reverse order, dialogs first.
class ProgramWindows {
public:
    ProgramWindows();
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows &) = delete;
    ProgramWindows &operator=(const ProgramWindows &) = delete;

private:
    std::unique_ptr<Tcetvelf> m_main;
    std::unique_ptr<Tsabitf> m_details;
    std::unique_ptr<Tgrupf> m_category;
    std::unique_ptr<TAboutF> m_about;
};

// Runs the program: application object, the windows, the event loop until the main window
// closes, then tear-down. Returns the exit code.
int runProgram(const char *programName);
