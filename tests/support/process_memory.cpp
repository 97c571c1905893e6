#include "process_memory.h"

#include <psapi.h>

namespace testing_support {

std::optional<SIZE_T> PrivateMemory(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters) || counters.PagefileUsage == 0) {
        return std::nullopt;
    }
    return counters.PagefileUsage;
}

} // namespace testing_support
