#include "data_exchange.h"

#include "decimal_text.h"
#include "dialog.h"
#include "message_box.h"

namespace framework {
namespace {

// At most this many characters of a number field are read, as a fixed buffer would.
constexpr int kNumberFieldBuffer = 32;

// Replaces a field's text only when it differs, so an unchanged field keeps its caret and
// selection (and sends no change notification).
void WriteText(HWND field, const std::string& text) {
    if (static_cast<size_t>(GetWindowTextLengthA(field)) != text.size() ||
        WindowText(field) != text) {
        SetWindowTextA(field, text.c_str());
    }
}

} // namespace

HWND CDataExchange::PrepareEditControl(UINT id) {
    lastControl = dialog.GetDlgItem(id);
    return lastControl;
}

void CDataExchange::Fail(const std::string& warning) {
    failed = true;
    ShowWarning(warning);
    if (lastControl) {
        SetFocus(lastControl);
        SendMessageA(lastControl, EM_SETSEL, 0, -1);
    }
}

void DDX_Control(CDataExchange& exchange, UINT id, CWnd& control) {
    if (!exchange.Failed()) {
        control.BindToDlgItem(exchange.Dialog().GetSafeHwnd(), id);
    }
}

void DDX_Text(CDataExchange& exchange, UINT id, std::int32_t& value) {
    if (exchange.Failed()) {
        return;
    }
    const HWND field = exchange.PrepareEditControl(id);
    if (!exchange.Saving()) {
        WriteText(field, FormatDecimal(value));
        return;
    }
    char text[kNumberFieldBuffer];
    const int copied = GetWindowTextA(field, text, kNumberFieldBuffer);
    const auto parsed = ParseDecimal(std::string_view(text, copied > 0 ? copied : 0));
    if (!parsed) {
        exchange.Fail(kEnterInteger);
        return;
    }
    value = *parsed;
}

void DDX_Text(CDataExchange& exchange, UINT id, std::string& value) {
    if (exchange.Failed()) {
        return;
    }
    const HWND field = exchange.PrepareEditControl(id);
    if (exchange.Saving()) {
        value = WindowText(field);
    } else {
        WriteText(field, value);
    }
}

void DDV_MinMaxInt(CDataExchange& exchange, std::int32_t value, std::int32_t minimum,
                   std::int32_t maximum) {
    if (exchange.Failed() || !exchange.Saving()) {
        return;
    }
    if (value < minimum || value > maximum) {
        exchange.Fail(FormatMessageText(kEnterIntegerBetween, FormatDecimal(minimum),
                                        FormatDecimal(maximum)));
    }
}

void DDV_MaxChars(CDataExchange& exchange, const std::string& value, int count) {
    if (exchange.Failed()) {
        return;
    }
    if (exchange.Saving() && value.size() > static_cast<size_t>(count)) {
        exchange.Fail(FormatMessageText(kEnterNoMoreThan, FormatDecimal(count)));
    } else if (exchange.LastControl()) {
        SendMessageA(exchange.LastControl(), EM_LIMITTEXT, static_cast<WPARAM>(count), 0);
    }
}

std::string FormatMessageText(const char* pattern, const std::string& first,
                              const std::string& second) {
    std::string text;
    for (const char* at = pattern; *at; ++at) {
        if (at[0] == '%' && (at[1] == '1' || at[1] == '2')) {
            text += at[1] == '1' ? first : second;
            ++at;
        } else {
            text += *at;
        }
    }
    return text;
}

} // namespace framework
