// Sampling: "Snap" takes the colour of any pixel on the screen. The mode is a session the window
// holds while it is on (sampling/sampling_session.h); these are the window's ways into it.
#include "main_window/picker_dialog.h"

#include "Mousetap.h"
#include "sampling/screen_pixel.h"
#include "sampling/system_cursor.h"

namespace picker {

namespace {

bool KeyDown(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

} // namespace

void CPickerDialog::OnSnapClicked() {
    // Pressed again while sampling (from the keyboard), the mode starts afresh: one hook, one
    // dropper, so the next release over "Snap" still ends it completely.
    sampling.reset();
    sampling.emplace(picker::SamplingDesktop{GetSafeHwnd(), snapButton.GetSafeHwnd(),
                                             snapActiveBitmap.get(), snapBitmap.get(),
                                             savedArrow.get()});
}

LRESULT CPickerDialog::OnPickPoint(LONG x, LONG y) {
    RECT snap;
    GetWindowRect(snapButton.GetSafeHwnd(), &snap);
    if (x >= snap.left && x < snap.right && y >= snap.top && y < snap.bottom) {
        EndSampling();
        return 1;
    }
    // A point no display shows leaves the colour as it was.
    const POINT point{x, y};
    if (const auto colour = sampling ? sampling->PickAt(point) : picker::ReadScreenPixel(point)) {
        LoadSampledColour(*colour);
    }
    return 1;
}

void CPickerDialog::EndSampling() {
    if (sampling) {
        sampling.reset();
        return;
    }
    InstallFilter(0, FALSE);
    picker::RestoreArrow(savedArrow.get());
}

bool CPickerDialog::PreTranslateMessage(const MSG& message) {
    return message.message == WM_KEYDOWN && sampling && TakesPointerKeys(message.hwnd) &&
           sampling->TakeKey(message.wParam, KeyDown(VK_SHIFT));
}

bool CPickerDialog::TakesPointerKeys(HWND focus) const {
    // The fields and the sliders keep their arrow keys.
    return focus == GetSafeHwnd() || focus == snapButton.GetSafeHwnd() ||
           focus == exitButton.GetSafeHwnd() || focus == helpButton.GetSafeHwnd();
}

} // namespace picker
