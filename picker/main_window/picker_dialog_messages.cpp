// The main window's message table: which handler each event reaches.
#include "main_window/picker_dialog.h"

#include "Mousetap.h"
#include "message_crackers.h"
#include "resources/resource_ids.h"

namespace picker {

using namespace framework;

namespace {

// LRESULT Handler(LONG x, LONG y): a left-button release reported by the mouse hook, in screen
// coordinates that keep their sign.
template <auto Handler> MessageEntry WhenPickPoint() {
    return Entry(WM_PICK_POINT, [](CCmdTarget& target, UINT, WPARAM wParam, LPARAM lParam) {
        return (detail::Target<Handler>(target).*Handler)(
            PickPointCoordinate(wParam), PickPointCoordinate(static_cast<WPARAM>(lParam)));
    });
}

// void Handler(SamplingKey key, bool shift): a key the keyboard watch took while sampling.
template <auto Handler> MessageEntry WhenSamplingKey() {
    return Entry(WM_SAMPLING_KEY, [](CCmdTarget& target, UINT, WPARAM wParam, LPARAM lParam) {
        (detail::Target<Handler>(target).*Handler)(static_cast<SamplingKey>(wParam), lParam != 0);
        return LRESULT{0};
    });
}

// void Handler(): the program's system-wide shortcut was pressed.
template <auto Handler> MessageEntry WhenShortcut() {
    return Entry(WM_HOTKEY, &detail::NoArguments<Handler>);
}

} // namespace

const CMessageTable CPickerDialog::messageTable{
    &CDialog::messageTable,
    {
        WhenSystemCommand<&CPickerDialog::OnSystemCommand>(),
        WhenClicked<&CPickerDialog::OnExitClicked>(IDC_EXIT),
        WhenDestroyed<&CPickerDialog::OnWindowDestroyed>(),
        WhenSessionEnds<&CPickerDialog::OnSessionEnding>(),
        WhenHorizontalScroll<&CPickerDialog::ApplyComponentFromSlider>(),
        WhenEditRangeChanged<&CPickerDialog::OnDecimalFieldChanged>(IDC_RED_FIELD, IDC_BLUE_FIELD),
        WhenEditChanged<&CPickerDialog::OnHexFieldChanged>(IDC_HEX_FIELD),
        WhenClicked<&CPickerDialog::OnSnapClicked>(IDC_SNAP),
        WhenPickPoint<&CPickerDialog::OnPickPoint>(),
        WhenShortcut<&CPickerDialog::OnShortcut>(),
        WhenSamplingKey<&CPickerDialog::OnSamplingKey>(),
        WhenControlColour<&CPickerDialog::OnControlColour>(),
        WhenPaint<&CPickerDialog::PaintWindow>(),
        WhenDragIconAsked<&CPickerDialog::DragIconRequested>(),
        WhenContextMenu<&CPickerDialog::OnContextMenuRequest>(),
    }};

} // namespace picker
