#include "system_cursor.h"

namespace picker {

SystemCursorSetter setSystemCursor = &SetSystemCursor;

void InstallSystemCursor(framework::UniqueCursor cursor, DWORD id) {
    if (cursor && setSystemCursor(cursor.get(), id)) {
        cursor.release();
    }
}

} // namespace picker
