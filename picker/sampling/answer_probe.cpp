#include "sampling/answer_probe.h"

namespace picker {

void CAnswerProbe::Ask() {
    const DWORD now = GetTickCount();
    if (asking) {
        if (now - askedAt > kAnswerBoundMs) {
            stuck = true;
        }
        return;
    }
    if (askedAt && now - askedAt < kAskEveryMs) {
        return;
    }
    if (SendMessageCallbackA(target, WM_NULL, 0, 0, &Answered, reinterpret_cast<ULONG_PTR>(this))) {
        asking = true;
        askedAt = now;
    }
}

void CALLBACK CAnswerProbe::Answered(HWND, UINT, ULONG_PTR self, LRESULT) {
    auto* probe = reinterpret_cast<CAnswerProbe*>(self);
    probe->asking = false;
    probe->stuck = false;
}

} // namespace picker
