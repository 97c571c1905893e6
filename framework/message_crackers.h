// Table entries with typed handlers. Each maker names the handler's signature above it; the
// handler is a member function of the class whose table holds the entry.
#pragma once

#include "message_table.h"

namespace framework {
namespace detail {

template <class> struct MemberOf;
template <class T, class R, class... A> struct MemberOf<R (T::*)(A...)> { using Class = T; };
template <class T, class R, class... A> struct MemberOf<R (T::*)(A...) const> { using Class = T; };

template <auto Handler> auto& Target(CCmdTarget& target) {
    return static_cast<typename MemberOf<decltype(Handler)>::Class&>(target);
}

template <auto Handler> LRESULT NoArguments(CCmdTarget& target, UINT, WPARAM, LPARAM) {
    (Target<Handler>(target).*Handler)();
    return 0;
}

template <auto Handler> LRESULT ControlId(CCmdTarget& target, UINT, WPARAM wParam, LPARAM) {
    (Target<Handler>(target).*Handler)(LOWORD(wParam));
    return 0;
}

inline POINT PointOf(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

} // namespace detail

constexpr MessageEntry Entry(UINT message, MessageThunk thunk) {
    return MessageEntry{message, message, kAnyCode, 0, 0, thunk};
}

// void Handler(): a command from a menu, an accelerator or a button, whatever its code.
template <auto Handler> constexpr MessageEntry WhenCommand(UINT id) {
    return MessageEntry{WM_COMMAND, WM_COMMAND, kAnyCode, id, id, &detail::NoArguments<Handler>};
}

// void Handler(): a button's click.
template <auto Handler> constexpr MessageEntry WhenClicked(UINT id) {
    return MessageEntry{WM_COMMAND, WM_COMMAND, BN_CLICKED, id, id, &detail::NoArguments<Handler>};
}

// void Handler(): an edit field's text changed.
template <auto Handler> constexpr MessageEntry WhenEditChanged(UINT id) {
    return MessageEntry{WM_COMMAND, WM_COMMAND, EN_CHANGE, id, id, &detail::NoArguments<Handler>};
}

// void Handler(UINT fieldId): the text of one of the fields firstId to lastId changed.
template <auto Handler> constexpr MessageEntry WhenEditRangeChanged(UINT firstId, UINT lastId) {
    return MessageEntry{WM_COMMAND, WM_COMMAND, EN_CHANGE,
                        firstId,    lastId,     &detail::ControlId<Handler>};
}

// void Handler(UINT code, HWND source): a horizontal scroll notification (sliders).
template <auto Handler> constexpr MessageEntry WhenHorizontalScroll() {
    return Entry(WM_HSCROLL, [](CCmdTarget& target, UINT, WPARAM wParam, LPARAM lParam) -> LRESULT {
        (detail::Target<Handler>(target).*Handler)(LOWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    });
}

// void Handler(UINT commandId): a system-menu command.
template <auto Handler> constexpr MessageEntry WhenSystemCommand() {
    return Entry(WM_SYSCOMMAND, [](CCmdTarget& target, UINT, WPARAM wParam, LPARAM) -> LRESULT {
        (detail::Target<Handler>(target).*Handler)(static_cast<UINT>(wParam));
        return 0;
    });
}

// void Handler(): the window is being destroyed.
template <auto Handler> constexpr MessageEntry WhenDestroyed() {
    return Entry(WM_DESTROY, &detail::NoArguments<Handler>);
}

// void Handler(bool ending): the session is ending (or, false, no longer about to end). After
// an ending one the process may be stopped without any further message.
template <auto Handler> constexpr MessageEntry WhenSessionEnds() {
    return Entry(WM_ENDSESSION, [](CCmdTarget& target, UINT, WPARAM wParam, LPARAM) -> LRESULT {
        (detail::Target<Handler>(target).*Handler)(wParam != FALSE);
        return 0;
    });
}

// void Handler(UINT_PTR id): a timer of the window is due.
template <auto Handler> constexpr MessageEntry WhenTimer() {
    return Entry(WM_TIMER, [](CCmdTarget& target, UINT, WPARAM wParam, LPARAM) -> LRESULT {
        (detail::Target<Handler>(target).*Handler)(static_cast<UINT_PTR>(wParam));
        return 0;
    });
}

// int Handler(): a click on the window asks whether it activates it (MA_ACTIVATE, ...).
template <auto Handler> constexpr MessageEntry WhenMouseActivates() {
    return Entry(WM_MOUSEACTIVATE, [](CCmdTarget& target, UINT, WPARAM, LPARAM) -> LRESULT {
        return (detail::Target<Handler>(target).*Handler)();
    });
}

// void Handler(): the window's size changed.
template <auto Handler> constexpr MessageEntry WhenSized() {
    return Entry(WM_SIZE, &detail::NoArguments<Handler>);
}

// void Handler(): the window got the keyboard focus.
template <auto Handler> constexpr MessageEntry WhenFocusReceived() {
    return Entry(WM_SETFOCUS, &detail::NoArguments<Handler>);
}

// void Handler(bool active): the window was activated or deactivated.
template <auto Handler> constexpr MessageEntry WhenActivated() {
    return Entry(WM_ACTIVATE, [](CCmdTarget& target, UINT, WPARAM wParam, LPARAM) -> LRESULT {
        (detail::Target<Handler>(target).*Handler)(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    });
}

// LRESULT Handler(const Notification& notification): notification `code` from child `id`, its
// record of the given type (NMHDR or a larger record that starts with one).
template <UINT code, class Notification, auto Handler>
constexpr MessageEntry WhenNotified(UINT id) {
    return MessageEntry{WM_NOTIFY,
                        WM_NOTIFY,
                        kAnyCode,
                        id,
                        id,
                        [](CCmdTarget& target, UINT, WPARAM, LPARAM lParam) -> LRESULT {
                            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
                            return header->code == code
                                       ? (detail::Target<Handler>(target).*
                                          Handler)(*reinterpret_cast<const Notification*>(lParam))
                                       : 0;
                        }};
}

// void Handler(WPARAM value): a message of the window's own (WM_APP + n), posted or sent.
template <UINT message, auto Handler> constexpr MessageEntry WhenOwnMessage() {
    return Entry(message, [](CCmdTarget& target, UINT, WPARAM wParam, LPARAM) -> LRESULT {
        (detail::Target<Handler>(target).*Handler)(wParam);
        return 0;
    });
}

// void Handler(MINMAXINFO& limits): the least and largest size the window may take.
template <auto Handler> constexpr MessageEntry WhenSizeLimitsAsked() {
    return Entry(WM_GETMINMAXINFO, [](CCmdTarget& target, UINT, WPARAM, LPARAM lParam) -> LRESULT {
        (detail::Target<Handler>(target).*Handler)(*reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    });
}

// void Handler(const RECT& suggested): the window's display scale changed; `suggested` is the
// frame the system proposes at the new scale.
template <auto Handler> constexpr MessageEntry WhenScaleChanged() {
    return Entry(WM_DPICHANGED, [](CCmdTarget& target, UINT, WPARAM, LPARAM lParam) -> LRESULT {
        (detail::Target<Handler>(target).*Handler)(*reinterpret_cast<const RECT*>(lParam));
        return 0;
    });
}

// void Handler(): the window must paint.
template <auto Handler> constexpr MessageEntry WhenPaint() {
    return Entry(WM_PAINT, &detail::NoArguments<Handler>);
}

// HICON Handler(): the picture shown while the minimised window is dragged.
template <auto Handler> constexpr MessageEntry WhenDragIconAsked() {
    return Entry(WM_QUERYDRAGICON, [](CCmdTarget& target, UINT, WPARAM, LPARAM) -> LRESULT {
        return reinterpret_cast<LRESULT>((detail::Target<Handler>(target).*Handler)());
    });
}

// HBRUSH Handler(HDC dc, HWND control, UINT kind): a control's (or the dialog's) request for
// its background brush; kind is CTLCOLOR_DLG, CTLCOLOR_STATIC, CTLCOLOR_EDIT, ...
template <auto Handler> constexpr MessageEntry WhenControlColour() {
    return MessageEntry{
        WM_CTLCOLORMSGBOX,
        WM_CTLCOLORSTATIC,
        kAnyCode,
        0,
        0,
        [](CCmdTarget& target, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
            // The request's kind follows from its message; CTLCOLOR_MSGBOX is 0.
            const UINT kind = message - WM_CTLCOLORMSGBOX;
            return reinterpret_cast<LRESULT>((detail::Target<Handler>(target).*Handler)(
                reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), kind));
        }};
}

// HBRUSH Handler(HDC dc): a static control's own answer to its colour request, offered to it
// before its parent answers. No brush leaves the answer to the parent.
template <auto Handler> constexpr MessageEntry WhenReflectedStaticColour() {
    return Entry(ReflectedMessage(WM_CTLCOLORSTATIC),
                 [](CCmdTarget& target, UINT, WPARAM wParam, LPARAM) -> LRESULT {
                     return reinterpret_cast<LRESULT>(
                         (detail::Target<Handler>(target).*Handler)(reinterpret_cast<HDC>(wParam)));
                 });
}

// BOOL Handler(HWND window, UINT hitTest, UINT mouseMessage): the pointer's shape is asked for.
template <auto Handler> constexpr MessageEntry WhenCursorAsked() {
    return Entry(WM_SETCURSOR,
                 [](CCmdTarget& target, UINT, WPARAM wParam, LPARAM lParam) -> LRESULT {
                     return (detail::Target<Handler>(target).*Handler)(
                         reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam));
                 });
}

// void Handler(UINT keys, POINT point): mouse messages with a client position.
template <UINT message, auto Handler> constexpr MessageEntry WhenMouse() {
    return Entry(message, [](CCmdTarget& target, UINT, WPARAM wParam, LPARAM lParam) -> LRESULT {
        (detail::Target<Handler>(target).*Handler)(static_cast<UINT>(wParam),
                                                   detail::PointOf(lParam));
        return 0;
    });
}

// void Handler(HWND window, POINT screenPoint): a context menu is asked for.
template <auto Handler> constexpr MessageEntry WhenContextMenu() {
    return Entry(WM_CONTEXTMENU,
                 [](CCmdTarget& target, UINT, WPARAM wParam, LPARAM lParam) -> LRESULT {
                     (detail::Target<Handler>(target).*Handler)(reinterpret_cast<HWND>(wParam),
                                                                detail::PointOf(lParam));
                     return 0;
                 });
}

} // namespace framework
