#include "app/crash_guard.h"

#include "sampling/sampling_session.h"

#include <cstdlib>
#include <exception>

namespace picker {
namespace {

// The platform's filter and the runtime's handler are one for the process, so these are too.
LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;
std::terminate_handler previousTerminate = nullptr;

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* exception) {
    // On whichever thread failed, in a process about to end.
    CSamplingSession::EndFromAnyThread();
    return previousFilter ? previousFilter(exception) : EXCEPTION_CONTINUE_SEARCH;
}

[[noreturn]] void OnTerminate() {
    CSamplingSession::EndFromAnyThread();
    if (previousTerminate) {
        previousTerminate();
    }
    std::abort();
}

} // namespace

CCrashGuard::CCrashGuard() {
    previousFilter = SetUnhandledExceptionFilter(&OnUnhandledException);
    previousTerminate = std::set_terminate(&OnTerminate);
}

CCrashGuard::~CCrashGuard() {
    SetUnhandledExceptionFilter(previousFilter);
    std::set_terminate(previousTerminate);
}

} // namespace picker
