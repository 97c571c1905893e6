// The picture buttons' tooltips, shown when the pointer rests on them, and a Tintview that
// starts where another program holds its shortcut.
#include "picker_fixture.h"

#include "child_process.h"
#include "handle_owners.h"
#include "message_pump.h"
#include "resources/resource_ids.h"
#include "test_paths.h"
#include "x_input.h"

#include <commctrl.h>

#include <string>

using namespace testing_support;

namespace {

constexpr char kSnapTip[] = "Take a colour from the screen (Win+Shift+C)";
constexpr char kSnapTipHeld[] =
    "Take a colour from the screen (Win+Shift+C is used by another program)";

class PickerTooltipTest : public PickerWindowTest {
protected:
    // The tooltip the UI thread shows now, if any: its text.
    std::optional<std::string> ShownTip() const {
        HWND tip = nullptr;
        const DWORD thread = GetWindowThreadProcessId(Window(), nullptr);
        while ((tip = FindWindowExA(nullptr, tip, TOOLTIPS_CLASSA, nullptr))) {
            if (GetWindowThreadProcessId(tip, nullptr) == thread && IsWindowVisible(tip)) {
                char text[256] = "";
                TOOLINFOA tool{};
                tool.cbSize = sizeof tool;
                tool.lpszText = text;
                if (SendMessageA(tip, TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&tool))) {
                    return std::string(text);
                }
            }
        }
        return std::nullopt;
    }
    // Rests the pointer on the button and waits for its tooltip.
    std::optional<std::string> TipOf(UINT buttonId) {
        xinput::MoveTo(Centre(IDC_HEX_FIELD)); // off every button, so the next rest starts anew
        PumpUntil([&] { return !ShownTip().has_value(); }, 3000);
        xinput::MoveTo(Centre(buttonId));
        std::optional<std::string> shown;
        PumpUntil([&] { return (shown = ShownTip()).has_value(); }, 5000);
        return shown;
    }
};

TEST_F(PickerTooltipTest, EachPictureButtonSaysWhatItDoes) {
    EXPECT_EQ(TipOf(IDC_SNAP), std::string(kSnapTip));
    EXPECT_EQ(TipOf(IDC_EXIT), std::string("Exit"));
    EXPECT_EQ(TipOf(ID_HELP), std::string("Help (F1)"));
}

// Another program has the shortcut before Tintview starts.
class PickerShortcutHeldTest : public PickerTooltipTest {
protected:
    void SetUp() override {
        held_.reset(CreateEventA(nullptr, TRUE, FALSE, "PrismelShortcutHeld"));
        release_.reset(CreateEventA(nullptr, TRUE, FALSE, "PrismelShortcutRelease"));
        holder_ = std::make_unique<ChildProcess>(BesideTest("holder.exe") +
                                                 " shortcut PrismelShortcutHeld PrismelShortcutRelease");
        ASSERT_TRUE(holder_->Started());
        ASSERT_EQ(WaitForSingleObject(held_.get(), 10000), WAIT_OBJECT_0)
            << "the other program did not get the shortcut";
        PickerTooltipTest::SetUp();
    }
    void TearDown() override {
        PickerTooltipTest::TearDown();
        SetEvent(release_.get());
        EXPECT_EQ(holder_->WaitForExit(5000), 0u);
    }

    CUniqueKernelObject held_;
    CUniqueKernelObject release_;
    std::unique_ptr<ChildProcess> holder_;
};

TEST_F(PickerShortcutHeldTest, TintviewWorksWithoutItAndItsSnapTooltipSaysSo) {
    EXPECT_FALSE(WaitForDialog(ProgramName().c_str(), 500)) << "a message appeared";
    EXPECT_EQ(TipOf(IDC_SNAP), std::string(kSnapTipHeld));
    // Snap still samples.
    SendMessageA(Control(IDC_SNAP), BM_CLICK, 0, 0);
    xinput::Click(Centre(IDC_EXIT));
    EXPECT_TRUE(PumpUntil([&] { return Text(IDC_HEX_FIELD) != "000000"; }, 3000))
        << "Snap did not sample";
    xinput::Click(Centre(IDC_SNAP));
}

} // namespace
