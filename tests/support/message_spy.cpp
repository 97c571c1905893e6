#include "message_spy.h"

namespace testing_support {
namespace {
const char kSpyProperty[] = "Prismel.MessageSpy";
}

MessageSpy::MessageSpy(HWND window, Override answer) : window_(window), answer_(std::move(answer)) {
    SetPropA(window, kSpyProperty, this);
    watched_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
}

MessageSpy::~MessageSpy() {
    // A window destroyed meanwhile has taken its procedure and properties with it.
    if (IsWindow(window_)) {
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(watched_));
        RemovePropA(window_, kSpyProperty);
    }
}

int MessageSpy::Count(UINT message) const {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto found = counts_.find(message);
    return found == counts_.end() ? 0 : found->second;
}

LRESULT CALLBACK MessageSpy::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<MessageSpy*>(GetPropA(window, kSpyProperty));
    {
        const std::lock_guard<std::mutex> lock(self->mutex_);
        ++self->counts_[message];
    }
    if (self->answer_) {
        if (const auto answer = self->answer_(message, wParam, lParam)) {
            return *answer;
        }
    }
    return CallWindowProcA(self->watched_, window, message, wParam, lParam);
}

} // namespace testing_support
