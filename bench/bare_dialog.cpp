// A dialog program with nothing of its own: the benchmark's measure of what any dialog costs
// to start and to hold on this machine.
#include "resources/resource_ids.h"

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

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
    // "picker-template": the picker's own window template, its controls and nothing of its code,
    // read from Tintview.exe beside this program.
    HMODULE templates = instance;
    int templateId = 1;
    if (std::strstr(commandLine, "picker-template")) {
        char path[MAX_PATH];
        const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string tintview(path, length);
        tintview = tintview.substr(0, tintview.find_last_of('\\') + 1) + "Tintview.exe";
        templates = LoadLibraryExA(tintview.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        templateId = IDD_PICKER;
    }
    DialogBoxParamA(templates, MAKEINTRESOURCEA(templateId), nullptr, BareProcedure, 0);
    return 0;
}
