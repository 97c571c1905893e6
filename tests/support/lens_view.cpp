#include "lens_view.h"

#include "child_process.h"
#include "rules/lens_picture.h"
#include "sampling/lens_window.h"

namespace testing_support {

HWND LensOfProcess(DWORD processId) {
    for (HWND found = nullptr;
         (found = FindWindowExA(nullptr, found, picker::CLensWindow::kClassName, nullptr));) {
        DWORD process = 0;
        GetWindowThreadProcessId(found, &process);
        if (process == processId) {
            return found;
        }
    }
    return nullptr;
}

HWND VisibleLensOfProcess(DWORD processId) {
    return VisibleWindowOfProcess(processId, picker::CLensWindow::kClassName);
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
