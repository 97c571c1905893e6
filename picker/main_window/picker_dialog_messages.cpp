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
        WhenControlColour<&CPickerDialog::OnControlColour>(),
        WhenPaint<&CPickerDialog::PaintWindow>(),
        WhenDragIconAsked<&CPickerDialog::DragIconRequested>(),
        WhenContextMenu<&CPickerDialog::OnContextMenuRequest>(),
    }};

} // namespace picker
