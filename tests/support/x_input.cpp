#include "x_input.h"

#include "unix_command.h"

#include <gtest/gtest.h>

namespace testing_support::xinput {
namespace {

void Xdotool(const std::string& arguments) {
    const auto code = RunUnixCommand("xdotool " + arguments);
    ASSERT_TRUE(code.has_value()) << "xdotool did not finish: " << arguments;
    ASSERT_EQ(*code, 0) << "xdotool failed: " << arguments;
}

std::string MoveArguments(POINT point) {
    if (!OnVirtualDesktop()) {
        const POINT origin = RootOrigin();
        return "mousemove " + std::to_string(point.x - origin.x) + " " +
               std::to_string(point.y - origin.y);
    }
    return std::string("search --name ") + kDesktopSearch + " mousemove --window %1 " +
           std::to_string(point.x) + " " + std::to_string(point.y);
}

} // namespace

bool OnVirtualDesktop() {
    // xdotool's search fails when no window matches.
    static const bool found =
        RunUnixCommand(std::string("xdotool search --name ") + kDesktopSearch + " >/dev/null") == 0;
    return found;
}

POINT RootOrigin() {
    return POINT{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN)};
}

void MoveTo(POINT point) {
    Xdotool(MoveArguments(point));
}
void Click(POINT point) {
    Xdotool(MoveArguments(point) + " click 1");
}
void RightClick(POINT point) {
    Xdotool(MoveArguments(point) + " click 3");
}
void Press(POINT point) {
    Xdotool(MoveArguments(point) + " mousedown 1");
}
void Release() {
    Xdotool("mouseup 1");
}
void ClickHere() {
    Xdotool("click 1");
}

void Drag(POINT from, POINT to) {
    Press(from);
    // Several steps, as a hand moves: controls see the movement, not a jump.
    for (int step = 1; step <= 4; ++step) {
        MoveTo(POINT{from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4});
    }
    Release();
}

POINT Pointer() {
    POINT at{};
    GetCursorPos(&at);
    return at;
}

void Key(const std::string& keys) {
    Xdotool("key --clearmodifiers " + keys);
}

void Type(const std::string& text) {
    Xdotool("type --delay 20 " + ShellQuoted(text));
}

} // namespace testing_support::xinput
