// Handing the colour on: the window's context menu copies it in the notations style sheets use.
#include "main_window/picker_dialog.h"

#include "app.h"
#include "main_window/clipboard_writer.h"
#include "main_window/swatch_bitmaps.h"
#include "data_exchange.h"
#include "handle_owner.h"
#include "resources/resource_ids.h"

#include <array>
#include <vector>

namespace picker {

using namespace framework;

namespace {

// The menu's items, in order; the command is the item's index plus one (0 is no choice).
constexpr std::size_t kNotations = 3;
// The recent colours' commands: after every other command of the menu.
constexpr std::size_t kFirstRecentCommand = 100;
constexpr std::string (*kNotationOf[kNotations])(const Components&) = {&FormatCssHex, &FormatCssRgb,
                                                                       &FormatCssHsl};

POINT CentreOnScreen(HWND window) {
    RECT frame;
    GetWindowRect(window, &frame);
    return POINT{frame.left + (frame.right - frame.left) / 2,
                 frame.top + (frame.bottom - frame.top) / 2};
}

} // namespace

void CPickerDialog::OnContextMenuRequest(HWND, POINT point) {
    const HWND window = GetSafeHwnd();
    // A key (Shift+F10, the menu key) asks with no position: the menu opens over the control
    // with the focus, as the edit fields place theirs.
    const bool fromKeyboard = point.x == -1 && point.y == -1;
    if (fromKeyboard) {
        const HWND focus = GetFocus();
        point = CentreOnScreen(focus && IsChild(window, focus) ? focus : window);
    } else {
        // The title bar and the frame keep the system menu.
        POINT client = point;
        ScreenToClient(window, &client);
        RECT area;
        GetClientRect(window, &area);
        if (!PtInRect(&area, client)) {
            Default();
            return;
        }
    }

    char pattern[64] = "";
    LoadStringA(CWinApp::ResourceInstance(), IDS_COPY_NOTATION, pattern, sizeof pattern);
    CUniqueMenu menu(pattern[0] != '\0' ? CreatePopupMenu() : nullptr);
    if (!menu) {
        return;
    }
    // The components as they stand, whatever a field shows in the middle of an edit.
    std::array<std::string, kNotations> notations;
    for (std::size_t item = 0; item < kNotations; ++item) {
        notations[item] = kNotationOf[item](CurrentComponents());
        AppendMenuA(menu.get(), MF_STRING, item + 1,
                    FormatMessageText(pattern, notations[item]).c_str());
    }
    AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
    CSwatchBitmaps swatches;
    const std::vector<Rgb> recent(recentColours.begin(), recentColours.end());
    AppendRecentColours(menu.get(), recent, swatches);
    const auto chosen = static_cast<std::size_t>(
        TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                       point.x, point.y, 0, window, nullptr));
    // The text the item showed, even if a sample changed the colour while the menu was open.
    if (chosen >= 1 && chosen <= kNotations) {
        lastNotation = kNotationOf[chosen - 1];
        CopyToClipboard(notations[chosen - 1]);
    } else if (chosen >= kFirstRecentCommand && chosen < kFirstRecentCommand + recent.size()) {
        LoadChosenColour(ColourValueOfRgb(recent[chosen - kFirstRecentCommand]));
    }
}

void CPickerDialog::AppendRecentColours(HMENU menu, const std::vector<Rgb>& recent,
                                        CSwatchBitmaps& swatches) const {
    const HINSTANCE instance = CWinApp::ResourceInstance();
    char label[64] = "";
    LoadStringA(instance, IDS_RECENT_COLOURS, label, sizeof label);
    const HMENU colours = CreatePopupMenu(); // the menu destroys it with itself
    const int side = GetSystemMetrics(SM_CYMENUCHECK);
    for (std::size_t index = 0; index < recent.size(); ++index) {
        std::string hex = "#" + FormatHexColour(SplitColourValue(ColourValueOfRgb(recent[index])));
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_STRING | MIIM_BITMAP;
        item.wID = static_cast<UINT>(kFirstRecentCommand + index);
        item.dwTypeData = hex.data();
        item.hbmpItem = swatches.Add(ColourValueOfRgb(recent[index]), side);
        InsertMenuItemA(colours, static_cast<UINT>(index), TRUE, &item);
    }
    AppendMenuA(menu, MF_POPUP | (recent.empty() ? MF_GRAYED : 0),
                reinterpret_cast<UINT_PTR>(colours), label);
}

void CPickerDialog::LoadChosenColour(COLORREF colour) {
    // As a pick loads it; it becomes the newest of the recent colours.
    LoadSampledColour(colour);
    recentColours.Take(RgbOf(colour));
}

void CPickerDialog::CopyToClipboard(const std::string& text) {
    // Another program holding the clipboard leaves it as it is; nothing is shown.
    PutTextOnClipboard(GetSafeHwnd(), text);
}

} // namespace picker
