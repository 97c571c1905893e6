// Ten thousand random texts, pasted and typed into the four fields: printable, control
// characters, very long, not ASCII. The program goes on, every component stays within 0 to 255,
// the hexadecimal text within six characters, and each warning is the one for the field edited.
#include "picker_fixture.h"

#include "resources/resource_ids.h"

#include <commctrl.h>

#include <cstdio>
#include <random>

namespace {

constexpr char kNotAnInteger[] = "Please enter an integer.";
constexpr char kOutOfRange[] = "Please enter an integer between 0 and 255.";

// Answers each message box the moment it opens on the window's thread, and keeps its text.
std::vector<std::string> warnings;
HHOOK answerer = nullptr;

LRESULT CALLBACK AnswerMessageBoxes(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        const auto box = reinterpret_cast<HWND>(wParam);
        if (const HWND text = GetDlgItem(box, 0xFFFF)) {
            char message[256] = "";
            GetWindowTextA(text, message, sizeof message);
            warnings.push_back(message);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(answerer, code, wParam, lParam);
}

class RandomText {
public:
    explicit RandomText(unsigned seed) : random_(seed) {}

    std::string Next() {
        switch (Pick(6)) {
        case 0:
            return From(" 0123456789+-\t", Pick(8)); // near numbers
        case 1:
            return Range(0x20, 0x7E, Pick(12)); // printable
        case 2:
            return Range(0x01, 0x1F, 1 + Pick(6)); // control characters
        case 3:
            return Range(0x80, 0xFF, 1 + Pick(10)); // not ASCII
        case 4:
            return Range(0x01, 0xFF, 1000 + Pick(4000)); // very long
        default:
            return From("0123456789ABCDEFabcdefG#x", Pick(9)); // near colours
        }
    }
    unsigned Pick(unsigned below) {
        return std::uniform_int_distribution<unsigned>(0, below - 1)(random_);
    }

private:
    std::string From(const std::string& alphabet, unsigned length) {
        std::string text;
        while (text.size() < length) {
            text += alphabet[Pick(static_cast<unsigned>(alphabet.size()))];
        }
        return text;
    }
    std::string Range(int first, int last, unsigned length) {
        std::string text;
        while (text.size() < length) {
            text += static_cast<char>(first + static_cast<int>(Pick(last - first + 1)));
        }
        return text;
    }
    std::mt19937 random_;
};

class PickerRandomTextTest : public PickerWindowTest {
protected:
    void SetUp() override {
        PickerWindowTest::SetUp();
        ui_->Invoke([] {
            answerer = SetWindowsHookExA(WH_CBT, AnswerMessageBoxes, nullptr, GetCurrentThreadId());
        });
    }
    void TearDown() override {
        ui_->Invoke([] { UnhookWindowsHookEx(answerer); });
        PickerWindowTest::TearDown();
    }

    // On the window's thread: the field's whole text replaced by `text`, through the clipboard
    // and the field's own paste, or key by key as typed characters arrive.
    void Enter(HWND field, const std::string& text, bool typed) {
        SetFocus(field);
        SendMessageA(field, EM_SETSEL, 0, -1);
        if (typed) {
            for (char c : text) {
                SendMessageA(field, WM_CHAR, static_cast<unsigned char>(c), 1);
            }
            return;
        }
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
            memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
            GlobalUnlock(memory);
            SetClipboardData(CF_TEXT, memory);
            CloseClipboard();
        }
        SendMessageA(field, WM_PASTE, 0, 0);
    }
};

TEST_F(PickerRandomTextTest, TenThousandTextsLeaveEveryViewWithinItsRange) {
    const unsigned seed = 20261207;
    RandomText random(seed);
    const UINT fields[] = {IDC_RED_FIELD, IDC_GREEN_FIELD, IDC_BLUE_FIELD, IDC_HEX_FIELD};
    const int count = getenv("TEXTS") ? atoi(getenv("TEXTS")) : 10000;
    for (int serial = 0; serial < count; ++serial) {
        const UINT fieldId = fields[random.Pick(4)];
        // Every typed character can bring a warning, and each box costs Wine some 20 ms: a
        // quarter of the texts are typed, and short; long ones arrive pasted.
        const bool typed = random.Pick(4) == 0;
        std::string text = random.Next();
        if (typed && text.size() > 6) {
            text.resize(6);
        }
        bool valid = true;
        std::string why;
        ui_->Invoke([&] {
            warnings.clear();
            const HWND field = Control(fieldId);
            Enter(field, text, typed);
            for (UINT decimal : {IDC_RED_FIELD, IDC_GREEN_FIELD, IDC_BLUE_FIELD}) {
                char shown[64] = "";
                GetWindowTextA(Control(decimal), shown, sizeof shown);
                int value = -1;
                int used = 0;
                if (std::sscanf(shown, "%d%n", &value, &used) != 1 || shown[used] != '\0' ||
                    value < 0 || value > 255 ||
                    SendMessageA(Control(IDC_RED_SLIDER + decimal - IDC_RED_FIELD), TBM_GETPOS, 0,
                                 0) != value) {
                    valid = false;
                    why = std::string("field ") + std::to_string(decimal) + " shows \"" + shown +
                          "\"";
                }
            }
            if (GetWindowTextLengthA(Control(IDC_HEX_FIELD)) > 6) {
                valid = false;
                why = "the hexadecimal text is longer than six characters";
            }
            for (const std::string& warning : warnings) {
                const bool decimalField = fieldId != IDC_HEX_FIELD;
                if (!decimalField || (warning != kNotAnInteger && warning != kOutOfRange)) {
                    valid = false;
                    why = "a warning \"" + warning + "\" for field " + std::to_string(fieldId);
                }
            }
            if (!warnings.empty() && GetFocus() != field) {
                valid = false;
                why = "the warning left the focus away from the field it was about";
            }
        });
        ASSERT_TRUE(valid) << why << " after text " << serial << " (seed " << seed << ", "
                           << (typed ? "typed" : "pasted") << ", " << text.size() << " bytes)";
    }
}

} // namespace
