// Checks a dialog's controls against its template as a table: creation order, class, text,
// position and size in dialog units, and style.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct ExpectedControl {
    UINT id; // 0xFFFF: a label or frame without one
    const char* windowClass;
    const char* text; // nullptr: not checked (fields hold what the program wrote)
    RECT dialogUnits; // x, y, width, height (not right and bottom)
    DWORD styles;     // the style bits that must be set...
    DWORD mask = 0;   // ...and these, where clear in `styles`, must be clear
};

// Every child of `dialog`, in creation order, is the next of `expected`, and there are no more.
void ExpectControls(HWND dialog, const std::vector<ExpectedControl>& expected);

// The dialog's caption, its client size in dialog units, and styles it has and has not.
void ExpectDialogFrame(HWND dialog, const char* caption, SIZE dialogUnits, DWORD styles,
                       DWORD absentStyles);

// The child of `dialog` showing `text`, or none.
HWND ChildWithText(HWND dialog, const std::string& text);
// The size of `text` in the dialog's font.
SIZE TextSize(HWND dialog, const std::string& text);
