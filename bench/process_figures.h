// Figures of a running program seen from outside: its start-up time and memory.
#pragma once

#include "child_process.h"

#include <windows.h>

#include <string>

double Seconds(); // a high-resolution clock

// A program started for its figures; ended as Esc would end it when this goes.
class StartedProgram {
public:
    // Starts `commandLine` and waits (at most 20 s) for its first visible top-level window.
    explicit StartedProgram(const std::string& commandLine);
    ~StartedProgram();
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    HWND Window() const { return window_; }
    HANDLE Process() const { return process_.Handle(); }
    // From just before the process was created to its window being visible.
    double SecondsToWindow() const { return secondsToWindow_; }

private:
    double start_; // taken before the process is created
    testing_support::ChildProcess process_;
    HWND window_ = nullptr;
    double secondsToWindow_ = 0;
};
