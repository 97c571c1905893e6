// Tintview: the program's one application object and its entry point.
#include "app/picker_app.h"

namespace {
picker::CPickerApp theApp;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return theApp.Run();
}
