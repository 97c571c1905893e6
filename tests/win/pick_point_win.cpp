// WM_PICK_POINT's coordinates keep their sign through a real send from another thread. The
// virtual desktop has one display at the origin, so the pointer itself never goes negative here;
// positions left of or above a primary display only occur with several displays.
#include "Mousetap.h"

#include "message_pump.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

std::vector<POINT> received;

LRESULT CALLBACK Receiver(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PICK_POINT) {
        received.push_back(
            POINT{PickPointCoordinate(wParam), PickPointCoordinate(static_cast<WPARAM>(lParam))});
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(PickPoint, CoordinatesKeepTheirSignAcrossASend) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Receiver;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "PickPointReceiver";
    RegisterClassA(&windowClass);
    const HWND window = CreateWindowA("PickPointReceiver", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);

    // Static, and the rest taken by value: a sender left stuck in a send never reads a frame
    // that is gone.
    static const std::vector<POINT> sent = {{-1, -1},        {-1920, -1080}, {-32768, 32767},
                                            {-70000, 70000}, {65535, 65536}, {0, 0}};
    const HANDLE sentAll = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread sender([window, sentAll] {
        for (const POINT& point : sent) {
            SendMessageA(window, WM_PICK_POINT, PickPointParam(point.x),
                         static_cast<LPARAM>(PickPointParam(point.y)));
        }
        SetEvent(sentAll);
    });
    // The sends wait for this thread's pump, so the sender is waited for while pumping.
    if (!testing_support::WaitPumping(sentAll, 5000)) {
        sender.detach(); // still in a send: joining it would wait for ever
        FAIL() << "the sender is still sending after 5 s; " << received.size() << " of "
               << sent.size() << " points arrived";
    }
    sender.join();
    CloseHandle(sentAll);
    ASSERT_EQ(received.size(), sent.size());
    for (size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(received[i].x, sent[i].x);
        EXPECT_EQ(received[i].y, sent[i].y);
    }
    DestroyWindow(window);
}

} // namespace
