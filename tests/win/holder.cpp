// Another program that holds something Tintview wants: `holder.exe clipboard|shortcut HELD
// RELEASE` takes the clipboard (held open) or Win+Shift+C (registered first), signals the event
// named HELD, and lets it go once the event named RELEASE is signalled (or after 60 s).
#include <windows.h>

#include <cstring>

namespace {

bool Take(const char* what) {
    if (std::strcmp(what, "clipboard") == 0) {
        for (int attempt = 0; attempt < 200; ++attempt) {
            if (OpenClipboard(nullptr)) {
                return true;
            }
            Sleep(10);
        }
        return false;
    }
    return std::strcmp(what, "shortcut") == 0 &&
           RegisterHotKey(nullptr, 1, MOD_WIN | MOD_SHIFT | MOD_NOREPEAT, 'C');
}

void LetGo(const char* what) {
    if (std::strcmp(what, "clipboard") == 0) {
        CloseClipboard();
    } else {
        UnregisterHotKey(nullptr, 1);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        return 2;
    }
    const HANDLE held = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    const HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, argv[3]);
    if (!held || !release) {
        return 3;
    }
    if (!Take(argv[1])) {
        return 4;
    }
    SetEvent(held);
    const DWORD waited = WaitForSingleObject(release, 60000);
    LetGo(argv[1]);
    return waited == WAIT_OBJECT_0 ? 0 : 5;
}
