#include "fake_help_viewer.h"

namespace testing_support {
namespace {

// What WinHelpA sends in its WM_COPYDATA.
constexpr ULONG_PTR kHelpRequestTag = 0xA1DE505;
#pragma pack(push, 1)
struct WinHelpBlock {
    WORD size;
    WORD command;
    LONG data;
    LONG reserved;
    WORD fileOffset;
    WORD dataOffset;
};
#pragma pack(pop)

} // namespace

FakeHelpViewer::FakeHelpViewer(bool starts) : starts_(starts) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "MS_WINHELP";
    RegisterClassA(&windowClass);
    window_ = CreateWindowA("MS_WINHELP", "Fake help", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            windowClass.hInstance, this);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

FakeHelpViewer::~FakeHelpViewer() {
    DestroyWindow(window_);
}

LRESULT CALLBACK FakeHelpViewer::Procedure(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    auto* self = reinterpret_cast<FakeHelpViewer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_COPYDATA && self) {
        const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (copy->dwData != kHelpRequestTag) {
            return 0;
        }
        const auto* block = static_cast<const WinHelpBlock*>(copy->lpData);
        const char* file =
            block->fileOffset ? reinterpret_cast<const char*>(block) + block->fileOffset : "";
        self->requests_.push_back(
            HelpRequest{file, block->command, block->data, reinterpret_cast<HWND>(wParam)});
        return self->starts_ ? 1 : 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace testing_support
