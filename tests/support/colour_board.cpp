#include "colour_board.h"

#include "child_process.h"
#include "message_pump.h"
#include "test_paths.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <algorithm>
#include <string>
#include <fstream>

namespace testing_support {
namespace colour_board {

RECT AreaRect(const RECT& client, int index) {
    const LONG width = (client.right - client.left) / 2;
    const LONG height = (client.bottom - client.top) / 2;
    const LONG left = client.left + (index % 2) * width;
    const LONG top = client.top + (index / 2) * height;
    return RECT{left, top, left + width, top + height};
}

std::string HexOf(COLORREF colour) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}

bool IsMouseMessage(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK) ||
           message == WM_MOUSEHOVER || message == WM_MOUSELEAVE || message == WM_NCMOUSEHOVER ||
           message == WM_NCMOUSELEAVE;
}

} // namespace colour_board

ColourBoard::ColourBoard(POINT origin, const std::string& program)
    : logPath_(ScratchFolder("board") + "\\mouse.log") {
    DeleteFileA(logPath_.c_str());
    const std::string board = program.empty() ? BesideTest("colour_board.exe") : program;
    process_ =
        std::make_unique<ChildProcess>("\"" + board + "\" \"" + logPath_ + "\" " +
                                       std::to_string(origin.x) + " " + std::to_string(origin.y));
    EXPECT_TRUE(process_->Started());
    window_ = process_->WaitForWindow(10000);
    EXPECT_NE(window_, nullptr) << "the colour board did not show its window";
    PumpFor(200); // let it paint
}

ColourBoard::~ColourBoard() = default;

POINT ColourBoard::AreaCentre(int index) const {
    RECT client;
    GetClientRect(window_, &client);
    const RECT area = colour_board::AreaRect(client, index);
    POINT centre{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    ClientToScreen(window_, &centre);
    return centre;
}

POINT ColourBoard::TitleBarPoint() const {
    RECT frame;
    GetWindowRect(window_, &frame);
    return POINT{(frame.left + frame.right) / 2,
                 frame.top + GetSystemMetrics(SM_CYCAPTION) / 2 + GetSystemMetrics(SM_CYFRAME)};
}

std::optional<COLORREF> ColourBoard::ColourAt(POINT point) const {
    RECT client;
    GetClientRect(window_, &client);
    ScreenToClient(window_, &point);
    for (int index = 0; index < colour_board::kAreas; ++index) {
        const RECT area = colour_board::AreaRect(client, index);
        if (PtInRect(&area, point)) {
            return colour_board::kColours[index];
        }
    }
    return std::nullopt;
}

POINT ColourBoard::ClientPoint(double xFraction, double yFraction) const {
    RECT client;
    GetClientRect(window_, &client);
    POINT point{static_cast<LONG>(client.right * xFraction),
                static_cast<LONG>(client.bottom * yFraction)};
    ClientToScreen(window_, &point);
    return point;
}

void ColourBoard::Stall(DWORD milliseconds) const {
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window_, colour_board::kStallMessage, milliseconds, 0, SMTO_NORMAL, 5000,
                        &answer);
}

std::vector<UINT> ColourBoard::MouseMessages() const {
    std::vector<UINT> messages;
    std::ifstream log(logPath_);
    std::string line;
    while (std::getline(log, line)) {
        if (!line.empty() && line[0] != 'K') {
            messages.push_back(static_cast<UINT>(std::stoul(line, nullptr, 16)));
        }
    }
    return messages;
}

std::vector<std::pair<UINT, WPARAM>> ColourBoard::KeyMessages() const {
    std::vector<std::pair<UINT, WPARAM>> messages;
    std::ifstream log(logPath_);
    std::string line;
    while (std::getline(log, line)) {
        unsigned message = 0, key = 0;
        if (std::sscanf(line.c_str(), "K %X %X", &message, &key) == 2) {
            messages.emplace_back(message, key);
        }
    }
    return messages;
}

bool ColourBoard::GotKey(UINT message, WPARAM key) const {
    const auto messages = KeyMessages();
    return std::find(messages.begin(), messages.end(), std::pair<UINT, WPARAM>{message, key}) !=
           messages.end();
}

void ColourBoard::ClearLog() const {
    // The board appends with the file shared for writing; truncating in place keeps its handle.
    const HANDLE file =
        CreateFileA(logPath_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
}

} // namespace testing_support
