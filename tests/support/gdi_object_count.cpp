#include "gdi_object_count.h"

#include <windows.h>
#include <winternl.h>

#include <cstdint>

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

const GdiHandleEntry* Table() {
    PROCESS_BASIC_INFORMATION basic{};
    NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic,
                              nullptr);
    const auto* peb = reinterpret_cast<const std::uint8_t*>(basic.PebBaseAddress);
#ifdef _WIN64
    constexpr std::size_t kSharedHandleTable = 0xF8;
#else
    constexpr std::size_t kSharedHandleTable = 0x94;
#endif
    return *reinterpret_cast<const GdiHandleEntry* const*>(peb + kSharedHandleTable);
}

} // namespace

std::size_t CountGdiObjects() {
    const GdiHandleEntry* table = Table();
    if (!table) {
        return 0;
    }
    std::size_t count = 0;
    for (std::size_t i = 0; i < kTableEntries; ++i) {
        if (table[i].type != 0 && !(table[i].unique & kStockObject)) {
            ++count;
        }
    }
    return count;
}

} // namespace testing_support
