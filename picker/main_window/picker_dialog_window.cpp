// Start-up and window: construction, initialisation, the system menu, help and the ways out.
#include "main_window/picker_dialog.h"

#include "about_box/about_dialog.h"
#include "app.h"
#include "help.h"
#include "help_window/help_viewer_stub.h"
#include "message_box.h"
#include "resources/resource_ids.h"
#include "sampling/system_cursor.h"

#include <commctrl.h>

namespace picker {

namespace {
// The shortcut's number among the window's own.
constexpr int kShortcutId = 1;
} // namespace

using namespace framework;

CPickerDialog::CPickerDialog()
    : CDialog(IDD_PICKER),
      icon(LoadIconA(CWinApp::ResourceInstance(), MAKEINTRESOURCEA(IDI_PROGRAM))) {
    // A missing picture leaves its button without one; nothing else depends on it.
    patternBitmap.Load(IDB_PATTERN);
    snapActiveBitmap.Load(IDB_SNAP_ACTIVE);
    snapBitmap.Load(IDB_SNAP);
    exitBitmap.Load(IDB_EXIT);
    helpBitmap.Load(IDB_HELP);
}

CPickerDialog::~CPickerDialog() = default;

BOOL CPickerDialog::InitialiseWindow() {
    CDialog::InitialiseWindow();
    savedArrow.reset(CopyIcon(LoadCursorA(nullptr, IDC_ARROW)));
    patternBrush.CreatePatternBrush(patternBitmap);
    colourBrush.CreateSolidBrush(RGB(0, 0, 0));

    char aboutItem[256] = "";
    LoadStringA(CWinApp::ResourceInstance(), IDS_ABOUTBOX, aboutItem, sizeof aboutItem);
    if (aboutItem[0] != '\0') {
        const HMENU systemMenu = GetSystemMenu(GetSafeHwnd(), FALSE);
        AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(systemMenu, MF_STRING, IDM_ABOUTBOX, aboutItem);
    }
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    for (CSliderCtrl* slider : {&redSlider, &greenSlider, &blueSlider}) {
        slider->SetRangeMin(0, false);
        slider->SetRangeMax(255, false);
    }
    WriteControls();
    snapButton.SetBitmap(snapBitmap.get());
    exitButton.SetBitmap(exitBitmap.get());
    helpButton.SetBitmap(helpBitmap.get());
    // Where another program holds the shortcut, the program works without it, and says so.
    shortcutRegistered = RegisterHotKey(GetSafeHwnd(), kShortcutId,
                                        MOD_WIN | MOD_SHIFT | MOD_NOREPEAT, 'C') != FALSE;
    AddTooltips();
    return TRUE;
}

void CPickerDialog::AddTooltips() {
    const HINSTANCE instance = CWinApp::ResourceInstance();
    tooltips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               GetSafeHwnd(), nullptr, instance, nullptr);
    const std::pair<const CButton*, UINT> tips[] = {
        {&snapButton, shortcutRegistered ? IDS_SNAP_TIP : IDS_SNAP_TIP_SHORTCUT_HELD},
        {&exitButton, IDS_EXIT_TIP},
        {&helpButton, IDS_HELP_TIP}};
    for (const auto& [button, text] : tips) {
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = GetSafeHwnd();
        tool.uId = reinterpret_cast<UINT_PTR>(button->GetSafeHwnd());
        char words[128] = "";
        LoadStringA(instance, text, words, sizeof words);
        tool.lpszText = words; // copied by the tooltip
        ::SendMessageA(tooltips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void CPickerDialog::OnSystemCommand(UINT commandId) {
    // The system keeps its own use of the low four bits.
    if ((commandId & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDialog about;
        about.DoModal();
        return;
    }
    Default();
}

void CPickerDialog::ShowHelp(DWORD_PTR data, UINT command) {
    // Looked up once, when help is first asked for: closing the help asks nothing of the viewer
    // that was never asked for it.
    if (command != HELP_QUIT && !helpViewerIsStub) {
        helpViewerIsStub = picker::IsDescribedAsStub(picker::HelpViewerProgram());
    }
    if (helpViewerIsStub.value_or(false)) {
        ShowOwnHelp(command);
        return;
    }
    // Help always opens at the contents, whatever context asked for it.
    if (command == HELP_CONTEXT) {
        CDialog::ShowHelp(0, HELP_FINDER);
    } else {
        CDialog::ShowHelp(data, command);
    }
}

void CPickerDialog::ShowOwnHelp(UINT command) {
    // The stub would only point the user to a web page: it is never started.
    if (command == HELP_QUIT) {
        if (helpWindow) {
            helpWindow->Close();
        }
        return;
    }
    if (!helpWindow) {
        helpWindow.emplace();
    }
    if (!helpWindow->ShowContents(GetSafeHwnd())) {
        ShowWarning(kFailedToLaunchHelp);
    }
}

void CPickerDialog::RestoreArrowCursor() {
    picker::RestoreArrow(savedArrow.get());
}

void CPickerDialog::ReleaseBrushes() {
    patternBrush.DeleteObject();
    colourBrush.DeleteObject();
}

void CPickerDialog::OnExitClicked() {
    RestoreArrowCursor();
    ReleaseBrushes();
    // Ends the modal run; the window is then destroyed, which also removes the hook.
    PostQuitMessage(0);
}

void CPickerDialog::OnSessionEnding(bool ending) {
    // The session may stop the process right after this, with no window destroyed: the desktop
    // of the next session must not inherit the hook or the dropper.
    if (ending) {
        EndSampling();
    }
}

void CPickerDialog::OnWindowDestroyed() {
    ShowHelp(0, HELP_QUIT);
    Default();
    if (shortcutRegistered) {
        UnregisterHotKey(GetSafeHwnd(), kShortcutId);
        shortcutRegistered = false;
    }
    EndSampling();
    lens.reset();
    ReleaseBrushes();
}

} // namespace picker
