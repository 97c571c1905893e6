// colour_board.exe <log file> <left> <top>: a plain top-level window of known colours that
// appends every mouse message it receives to the log, one hexadecimal message number a line, and
// every key message as "K", the message number and the key (or character), in hexadecimal.
// Sent kStallMessage, it answers at once and then keeps its thread busy for wParam ms.
#include "colour_board.h"

#include <cstdio>
#include <cstdlib>

namespace board = testing_support::colour_board;

namespace {

HANDLE logFile = INVALID_HANDLE_VALUE;

void Log(UINT message) {
    char line[16];
    const int length = std::snprintf(line, sizeof line, "%X\n", message);
    DWORD written = 0;
    SetFilePointer(logFile, 0, nullptr, FILE_END);
    WriteFile(logFile, line, static_cast<DWORD>(length), &written, nullptr);
}

void LogKey(UINT message, WPARAM key) {
    char line[32];
    const int length = std::snprintf(line, sizeof line, "K %X %X\n", message,
                                     static_cast<unsigned>(key));
    DWORD written = 0;
    SetFilePointer(logFile, 0, nullptr, FILE_END);
    WriteFile(logFile, line, static_cast<DWORD>(length), &written, nullptr);
}

void Paint(HWND window) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    for (int index = 0; index < board::kAreas; ++index) {
        const RECT area = board::AreaRect(client, index);
        const HBRUSH brush = CreateSolidBrush(board::kColours[index]);
        FillRect(dc, &area, brush);
        DeleteObject(brush);
    }
    EndPaint(window, &paint);
}

LRESULT CALLBACK BoardProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (board::IsMouseMessage(message)) {
        Log(message);
    } else if (message >= WM_KEYFIRST && message <= WM_KEYLAST) {
        LogKey(message, wParam);
    }
    switch (message) {
    case board::kStallMessage:
        ReplyMessage(0);
        Sleep(static_cast<DWORD>(wParam));
        return 0;
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        return 2;
    }
    logFile = CreateFileA(argv[1], GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = BoardProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "ColourBoard";
    RegisterClassA(&windowClass);
    const HWND window = CreateWindowA("ColourBoard", board::kTitle,
                                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                                      std::atoi(argv[2]), std::atoi(argv[3]), 400, 300, nullptr,
                                      nullptr, windowClass.hInstance, nullptr);
    if (!window) {
        return 3;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    CloseHandle(logFile);
    return 0;
}
