// Sampling: "Snap" takes the colour of any pixel on the screen. The mode is the installed mouse
// hook and the replaced arrow; it has no flag of its own.
#include "picker_dialog.h"

#include "Mousetap.h"
#include "app.h"
#include "resources/resource_ids.h"
#include "screen_pixel.h"
#include "system_cursor.h"

using namespace framework;

void CPickerDialog::OnSnapClicked() {
    InitHooksDll(GetSafeHwnd());
    // Pressed again while sampling (from the keyboard), this replaces the hook rather than
    // adding a second one, so the next release over "Snap" still ends the mode completely.
    InstallFilter(0, TRUE);
    // A cursor of our own (not the shared resource): the platform takes it over.
    InstallSystemCursor(UniqueCursor(static_cast<HCURSOR>(
                            LoadImageA(CWinApp::ResourceInstance(), MAKEINTRESOURCEA(IDC_DROPPER),
                                       IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE))),
                        kNormalArrowCursor);
    snapButton.SetBitmap(snapActiveBitmap.get());
}

void CPickerDialog::EndSampling() {
    InstallFilter(0, FALSE);
    RestoreArrowCursor();
}

LRESULT CPickerDialog::OnPickPoint(LONG x, LONG y) {
    RECT snap;
    GetWindowRect(snapButton.GetSafeHwnd(), &snap);
    if (x >= snap.left && x < snap.right && y >= snap.top && y < snap.bottom) {
        EndSampling();
        snapButton.SetBitmap(snapBitmap.get());
        return 1;
    }
    // A point no display shows leaves the colour as it was.
    if (const auto colour = ReadScreenPixel(POINT{x, y})) {
        LoadSampledColour(*colour);
    }
    return 1;
}
