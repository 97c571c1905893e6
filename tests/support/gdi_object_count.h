// How many GDI objects a process holds. Windows answers GetGuiResources; Wine's answer is always
// 0, so this reads Wine's own per-process GDI handle table instead. A Wine-only probe for leak
// tests and the benchmark.
#pragma once

#include <windows.h>

#include <cstddef>

namespace testing_support {

// Of this process, or of another one opened with PROCESS_QUERY_INFORMATION | PROCESS_VM_READ.
std::size_t CountGdiObjects(HANDLE process = GetCurrentProcess());

} // namespace testing_support
