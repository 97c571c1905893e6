// Field exchange: the two directions of moving values between a dialog's fields and its
// members, with per-field validation. The first failure shows its warning, puts the focus on
// the failing field with its whole text selected, and stops the exchange: every later call
// does nothing.
#pragma once

#include <cstdint>
#include <string>

#include <windows.h>

namespace framework {

class CDialog;
class CWnd;

// The warnings, exactly as the user reads them.
inline constexpr char kEnterInteger[] = "Please enter an integer.";
inline constexpr char kEnterIntegerBetween[] = "Please enter an integer between %1 and %2.";
inline constexpr char kEnterNoMoreThan[] = "Please enter no more than %1 characters.";

class CDataExchange {
public:
    CDataExchange(CDialog& fieldsOf, bool saveAndValidate)
        : dialog(fieldsOf), saving(saveAndValidate) {}

    bool Saving() const { return saving; }
    bool Failed() const { return failed; }
    CDialog& Dialog() const { return dialog; }

    // The field that a following check reports on.
    HWND PrepareEditControl(UINT id);
    HWND LastControl() const { return lastControl; }
    // Shows `warning`, focuses the last prepared field with its text selected, stops the rest.
    void Fail(const std::string& warning);

private:
    CDialog& dialog;
    bool saving;
    bool failed = false;
    HWND lastControl = nullptr;
};

// Binds a control object to the dialog's control `id`.
void DDX_Control(CDataExchange& exchange, UINT id, CWnd& control);
// A whole number: read with the rules of ParseDecimal (at most the first 31 characters),
// written as plain decimal.
void DDX_Text(CDataExchange& exchange, UINT id, std::int32_t& value);
// Text, read and written unchanged.
void DDX_Text(CDataExchange& exchange, UINT id, std::string& value);
// Checked after reading; the value read stays in its member even when the check fails.
void DDV_MinMaxInt(CDataExchange& exchange, std::int32_t value, std::int32_t minimum,
                   std::int32_t maximum);
// Checked after reading; when it passes (and when writing) the field is limited to `count`
// typed characters.
void DDV_MaxChars(CDataExchange& exchange, const std::string& value, int count);

// `pattern` with %1 and %2 replaced.
std::string FormatMessageText(const char* pattern, const std::string& first,
                              const std::string& second = {});

} // namespace framework
