#include "dialog_template.h"

#include "handle_owners.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

} // namespace

void ExpectControls(HWND dialog, const std::vector<ExpectedControl>& expected) {
    HWND child = GetWindow(dialog, GW_CHILD);
    for (const ExpectedControl& control : expected) {
        ASSERT_NE(child, nullptr) << "missing control " << control.id;
        SCOPED_TRACE(testing::Message() << "control " << control.id << " " << control.windowClass
                                        << " " << (control.text ? control.text : ""));
        EXPECT_EQ(static_cast<UINT>(GetDlgCtrlID(child)) & 0xFFFF, control.id);
        EXPECT_EQ(ClassOf(child), control.windowClass);
        if (control.text) {
            char text[64] = "";
            GetWindowTextA(child, text, sizeof text);
            EXPECT_STREQ(text, control.text);
        }
        auto style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
        // Position and size convert to pixels separately, as the dialog manager converts them.
        RECT place = control.dialogUnits;
        MapDialogRect(dialog, &place);
        RECT actual;
        GetWindowRect(child, &actual);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(actual.left, place.left);
        EXPECT_EQ(actual.top, place.top);
        if (ClassOf(child) == "Static" && (style & SS_TYPEMASK) == SS_ICON) {
            // An icon label takes its icon's size.
            place.right = GetSystemMetrics(SM_CXICON);
            place.bottom = GetSystemMetrics(SM_CYICON);
        }
        EXPECT_EQ(actual.right - actual.left, place.right);
        EXPECT_EQ(actual.bottom - actual.top, place.bottom);
        // Controls draw a template's plain border as a sunken edge.
        if (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) {
            style |= WS_BORDER;
        }
        EXPECT_EQ(style & (control.styles | control.mask), control.styles)
            << std::hex << "style 0x" << style;
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr) << "more controls than the template has";
}

void ExpectDialogFrame(HWND dialog, const char* caption, SIZE dialogUnits, DWORD styles,
                       DWORD absentStyles) {
    char text[64] = "";
    GetWindowTextA(dialog, text, sizeof text);
    EXPECT_STREQ(text, caption);
    const auto style = static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE));
    EXPECT_EQ(style & styles, styles);
    EXPECT_EQ(style & absentStyles, 0u);
    RECT size{0, 0, dialogUnits.cx, dialogUnits.cy};
    MapDialogRect(dialog, &size);
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);
}

HWND ChildWithText(HWND dialog, const std::string& text) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char shown[128] = "";
        GetWindowTextA(child, shown, sizeof shown);
        if (text == shown) {
            return child;
        }
    }
    return nullptr;
}

SIZE TextSize(HWND dialog, const std::string& text) {
    SIZE size{};
    const framework::CWindowDc dc(dialog);
    const testing_support::Selection font(
        dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
    GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}
