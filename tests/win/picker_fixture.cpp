#include "picker_fixture.h"

#include "clipboard_text.h"
#include "handle_owners.h"
#include "message_pump.h"
#include "screen_pictures.h"
#include "window_frame.h"
#include "x_input.h"

#include <commctrl.h>

using namespace testing_support;

void PickerWindowTest::SetUp() {
    ui_ = std::make_unique<UiThread>([this] { app_.StartProgram(); });
    window_ = WaitForDialog("Prismel", 10000);
    ASSERT_NE(window_, nullptr) << "the main window did not show";
    SetForegroundWindow(window_);
    PumpFor(100);
}

HWND PickerWindowTest::WaitForDialog(const char* caption, DWORD timeoutMs) const {
    const DWORD thread = ui_->Id();
    HWND shown = nullptr;
    PumpUntil(
        [&] {
            for (HWND found = nullptr;
                 (found = FindWindowExA(nullptr, found, "#32770", caption));) {
                if (GetWindowThreadProcessId(found, nullptr) == thread && IsWindowVisible(found)) {
                    shown = found;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return shown;
}

void PickerWindowTest::TearDown() {
    // Whatever the test left open, the window ends with Cancel, as with Esc.
    while (auto box = WaitForMessageBox(ProgramName(), 0)) {
        DismissMessageBox(*box);
    }
    if (IsWindow(window_)) {
        PostMessageA(window_, WM_COMMAND, IDCANCEL, 0);
    }
    EXPECT_TRUE(Ended(10000)) << "the modal run did not end";
    ui_.reset();
}

std::string PickerWindowTest::Text(UINT id) const {
    return TextOf(Control(id));
}

int PickerWindowTest::SliderPosition(UINT id) const {
    return static_cast<int>(SendMessageA(Control(id), TBM_GETPOS, 0, 0));
}

POINT PickerWindowTest::Centre(UINT id) const {
    return CentreOf(Control(id));
}

COLORREF PickerWindowTest::SwatchPixel() const {
    return ScreenPixel(Centre(1012));
}

void PickerWindowTest::WaitPainted(HWND window) const {
    const HWND painted = window ? window : window_;
    ui_->Invoke([&] { RedrawWindow(painted, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); });
}

double PickerWindowTest::ButtonPictureShare(const Screenshot& shot, UINT buttonId,
                                            UINT bitmapId) const {
    const screen_pictures::Picture picture = screen_pictures::BitmapResource(bitmapId);
    const RECT button = screen_pictures::WindowOnScreen(Control(buttonId));
    // Centred, give or take the rounding of an odd difference and a pressed button's shift.
    const POINT centred{button.left + (button.right - button.left - picture.width) / 2,
                        button.top + (button.bottom - button.top - picture.height) / 2};
    return screen_pictures::BestShareNear(shot, button, picture, centred, 2);
}

void PickerWindowTest::SelectAll(UINT fieldId) {
    xinput::Click(Centre(fieldId));
    ui_->Invoke([&] { SendMessageA(Control(fieldId), EM_SETSEL, 0, -1); });
}

void PickerWindowTest::TypeKeys(UINT fieldId, const std::string& text) {
    for (char key : text) {
        const std::string before = Text(fieldId);
        xinput::Type(std::string(1, key));
        // The key reaches the window through the X server: wait for its effect (a new text or
        // a warning) before the next key, so a warning never swallows a key meant for a field.
        PumpUntil([&] { return Text(fieldId) != before || WaitForMessageBox(ProgramName(), 0); },
                  500);
        ui_->Invoke([] {});
    }
}

void PickerWindowTest::Paste(UINT fieldId, const std::string& text) {
    ASSERT_TRUE(PutTextOnClipboard(text));
    SelectAll(fieldId);
    const std::string before = Text(fieldId);
    xinput::Key("ctrl+v");
    PumpUntil([&] { return Text(fieldId) != before || WaitForMessageBox(ProgramName(), 0); }, 1000);
    ui_->Invoke([] {});
}

bool PickerWindowTest::WaitForText(UINT id, const std::string& expected, DWORD timeoutMs) const {
    return PumpUntil([&] { return Text(id) == expected; }, timeoutMs);
}

std::string PickerWindowTest::ProgramName() {
    char path[MAX_PATH];
    const std::string program(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    const size_t start = program.find_last_of('\\') + 1;
    return program.substr(start, program.find_last_of('.') - start);
}

void PickerWindowTest::ExpectWarning(const std::string& text) {
    const auto box = WaitForMessageBox(ProgramName());
    ASSERT_TRUE(box.has_value()) << "no warning: expected \"" << text << "\"";
    EXPECT_EQ(box->text, text);
    EXPECT_EQ(box->icon, LoadIconA(nullptr, IDI_WARNING));
    EXPECT_EQ(box->owner, window_);
    DismissMessageBox(*box);
}
