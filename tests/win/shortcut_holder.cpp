// Another program that holds Win+Shift+C first: it registers the shortcut, signals the event
// named first on its command line, and lets it go once the event named second is signalled
// (or after 60 s).
#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        return 2;
    }
    const HANDLE held = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]);
    const HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, argv[2]);
    if (!held || !release) {
        return 3;
    }
    if (!RegisterHotKey(nullptr, 1, MOD_WIN | MOD_SHIFT | MOD_NOREPEAT, 'C')) {
        return 4;
    }
    SetEvent(held);
    const DWORD waited = WaitForSingleObject(release, 60000);
    UnregisterHotKey(nullptr, 1);
    return waited == WAIT_OBJECT_0 ? 0 : 5;
}
