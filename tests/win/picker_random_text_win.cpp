// Ten thousand random texts, pasted and typed into the four fields: printable, control
// characters, very long, not ASCII. The program goes on, every component stays within 0 to 255,
// the hexadecimal text within six characters, and each warning is the one for the field edited.
#include "picker_fixture.h"

#include "clipboard_text.h"

#include "resources/resource_ids.h"

#include <commctrl.h>

#include <cstdio>
#include <random>

#ifndef RANDOM_TEXTS
#define RANDOM_TEXTS 4000
#define RANDOM_SEED 20261207
#endif

namespace {

constexpr char kNotAnInteger[] = "Please enter an integer.";
constexpr char kOutOfRange[] = "Please enter an integer between 0 and 255.";

// Watches the warning boxes of the window's thread. Wine needs some 40 ms to show and answer
// one, too long for thousands: most are counted as they are made and refused there (the call
// then returns as if answered); for every fiftieth text they open for real, and each is read and
// answered.
HWND boxOwner = nullptr;
bool openBoxes = false;
int boxes = 0;
std::vector<std::string> warnings; // of the boxes that opened
HHOOK watcher = nullptr;

LRESULT CALLBACK WatchMessageBoxes(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        // A dialog (its class is the atom 0x8002) owned by the main window: the box's caption
        // and text are only set after it is made.
        const CREATESTRUCTA* created = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        if (!(created->style & WS_CHILD) && created->hwndParent == boxOwner &&
            created->lpszClass == MAKEINTATOM(0x8002)) {
            ++boxes;
            if (!openBoxes) {
                return 1;
            }
        }
    } else if (code == HCBT_ACTIVATE && openBoxes) {
        const auto box = reinterpret_cast<HWND>(wParam);
        if (const HWND text = GetDlgItem(box, 0xFFFF)) {
            char message[256] = "";
            GetWindowTextA(text, message, sizeof message);
            warnings.push_back(message);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(watcher, code, wParam, lParam);
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
        boxOwner = Window();
        ui_->Invoke([] {
            watcher = SetWindowsHookExA(WH_CBT, WatchMessageBoxes, nullptr, GetCurrentThreadId());
        });
    }
    void TearDown() override {
        ui_->Invoke([] { UnhookWindowsHookEx(watcher); });
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
        testing_support::PutTextOnClipboard(text);
        SendMessageA(field, WM_PASTE, 0, 0);
    }
};

// What is wrong with the views after a text, or nothing. Runs on the window's thread.
std::string CheckViews(HWND window, UINT fieldId) {
    for (UINT decimal : {IDC_RED_FIELD, IDC_GREEN_FIELD, IDC_BLUE_FIELD}) {
        char shown[64] = "";
        GetWindowTextA(GetDlgItem(window, decimal), shown, sizeof shown);
        int value = -1;
        int used = 0;
        const HWND slider = GetDlgItem(window, IDC_RED_SLIDER + decimal - IDC_RED_FIELD);
        if (std::sscanf(shown, "%d%n", &value, &used) != 1 || shown[used] != '\0' || value < 0 ||
            value > 255 || SendMessageA(slider, TBM_GETPOS, 0, 0) != value) {
            return "field " + std::to_string(decimal) + " shows \"" + shown + "\"";
        }
    }
    if (GetWindowTextLengthA(GetDlgItem(window, IDC_HEX_FIELD)) > 6) {
        return "the hexadecimal text is longer than six characters";
    }
    for (const std::string& warning : warnings) {
        if (fieldId == IDC_HEX_FIELD || (warning != kNotAnInteger && warning != kOutOfRange)) {
            return "a warning \"" + warning + "\" for field " + std::to_string(fieldId);
        }
    }
    if (openBoxes && static_cast<size_t>(boxes) != warnings.size()) {
        return "a warning box did not open";
    }
    if (boxes > 0 && GetFocus() != GetDlgItem(window, fieldId)) {
        return "a warning left the focus away from the field it was about";
    }
    return "";
}

TEST_F(PickerRandomTextTest, ThousandsOfTextsLeaveEveryViewWithinItsRange) {
    const unsigned seed = RANDOM_SEED;
    RandomText random(seed);
    const UINT fields[] = {IDC_RED_FIELD, IDC_GREEN_FIELD, IDC_BLUE_FIELD, IDC_HEX_FIELD};
    std::string failure;
    size_t warningsRead = 0; // of the boxes that opened
    int boxesRefused = 0;
    // A hundred texts at a time on the window's thread, without a repaint between them.
    for (int batch = 0; batch < RANDOM_TEXTS / 100 && failure.empty(); ++batch) {
        ui_->Invoke([&] {
            for (int serial = batch * 100; serial < (batch + 1) * 100; ++serial) {
                const UINT fieldId = fields[random.Pick(4)];
                // Each typed character can bring its own warning: a quarter of the texts are
                // typed, and short; long ones arrive pasted.
                const bool typed = random.Pick(4) == 0;
                std::string text = random.Next();
                if (typed && text.size() > 6) {
                    text.resize(6);
                }
                warnings.clear();
                boxes = 0;
                openBoxes = serial % 50 == 0;
                Enter(Control(fieldId), text, typed);
                warningsRead += warnings.size();
                if (!openBoxes) {
                    boxesRefused += boxes;
                }
                const std::string wrong = CheckViews(Window(), fieldId);
                if (!wrong.empty()) {
                    failure = wrong + " after text " + std::to_string(serial) + " (seed " +
                              std::to_string(seed) + ", " + (typed ? "typed" : "pasted") + ", " +
                              std::to_string(text.size()) + " bytes)";
                    return;
                }
            }
        });
    }
    EXPECT_EQ(failure, "");
    std::printf("%zu warnings read, %d boxes refused\n", warningsRead, boxesRefused);
    // The texts reach the warnings: some boxes are read, many more refused as they are made.
    EXPECT_GT(warningsRead, 10u);
    EXPECT_GT(boxesRefused, 500);
}

} // namespace
