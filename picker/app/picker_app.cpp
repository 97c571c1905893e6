#include "app/picker_app.h"

#include "app/crash_guard.h"
#include "message_crackers.h"
#include "main_window/picker_dialog.h"

#include <commctrl.h>

#include <memory>

namespace picker {

using namespace framework;

const CMessageTable CPickerApp::messageTable{&CWinApp::messageTable,
                                             {
                                                 WhenCommand<&CWinApp::OnHelp>(ID_HELP),
                                             }};

bool CPickerApp::StartProgram() {
    // The sliders are the common controls' trackbars.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    // The window holds no embedded objects and the platform draws its controls in three
    // dimensions itself, so nothing needs enabling for either.
    auto dialog = std::make_unique<CPickerDialog>();
    SetMainWindow(dialog.get());
    const picker::CCrashGuard guard;
    dialog->DoModal();
    SetMainWindow(nullptr);
    return false;
}

} // namespace picker
