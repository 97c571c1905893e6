#include "lens_view.h"

#include "lens_picture.h"
#include "lens_window.h"

#include <cstring>

namespace testing_support {
namespace {

struct LensSearch {
    DWORD processId;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK FindLens(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<LensSearch*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (process == search->processId && std::strcmp(className, CLensWindow::kClassName) == 0 &&
        (!search->visibleOnly || IsWindowVisible(window))) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND LensOfThread(DWORD threadId) {
    for (HWND found = nullptr;
         (found = FindWindowExA(nullptr, found, CLensWindow::kClassName, nullptr));) {
        if (GetWindowThreadProcessId(found, nullptr) == threadId) {
            return found;
        }
    }
    return nullptr;
}

HWND VisibleLensOfProcess(DWORD processId) {
    LensSearch search{processId, true, nullptr};
    EnumWindows(FindLens, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

POINT LensBlockCentre(const RECT& lens, int dx, int dy) {
    const picker::LensRect block =
        picker::MagnifiedBlock(picker::kLensReach + dx, picker::kLensReach + dy);
    return POINT{lens.left + (block.left + block.right) / 2,
                 lens.top + (block.top + block.bottom) / 2};
}

POINT LensCaptionMargin(const RECT& lens) {
    const picker::LensRect caption = picker::CaptionArea();
    return POINT{lens.left + caption.left + 4, lens.top + (caption.top + caption.bottom) / 2};
}

} // namespace testing_support
