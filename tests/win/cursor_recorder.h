// Stands in for the platform's SetSystemCursor, which Wine only pretends to do: it records every
// cursor the picker hands over, owns it as the platform would, and gives it up only when the
// test lets it go. A handed cursor that the picker destroyed itself shows up at that point.
#pragma once

#include <windows.h>

#include <vector>

struct HandedCursor {
    HCURSOR cursor;
    DWORD id;
};

class CursorRecorder {
public:
    CursorRecorder();
    // Lets every recorded cursor go, each of which must still be alive.
    ~CursorRecorder();
    CursorRecorder(const CursorRecorder&) = delete;
    CursorRecorder& operator=(const CursorRecorder&) = delete;

    const std::vector<HandedCursor>& Handed() const;
    // Destroys the cursors recorded so far; false if one of them was no longer alive.
    bool LetGo();
};
