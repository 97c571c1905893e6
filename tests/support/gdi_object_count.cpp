#include "gdi_object_count.h"

#include <windows.h>
#include <winternl.h>

#include <cstdint>
#include <vector>

namespace testing_support {
namespace {

// One entry of Wine's table (include/ntgdi.h there).
#pragma pack(push, 1)
struct GdiHandleEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique; // low byte: extended type, and 0x80 for stock objects
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t userPointer;
};
#pragma pack(pop)
static_assert(sizeof(GdiHandleEntry) == 24);

constexpr std::size_t kTableEntries = 0x10000;
constexpr std::uint16_t kStockObject = 0x80;

template <class T> bool Read(HANDLE process, const void* address, T* into, std::size_t count = 1) {
    SIZE_T read = 0;
    return ReadProcessMemory(process, address, into, sizeof(T) * count, &read) &&
           read == sizeof(T) * count;
}

} // namespace

std::optional<std::size_t> CountGdiObjects(HANDLE process) {
    PROCESS_BASIC_INFORMATION basic{};
    if (!NT_SUCCESS(NtQueryInformationProcess(process, ProcessBasicInformation, &basic,
                                              sizeof basic, nullptr))) {
        return std::nullopt;
    }
#ifdef _WIN64
    constexpr std::size_t kSharedHandleTable = 0xF8; // the table's place in the PEB
#else
    constexpr std::size_t kSharedHandleTable = 0x94;
#endif
    const void* table = nullptr;
    if (!basic.PebBaseAddress ||
        !Read(process, reinterpret_cast<const BYTE*>(basic.PebBaseAddress) + kSharedHandleTable,
              &table) ||
        !table) {
        return std::nullopt;
    }
    std::vector<GdiHandleEntry> entries(kTableEntries);
    if (!Read(process, table, entries.data(), entries.size())) {
        return std::nullopt;
    }
    std::size_t count = 0;
    for (const GdiHandleEntry& entry : entries) {
        if (entry.type != 0 && !(entry.unique & kStockObject)) {
            ++count;
        }
    }
    if (count == 0) {
        return std::nullopt;
    }
    return count;
}

} // namespace testing_support
