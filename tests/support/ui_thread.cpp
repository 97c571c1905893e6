#include "ui_thread.h"

#include "message_pump.h"

namespace testing_support {
namespace {

constexpr UINT kInvoke = WM_APP + 1;

LRESULT CALLBACK InvokerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kInvoke) {
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateInvoker() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = InvokerProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TestUiInvoker";
    RegisterClassA(&windowClass); // fails harmlessly when already registered
    return CreateWindowA("TestUiInvoker", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                         windowClass.hInstance, nullptr);
}

} // namespace

UiThread::UiThread(std::function<void()> body)
    : done_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    const HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, ready, body = std::move(body)] {
        invoker_ = CreateInvoker();
        threadId_ = GetCurrentThreadId();
        SetEvent(ready);
        body();
        DestroyWindow(invoker_);
        SetEvent(done_);
    });
    WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
}

UiThread::~UiThread() {
    thread_.join();
    CloseHandle(done_);
}

void UiThread::Invoke(const std::function<void()>& action) {
    SendMessageA(invoker_, kInvoke, 0, reinterpret_cast<LPARAM>(&action));
}

bool UiThread::WaitForEnd(DWORD timeoutMs) {
    return WaitPumping(done_, timeoutMs);
}

} // namespace testing_support
