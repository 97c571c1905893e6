// The main window's message table: which handler each event reaches.
#include "picker_dialog.h"

#include "message_crackers.h"
#include "resources/resource_ids.h"

using namespace framework;

const MessageTable CPickerDialog::messageTable{
    &CDialog::messageTable,
    {
        WhenSystemCommand<&CPickerDialog::OnSystemCommand>(),
        WhenClicked<&CPickerDialog::OnExitClicked>(IDC_EXIT),
        WhenDestroyed<&CPickerDialog::OnWindowDestroyed>(),
        WhenHorizontalScroll<&CPickerDialog::ApplyComponentFromSlider>(),
        WhenEditRangeChanged<&CPickerDialog::OnDecimalFieldChanged>(IDC_RED_FIELD, IDC_BLUE_FIELD),
        WhenEditChanged<&CPickerDialog::OnHexFieldChanged>(IDC_HEX_FIELD),
        WhenControlColour<&CPickerDialog::OnControlColour>(),
        WhenPaint<&CPickerDialog::PaintWindow>(),
        WhenDragIconAsked<&CPickerDialog::DragIconRequested>(),
    }};
