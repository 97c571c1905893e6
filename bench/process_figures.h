// Figures of a running program seen from outside: its start-up time and memory.
#pragma once

#include "child_process.h"

#include <windows.h>

#include <string>

double Seconds(); // a high-resolution clock

// A program started for its figures; ended as Esc would end it when this goes.
class CStartedProgram {
public:
    // Starts `commandLine` and waits (at most 20 s) for its first visible top-level window.
    explicit CStartedProgram(const std::string& commandLine);
    ~CStartedProgram();
    CStartedProgram(const CStartedProgram&) = delete;
    CStartedProgram& operator=(const CStartedProgram&) = delete;

    HWND Window() const { return window; }
    HANDLE Process() const { return process.Handle(); }
    // From just before the process was created to its window being visible.
    double SecondsToWindow() const { return secondsToWindow; }

private:
    double start; // taken before the process is created
    testing_support::ChildProcess process;
    HWND window = nullptr;
    double secondsToWindow = 0;
};
