// Sampling: "Snap" or the shortcut takes the colour of any pixel on the screen. The mode is a
// session the window holds while it is on (sampling/sampling_session.h); these are the window's
// ways into it.
#include "main_window/picker_dialog.h"

#include "sampling/screen_pixel.h"

namespace picker {

namespace {

bool KeyDown(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

} // namespace

void CPickerDialog::OnSnapClicked() {
    StartSampling(SamplingStart::BySnap);
}

void CPickerDialog::OnShortcut() {
    // Neither activates the window nor takes the focus: the user stays in the program they are in.
    if (sampling) {
        EndSampling();
    } else {
        StartSampling(SamplingStart::ByShortcut);
    }
}

void CPickerDialog::StartSampling(SamplingStart start) {
    // Pressed again while sampling (from the keyboard), the mode starts afresh: one hook, one
    // dropper, so the next release over "Snap" still ends it completely.
    sampling.reset();
    // The mouse is the hook's while sampling: no tooltip can follow it.
    ::SendMessageA(tooltips, TTM_ACTIVATE, FALSE, 0);
    if (!lens) {
        lens.emplace(GetSafeHwnd());
    }
    sampling.emplace(SamplingDesktop{GetSafeHwnd(), snapButton.GetSafeHwnd(),
                                     snapActiveBitmap.get(), snapBitmap.get(), savedArrow.get(),
                                     &*lens},
                     start, ColourValue(CurrentComponents()));
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
    if (const auto colour = sampling ? sampling->PickAt(point) : ReadScreenPixel(point)) {
        LoadSampledColour(*colour);
        recentColours.Take(RgbOf(*colour));
        if (sampling && sampling->StartedByShortcut()) {
            CopyToClipboard(CopiedText(lastCopyCommand, CurrentComponents()));
        }
    }
    return 1;
}

void CPickerDialog::OnSamplingKey(SamplingKey key, bool shift) {
    if (!sampling) {
        return; // posted before the mode ended
    }
    if (sampling->StepPointer(key, shift)) {
        return;
    }
    switch (key) {
    case SamplingKey::Pick: {
        // Exactly as a release where the pointer is.
        POINT pointer;
        if (GetCursorPos(&pointer)) {
            OnPickPoint(pointer.x, pointer.y);
        }
        break;
    }
    case SamplingKey::End:
        EndSampling();
        break;
    case SamplingKey::Larger:
    case SamplingKey::Smaller:
        sampling->ChangeSide(key == SamplingKey::Larger);
        break;
    default:
        break;
    }
}

void CPickerDialog::EndSampling() {
    ::SendMessageA(tooltips, TTM_ACTIVATE, TRUE, 0);
    if (sampling) {
        sampling.reset();
    } else {
        CSamplingSession::FreeMouse(savedArrow.get());
    }
}

bool CPickerDialog::PreTranslateMessage(const MSG& message) {
    // Where the keyboard watch could not be had, the arrow keys still move the pointer in
    // Tintview's own window.
    return message.message == WM_KEYDOWN && sampling && TakesPointerKeys(message.hwnd) &&
           sampling->StepPointer(
               RoleOfKey(static_cast<unsigned>(message.wParam), KeyFocus::PickerWindow),
               KeyDown(VK_SHIFT));
}

bool CPickerDialog::TakesPointerKeys(HWND focus) const {
    // The fields and the sliders keep their arrow keys.
    return focus == GetSafeHwnd() || focus == snapButton.GetSafeHwnd() ||
           focus == exitButton.GetSafeHwnd() || focus == helpButton.GetSafeHwnd();
}

} // namespace picker
