// A dialog program with nothing of its own: the benchmark's measure of what any dialog costs
// to start and to hold on this machine.
#include <windows.h>
#include <commctrl.h>

#include <cstring>

namespace {

INT_PTR CALLBACK BareProcedure(HWND window, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(window, LOWORD(wParam));
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    // "common-controls": loaded as Tintview loads them for its sliders.
    // Loaded only when asked for: importing the library would load it every time.
    if (std::strstr(commandLine, "common-controls")) {
        using Initialise = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        const auto initialise = reinterpret_cast<Initialise>(reinterpret_cast<void*>(
            GetProcAddress(LoadLibraryA("comctl32.dll"), "InitCommonControlsEx")));
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
        if (initialise) {
            initialise(&controls);
        }
    }
    DialogBoxParamA(instance, MAKEINTRESOURCEA(1), nullptr, BareProcedure, 0);
    return 0;
}
