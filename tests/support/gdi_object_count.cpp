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

// Where the process's PEB says the table is, or null.
const void* SharedHandleTable(HANDLE process, const void* peb) {
    if (!peb) {
        return nullptr;
    }
    const BYTE* place = static_cast<const BYTE*>(peb);
    std::uint64_t table = 0;
#ifdef _WIN64
    if (!Read(process, place + 0xF8, &table)) {
        return nullptr;
    }
#else
    // A 32-bit program on 64-bit Wine has the table in its 64-bit PEB, which Wine lays one page
    // before the 32-bit one (the 32-bit PEB's own field stays empty there); a 32-bit Wine keeps
    // it in the 32-bit PEB.
    BOOL wow64 = FALSE;
    IsWow64Process(process, &wow64);
    std::uint32_t narrow = 0;
    if (wow64 ? !Read(process, place - 0x1000 + 0xF8, &table)
              : !Read(process, place + 0x94, &narrow)) {
        return nullptr;
    }
    table = wow64 ? table : narrow;
    if (table > UINT32_MAX) {
        return nullptr; // beyond what this program can read
    }
#endif
    return reinterpret_cast<const void*>(static_cast<std::uintptr_t>(table));
}

} // namespace

std::optional<std::size_t> CountGdiObjects(HANDLE process) {
    PROCESS_BASIC_INFORMATION basic{};
    if (!NT_SUCCESS(NtQueryInformationProcess(process, ProcessBasicInformation, &basic,
                                              sizeof basic, nullptr))) {
        return std::nullopt;
    }
    const void* table = SharedHandleTable(process, basic.PebBaseAddress);
    if (!table) {
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
