// tintview_cursor_log.exe <log file>: Tintview with every system cursor it hands to the platform
// written to the log, one line each: "<id> <hot spot x> <hot spot y>". Wine's SetSystemCursor
// does nothing, so this is how a test that runs Tintview as its own process sees the arrow
// restored. The cursor is kept, as the platform keeps what it is given.
#include "handle_owners.h"
#include "app/picker_app.h"
#include "sampling/system_cursor.h"

#include <cstdio>

namespace {

picker::CPickerApp theApp;
std::FILE* cursorLog = nullptr;

BOOL WINAPI LogSystemCursor(HCURSOR cursor, DWORD id) {
    const testing_support::IconBitmaps pictures(cursor);
    if (!pictures.ok) {
        return FALSE;
    }
    std::fprintf(cursorLog, "%lu %lu %lu\n", id, pictures.info.xHotspot, pictures.info.yHotspot);
    std::fflush(cursorLog);
    return TRUE;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    cursorLog = std::fopen(commandLine, "w");
    if (!cursorLog) {
        return 2;
    }
    picker::setSystemCursor = &LogSystemCursor;
    return theApp.Run();
}
