// Handing the colour on and taking one in: the window's context menu copies the colour in the
// notations style sheets and Windows programs use, reads a colour from the clipboard, and brings
// back the colours loaded before.
#include "main_window/picker_dialog.h"

#include "app.h"
#include "main_window/clipboard.h"
#include "main_window/swatch_bitmaps.h"
#include "data_exchange.h"
#include "handle_owner.h"
#include "resources/resource_ids.h"
#include "rules/css_colour_parser.h"
#include "rules/css_notations.h"
#include "rules/named_colours.h"

#include <array>
#include <vector>

namespace picker {

using namespace framework;

namespace {

// The menu's commands (0 is no choice). The first three copy in the notations that have always
// been there; "Copy as" copies in each of kCopyNotations, then the nearest name.
constexpr UINT kFirstCopyCommand = 1;
constexpr std::size_t kCopyItems = 3;
constexpr std::string (*kCopyItemText[kCopyItems])(const Components&) = {
    &FormatCssHex, &FormatCssRgb, &FormatCssHsl};
constexpr UINT kFirstCopyAsCommand = 10;
constexpr std::size_t kCopyAsNotations = std::size(kCopyNotations);
constexpr UINT kCopyNameCommand = kFirstCopyAsCommand + kCopyAsNotations;
constexpr UINT kPasteCommand = 30;
constexpr UINT kFirstRecentCommand = 100;
// No colour notation is longer: a longer clipboard text is not one colour.
constexpr std::size_t kLongestColourText = 4096;

POINT CentreOnScreen(HWND window) {
    RECT frame;
    GetWindowRect(window, &frame);
    return POINT{frame.left + (frame.right - frame.left) / 2,
                 frame.top + (frame.bottom - frame.top) / 2};
}

std::string ResourceString(UINT id) {
    char text[128] = "";
    LoadStringA(CWinApp::ResourceInstance(), id, text, sizeof text);
    return text;
}

// An item whose text may hold characters beyond the ANSI code page (≈), given in UTF-8.
void AppendWide(HMENU menu, UINT command, const std::string& utf8) {
    std::vector<wchar_t> wide(utf8.size() + 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        static_cast<int>(utf8.size()));
    AppendMenuW(menu, MF_STRING, command, wide.data());
}

} // namespace

std::string CPickerDialog::CopiedText(UINT command, const Components& colour) {
    if (command >= kFirstCopyCommand && command < kFirstCopyCommand + kCopyItems) {
        return kCopyItemText[command - kFirstCopyCommand](colour);
    }
    if (command >= kFirstCopyAsCommand && command < kCopyNameCommand) {
        return FormatNotation(kCopyNotations[command - kFirstCopyAsCommand], colour);
    }
    return std::string(NearestNamedColour(colour).name);
}

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

    const std::string pattern = ResourceString(IDS_COPY_NOTATION);
    CUniqueMenu menu(!pattern.empty() ? CreatePopupMenu() : nullptr);
    if (!menu) {
        return;
    }
    // The components as they stand, whatever a field shows in the middle of an edit; the texts
    // the items show are the ones copied, even if a sample changes the colour meanwhile.
    const Components colour = CurrentComponents();
    for (UINT item = 0; item < kCopyItems; ++item) {
        AppendMenuA(menu.get(), MF_STRING, kFirstCopyCommand + item,
                    FormatMessageText(pattern.c_str(), kCopyItemText[item](colour)).c_str());
    }
    AppendCopyAs(menu.get(), colour);
    AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
    // Greyed unless the clipboard holds exactly one colour now.
    const std::optional<std::string> clipboard = TextOnClipboard(window, kLongestColourText);
    const std::optional<Components> pasted = clipboard ? ParseCssColour(*clipboard) : std::nullopt;
    AppendMenuA(menu.get(), MF_STRING | (pasted ? 0 : MF_GRAYED), kPasteCommand,
                ResourceString(IDS_PASTE_COLOUR).c_str());
    CSwatchBitmaps swatches;
    const std::vector<Rgb> recent(recentColours.begin(), recentColours.end());
    AppendRecentColours(menu.get(), recent, swatches);

    const auto chosen = static_cast<UINT>(
        TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                       point.x, point.y, 0, window, nullptr));
    if (chosen >= kFirstCopyCommand && chosen <= kCopyNameCommand) {
        lastCopyCommand = chosen;
        CopyToClipboard(CopiedText(chosen, colour));
    } else if (chosen == kPasteCommand && pasted) {
        LoadChosenColour(ColourValue(*pasted));
    } else if (chosen >= kFirstRecentCommand && chosen < kFirstRecentCommand + recent.size()) {
        LoadChosenColour(ColourValueOfRgb(recent[chosen - kFirstRecentCommand]));
    }
}

void CPickerDialog::AppendCopyAs(HMENU menu, const Components& colour) const {
    const HMENU notations = CreatePopupMenu(); // the menu destroys it with itself
    for (UINT item = 0; item < kCopyAsNotations; ++item) {
        std::string text = FormatNotation(kCopyNotations[item], colour);
        // The value shown alone would read as a C constant red first: it says what it is.
        if (kCopyNotations[item] == Notation::ColourRef) {
            text += "\t" + ResourceString(IDS_COLORREF_LABEL);
        }
        AppendMenuA(notations, MF_STRING, kFirstCopyAsCommand + item, text.c_str());
    }
    const NearestName name = NearestNamedColour(colour);
    AppendWide(notations, kCopyNameCommand,
               (name.exact ? "" : "\u2248 ") + std::string(name.name) + "\t" +
                   ResourceString(IDS_COPY_NAME));
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(notations),
                ResourceString(IDS_COPY_AS).c_str());
}

void CPickerDialog::AppendRecentColours(HMENU menu, const std::vector<Rgb>& recent,
                                        CSwatchBitmaps& swatches) const {
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
                reinterpret_cast<UINT_PTR>(colours), ResourceString(IDS_RECENT_COLOURS).c_str());
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
