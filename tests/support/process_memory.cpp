#include "process_memory.h"

#include <psapi.h>

namespace testing_support {

SIZE_T PrivateMemory(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process, &counters, sizeof counters);
    return counters.PagefileUsage;
}

} // namespace testing_support
