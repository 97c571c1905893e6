// The probes that the leak tests and the benchmark measure with: each sees what it is meant to
// see, to the object, and says so when it cannot measure instead of reading as nothing.
#include "colour_board.h"
#include "gdi_object_count.h"
#include "handle_owners.h"
#include "process_memory.h"

#include <gtest/gtest.h>

#include <vector>

using namespace testing_support;

namespace {

TEST(MeasurementProbes, TheGdiCountRisesByEachBrushAndFallsBack) {
    ScreenDc(); // the first device context caches objects of its own
    const auto before = CountGdiObjects();
    ASSERT_TRUE(before.has_value()) << "Wine's GDI handle table was not found";
    std::vector<HBRUSH> brushes;
    for (int i = 0; i < 100; ++i) {
        brushes.push_back(CreateSolidBrush(RGB(i, 255 - i, 7)));
        ASSERT_NE(brushes.back(), nullptr);
    }
    const auto holding = CountGdiObjects();
    for (const HBRUSH brush : brushes) {
        DeleteObject(brush);
    }
    const auto after = CountGdiObjects();
    ASSERT_TRUE(holding && after);
    EXPECT_EQ(*holding, *before + 100);
    EXPECT_EQ(*after, *before);
}

TEST(MeasurementProbes, AnotherProcessIsCountedAndAHandleThatCannotReadItCountsNothing) {
    const ColourBoard board(POINT{40, 40}); // a program that has drawn
    ASSERT_NE(board.Window(), nullptr);
    DWORD id = 0;
    GetWindowThreadProcessId(board.Window(), &id);
    const CUniqueKernelObject readable(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id));
    // May only wait for its end.
    const CUniqueKernelObject unreadable(OpenProcess(SYNCHRONIZE, FALSE, id));
    ASSERT_TRUE(readable && unreadable);
    EXPECT_TRUE(CountGdiObjects(readable.get()).has_value());
    EXPECT_FALSE(CountGdiObjects(unreadable.get()).has_value()) << "a count it could not read";
    EXPECT_TRUE(PrivateMemory(readable.get()).has_value());
    EXPECT_FALSE(PrivateMemory(unreadable.get()).has_value()) << "memory it could not query";
}

TEST(MeasurementProbes, PrivateMemoryFollowsWhatIsCommittedAndFreed) {
    constexpr SIZE_T kBlock = 16 << 20;
    const auto before = PrivateMemory();
    ASSERT_TRUE(before.has_value()) << "the private memory could not be read";
    const auto block =
        static_cast<BYTE*>(VirtualAlloc(nullptr, kBlock, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_NE(block, nullptr);
    for (SIZE_T offset = 0; offset < kBlock; offset += 4096) {
        block[offset] = 1; // committed and touched, as a leak's memory is
    }
    const auto holding = PrivateMemory();
    VirtualFree(block, 0, MEM_RELEASE);
    const auto after = PrivateMemory();
    ASSERT_TRUE(holding && after);
    EXPECT_GE(*holding, *before + kBlock);
    EXPECT_LT(*holding, *before + kBlock + (1 << 20));
    EXPECT_LT(*after, *before + (1 << 20));
}

} // namespace
