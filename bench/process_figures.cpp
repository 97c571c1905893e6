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

StartedProgram::StartedProgram(const std::string& commandLine)
    : start_(Seconds()), process_(commandLine) {
    // Polled every millisecond: the start-up figure is only as fine as this loop.
    while (process_.Started() && !(window_ = process_.VisibleWindow()) && Seconds() - start_ < 20) {
        Sleep(1);
    }
    secondsToWindow_ = Seconds() - start_;
}

StartedProgram::~StartedProgram() {
    if (window_) {
        PostMessageA(window_, WM_COMMAND, IDCANCEL, 0);
        process_.WaitForExit(10000);
    }
}
