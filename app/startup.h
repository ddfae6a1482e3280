#pragma once

// Runs the program: application object, the four windows in their order, the event loop until
// the main window closes, then tear-down. Returns the exit code.
int runProgram(const char *programName);
