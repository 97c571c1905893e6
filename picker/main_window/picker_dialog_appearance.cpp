// Appearance: the textured background behind everything but the fields, the swatch in the
// current colour, and the program icon while minimised.
#include "main_window/picker_dialog.h"

#include "handle_owner.h"

namespace picker {

using namespace framework;

HBRUSH CPickerDialog::OnControlColour(HDC dc, HWND control, UINT /*kind*/) {
    // Labels and group-box captions go straight onto the texture, with no box behind the text.
    SetBkMode(dc, TRANSPARENT);
    for (const CEdit* field : {&redField, &greenField, &blueField, &hexField}) {
        if (control == field->GetSafeHwnd()) {
            return reinterpret_cast<HBRUSH>(Default());
        }
    }
    // No brush (after EXIT has released them) leaves the platform's own colours.
    if (control == swatch.GetSafeHwnd()) {
        return colourBrush.get();
    }
    return patternBrush.get();
}

void CPickerDialog::PaintWindow() {
    if (!IsIconic(GetSafeHwnd())) {
        Default();
        return;
    }
    CPaintDc dc(GetSafeHwnd());
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.get()));
    RECT client;
    GetClientRect(GetSafeHwnd(), &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc.get(), x, y, icon);
}

HICON CPickerDialog::DragIconRequested() {
    return icon;
}

} // namespace picker
