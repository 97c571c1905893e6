#include "process_figures.h"

double Seconds() {
    static const double frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return static_cast<double>(value.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / frequency;
}

CStartedProgram::CStartedProgram(const std::string& commandLine)
    : start(Seconds()), process(commandLine) {
    // Polled every millisecond: the start-up figure is only as fine as this loop.
    while (process.Started() && !(window = process.VisibleWindow()) && Seconds() - start < 20) {
        Sleep(1);
    }
    secondsToWindow = Seconds() - start;
}

CStartedProgram::~CStartedProgram() {
    if (window) {
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        process.WaitForExit(10000);
    }
}
