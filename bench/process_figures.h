// Figures of a running program seen from outside: its start-up time, memory and GDI objects.
#pragma once

#include <windows.h>

#include <string>

struct StartedProgram {
    PROCESS_INFORMATION process;
    HWND window;
    double secondsToWindow; // from just before CreateProcess to the window being visible
};

// Starts `path` and waits for its first visible top-level window.
bool StartAndWaitForWindow(const std::string& path, StartedProgram& started);
// Ends it as Esc would and waits for it.
void EndProgram(StartedProgram& started);

// Committed private memory. Wine reports it as the page-file usage; on Windows the two agree.
SIZE_T PrivateMemory(HANDLE process);

double Seconds(); // a high-resolution clock
