// The colour board: a window of another process showing four areas of known colours, which logs
// every mouse message it receives. Tests click on it to see what reaches another program.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

class ChildProcess;

namespace colour_board {

constexpr char kTitle[] = "Colour board";
constexpr int kAreas = 4;
// Distinct components in every byte, so a swapped or shifted byte shows.
constexpr COLORREF kColours[kAreas] = {RGB(0x12, 0x34, 0x56), RGB(0xC8, 0x64, 0x1E),
                                       RGB(0x00, 0xA0, 0xFF), RGB(0xFE, 0xFD, 0x01)};

// Area `index` of a client rectangle: a two-by-two grid, left to right, top to bottom.
RECT AreaRect(const RECT& client, int index);

// Makes the board's thread busy for wParam milliseconds (see ColourBoard::Stall).
constexpr UINT kStallMessage = WM_APP + 1;

// A colour as the picker's hexadecimal field shows it: six digits, red first.
std::string HexOf(COLORREF colour);

// True for the messages a window receives from the mouse.
bool IsMouseMessage(UINT message);

} // namespace colour_board

// Starts the board at `origin` (its window's top-left corner, screen coordinates).
class ColourBoard {
public:
    // The program beside the test, or `program` (a build of another bitness, say).
    explicit ColourBoard(POINT origin, const std::string& program = "");
    ~ColourBoard();

    HWND Window() const { return window_; }
    // Centre of area `index` in screen coordinates.
    POINT AreaCentre(int index) const;
    // A point on the title bar.
    POINT TitleBarPoint() const;
    // The colour the board paints at `point` (screen coordinates), from its known areas; nothing
    // outside its client area.
    std::optional<COLORREF> ColourAt(POINT point) const;
    // A point of its client area at `fraction` of its width and height (0 to 1) from its corner.
    POINT ClientPoint(double xFraction, double yFraction) const;
    // Keeps the board's thread busy for `milliseconds` from now, as a program that is slow to
    // answer: it neither repaints nor handles input meanwhile. Returns once it is busy.
    void Stall(DWORD milliseconds) const;
    // Mouse messages received so far, oldest first.
    std::vector<UINT> MouseMessages() const;
    // Key messages received so far, oldest first: the message and its key (WM_KEYDOWN, VK_LEFT)
    // or character (WM_CHAR, 'x').
    std::vector<std::pair<UINT, WPARAM>> KeyMessages() const;
    // Whether a press of `key` (WM_KEYDOWN, or WM_CHAR for a character) has arrived.
    bool GotKey(UINT message, WPARAM key) const;
    void ClearLog() const;

private:
    std::string logPath_;
    std::unique_ptr<ChildProcess> process_;
    HWND window_ = nullptr;
};

} // namespace testing_support
