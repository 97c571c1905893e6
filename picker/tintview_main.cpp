// Tintview: the program's one application object and its entry point.
#include "picker_app.h"

namespace {
CPickerApp theApp;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return theApp.Run();
}
