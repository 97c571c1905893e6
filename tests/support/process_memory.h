// How much memory a process holds.
#pragma once

#include <windows.h>

#include <optional>

namespace testing_support {

// Committed private memory of this process, or of another one opened with
// PROCESS_QUERY_INFORMATION | PROCESS_VM_READ. Wine reports it as the page-file usage (its
// PrivateUsage is 0); on Windows the two are the same figure. Nothing when the query fails or
// reports none: a running process always holds some.
std::optional<SIZE_T> PrivateMemory(HANDLE process = GetCurrentProcess());

} // namespace testing_support
