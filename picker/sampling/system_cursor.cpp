#include "sampling/system_cursor.h"

namespace picker {

SystemCursorSetter setSystemCursor = &SetSystemCursor;

void InstallSystemCursor(framework::CUniqueCursor cursor, DWORD id) {
    if (cursor && setSystemCursor(cursor.get(), id)) {
        cursor.release();
    }
}

void RestoreArrow(HCURSOR savedArrow) {
    InstallSystemCursor(framework::CUniqueCursor(CopyIcon(savedArrow)), kNormalArrowCursor);
}

} // namespace picker
