#include "desktop_guard.h"

#include "picker_dialog.h"

#include <cstdlib>
#include <exception>

namespace {

CPickerDialog* guarded = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;
std::terminate_handler previousTerminate = nullptr;

// Runs on whichever thread failed, in a process about to end: only the two undo steps.
void RestoreDesktop() {
    if (guarded) {
        guarded->EndSampling();
    }
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* exception) {
    RestoreDesktop();
    return previousFilter ? previousFilter(exception) : EXCEPTION_CONTINUE_SEARCH;
}

[[noreturn]] void OnTerminate() {
    RestoreDesktop();
    if (previousTerminate) {
        previousTerminate();
    }
    std::abort();
}

} // namespace

DesktopGuard::DesktopGuard(CPickerDialog& dialog) {
    guarded = &dialog;
    previousFilter = SetUnhandledExceptionFilter(&OnUnhandledException);
    previousTerminate = std::set_terminate(&OnTerminate);
}

DesktopGuard::~DesktopGuard() {
    SetUnhandledExceptionFilter(previousFilter);
    std::set_terminate(previousTerminate);
    guarded = nullptr;
}
