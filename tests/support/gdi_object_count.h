// How many GDI objects a process holds. Windows answers GetGuiResources; Wine's answer is always
// 0, so this reads Wine's own per-process GDI handle table instead. A Wine-only probe for leak
// tests and the benchmark.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>

namespace testing_support {

// Of this process, or of another one opened with PROCESS_QUERY_INFORMATION | PROCESS_VM_READ.
// Nothing when the table cannot be found or read, or when what was read holds no object at all
// (every program measured here has drawn something, so that was not the table): a count that
// cannot be taken must never read as a count that did not change.
std::optional<std::size_t> CountGdiObjects(HANDLE process = GetCurrentProcess());

} // namespace testing_support
