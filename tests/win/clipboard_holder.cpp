// Another program that holds the clipboard open: it opens it, signals the event named first on
// its command line, and closes it once the event named second is signalled (or after 30 s).
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
    bool open = false;
    for (int attempt = 0; attempt < 200 && !(open = OpenClipboard(nullptr)); ++attempt) {
        Sleep(10);
    }
    if (!open) {
        return 4;
    }
    SetEvent(held);
    const DWORD waited = WaitForSingleObject(release, 30000);
    CloseClipboard();
    return waited == WAIT_OBJECT_0 ? 0 : 5;
}
