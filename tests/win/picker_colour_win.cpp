// The colour shown five ways stays in step whichever view the user changes: typed and pasted
// text in the fields, slider drags and keys, with the warnings a user sees.
#include "picker_fixture.h"

#include "message_pump.h"
#include "message_spy.h"
#include "rules/colour_text.h"
#include "resources/resource_ids.h"
#include "x_input.h"

#include <commctrl.h>

using namespace testing_support;

namespace {

class PickerColourTest : public PickerWindowTest {
protected:
    struct Shown {
        std::string red, green, blue, hex;
        int redSlider, greenSlider, blueSlider;
    };
    Shown Views() const {
        return Shown{Text(IDC_RED_FIELD),
                     Text(IDC_GREEN_FIELD),
                     Text(IDC_BLUE_FIELD),
                     Text(IDC_HEX_FIELD),
                     SliderPosition(IDC_RED_SLIDER),
                     SliderPosition(IDC_GREEN_SLIDER),
                     SliderPosition(IDC_BLUE_SLIDER)};
    }
    void ExpectColour(int red, int green, int blue, const std::string& hex) {
        const Shown shown = Views();
        EXPECT_EQ(shown.red, std::to_string(red));
        EXPECT_EQ(shown.green, std::to_string(green));
        EXPECT_EQ(shown.blue, std::to_string(blue));
        EXPECT_EQ(shown.hex, hex);
        EXPECT_EQ(shown.redSlider, red);
        EXPECT_EQ(shown.greenSlider, green);
        EXPECT_EQ(shown.blueSlider, blue);
        EXPECT_EQ(SwatchPixel(), RGB(red, green, blue));
    }
};

TEST_F(PickerColourTest, TypingRedUpdatesEveryViewAndAFourthDigitIsOutOfRange) {
    SelectAll(IDC_RED_FIELD);
    TypeKeys(IDC_RED_FIELD, "255");
    ExpectColour(255, 0, 0, "FF0000");
    TypeKeys(IDC_RED_FIELD, "5");
    ExpectWarning("Please enter an integer between 0 and 255.");
    EXPECT_TRUE(WaitForText(IDC_RED_FIELD, "255"));
    ExpectColour(255, 0, 0, "FF0000");
}

TEST_F(PickerColourTest, ValuesAbove255LoseTrailingDigitsAfterTheWarning) {
    const std::pair<std::string, std::string> cases[] = {
        {"256", "25"}, {"999", "99"}, {"300", "30"}};
    for (const auto& [typed, kept] : cases) {
        Paste(IDC_GREEN_FIELD, typed);
        ExpectWarning("Please enter an integer between 0 and 255.");
        EXPECT_TRUE(WaitForText(IDC_GREEN_FIELD, kept)) << typed;
        EXPECT_EQ(SliderPosition(IDC_GREEN_SLIDER), std::stoi(kept));
    }
}

TEST_F(PickerColourTest, WhatIsNotANumberWarnsAndThePreviousValueReturns) {
    Paste(IDC_RED_FIELD, "12");
    ExpectColour(12, 0, 0, "0C0000");
    for (const char* typed : {"abc", "+0", "-0", "1 2", "+"}) {
        Paste(IDC_RED_FIELD, typed);
        ExpectWarning("Please enter an integer.");
        EXPECT_TRUE(WaitForText(IDC_RED_FIELD, "12")) << typed;
    }
    SelectAll(IDC_RED_FIELD);
    xinput::Key("BackSpace");
    ExpectWarning("Please enter an integer.");
    EXPECT_TRUE(WaitForText(IDC_RED_FIELD, "12")) << "an emptied field";
    ExpectColour(12, 0, 0, "0C0000");
}

TEST_F(PickerColourTest, ANegativeValueWarnsAndCountsAsZero) {
    Paste(IDC_BLUE_FIELD, "200");
    Paste(IDC_BLUE_FIELD, "-5");
    ExpectWarning("Please enter an integer between 0 and 255.");
    EXPECT_TRUE(WaitForText(IDC_BLUE_FIELD, "0"));
    ExpectColour(0, 0, 0, "000000");
}

TEST_F(PickerColourTest, SignsBlanksAndLeadingZerosAreWrittenBackPlain) {
    Paste(IDC_GREEN_FIELD, "025");
    EXPECT_TRUE(WaitForText(IDC_GREEN_FIELD, "25"));
    Paste(IDC_GREEN_FIELD, " +7\t");
    EXPECT_TRUE(WaitForText(IDC_GREEN_FIELD, "7"));
    ExpectColour(0, 7, 0, "000700");
    // A rewritten field has its caret at the start, where the next key goes.
    Paste(IDC_GREEN_FIELD, "0");
    xinput::Key("End");
    TypeKeys(IDC_GREEN_FIELD, "2");
    EXPECT_TRUE(WaitForText(IDC_GREEN_FIELD, "2"));
    TypeKeys(IDC_GREEN_FIELD, "5");
    EXPECT_TRUE(WaitForText(IDC_GREEN_FIELD, "52"));
    ExpectColour(0, 52, 0, "003400");
}

TEST_F(PickerColourTest, ClearingTheHexFieldGivesBlackAndLeavesItEmpty) {
    Paste(IDC_HEX_FIELD, "123456");
    ExpectColour(0x12, 0x34, 0x56, "123456");
    SelectAll(IDC_HEX_FIELD);
    xinput::Key("BackSpace");
    EXPECT_TRUE(WaitForText(IDC_RED_FIELD, "0"));
    ExpectColour(0, 0, 0, "");
}

TEST_F(PickerColourTest, LowerCaseHexIsShownUpperCaseAndReadRightAligned) {
    SelectAll(IDC_HEX_FIELD);
    TypeKeys(IDC_HEX_FIELD, "ff");
    ExpectColour(0, 0, 255, "FF");
}

TEST_F(PickerColourTest, CharactersThatAreNotHexDigitsAreDropped) {
    SelectAll(IDC_HEX_FIELD);
    TypeKeys(IDC_HEX_FIELD, "12G4");
    ExpectColour(0, 1, 0x24, "124");
    DWORD start = 0, end = 0;
    SendMessageA(Control(IDC_HEX_FIELD), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 3u) << "the caret stays at the end";
    EXPECT_EQ(end, 3u);
}

TEST_F(PickerColourTest, SixHexDigitsSetEveryComponentAndTheSwatch) {
    Paste(IDC_HEX_FIELD, "00A0FF");
    ExpectColour(0, 160, 255, "00A0FF");
    EXPECT_EQ(SwatchPixel(), 0xFFA000u) << "red in the low byte";
}

// Each slider counts the positions it is given: one user change is one pass of updates, never
// a second one set off by the program's own writes to its fields.
TEST_F(PickerColourTest, OneChangeMakesOnePassOfUpdates) {
    const MessageSpy red(Control(IDC_RED_SLIDER));
    const MessageSpy green(Control(IDC_GREEN_SLIDER));
    const MessageSpy blue(Control(IDC_BLUE_SLIDER));
    Paste(IDC_RED_FIELD, "9");
    ExpectColour(9, 0, 0, "090000");
    EXPECT_EQ(red.Count(TBM_SETPOS), 1);
    EXPECT_EQ(green.Count(TBM_SETPOS), 0) << "the hexadecimal field's handler ran too";
    EXPECT_EQ(blue.Count(TBM_SETPOS), 0);

    Paste(IDC_HEX_FIELD, "0A0B0C");
    ExpectColour(10, 11, 12, "0A0B0C");
    EXPECT_EQ(red.Count(TBM_SETPOS), 2);
    EXPECT_EQ(green.Count(TBM_SETPOS), 1);
    EXPECT_EQ(blue.Count(TBM_SETPOS), 1);
}

TEST_F(PickerColourTest, DraggingASliderUpdatesTheColourContinuously) {
    RECT thumb;
    SendMessageA(Control(IDC_GREEN_SLIDER), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    MapWindowPoints(Control(IDC_GREEN_SLIDER), nullptr, reinterpret_cast<POINT*>(&thumb), 2);
    RECT channel;
    GetWindowRect(Control(IDC_GREEN_SLIDER), &channel);
    const POINT start{(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
    const LONG travel = channel.right - start.x;

    xinput::Press(start);
    std::string seen = "0";
    for (int step = 1; step <= 3; ++step) {
        xinput::MoveTo(POINT{start.x + travel * step / 4, start.y});
        // While the button is still down the field, the hex text and the swatch follow.
        ASSERT_TRUE(PumpUntil([&] { return Text(IDC_GREEN_FIELD) != seen; }, 2000))
            << "no update at step " << step;
        seen = Text(IDC_GREEN_FIELD);
        const int green = std::stoi(seen);
        EXPECT_EQ(SliderPosition(IDC_GREEN_SLIDER), green);
        ExpectColour(0, green, 0, picker::FormatHexColour({0, green, 0}));
    }
    const int green = std::stoi(seen);
    xinput::Release();
    // The Right key after it moves the slider one step from wherever the release left it: the
    // end of tracking has been handled once that step shows.
    xinput::Key("Right");
    ASSERT_TRUE(WaitForText(IDC_GREEN_FIELD, std::to_string(green + 1)))
        << "the end of tracking changed the colour, or the key was not handled";
    ExpectColour(0, green + 1, 0, picker::FormatHexColour({0, green + 1, 0}));
}

TEST_F(PickerColourTest, SliderKeysMoveTheColour) {
    xinput::Click(Centre(IDC_HEX_FIELD));
    xinput::Key("Tab"); // to the red slider
    xinput::Key("Right");
    EXPECT_TRUE(WaitForText(IDC_RED_FIELD, "1"));
    xinput::Key("End");
    EXPECT_TRUE(WaitForText(IDC_RED_FIELD, "255"));
    ExpectColour(255, 0, 0, "FF0000");
    xinput::Key("Home");
    EXPECT_TRUE(WaitForText(IDC_RED_FIELD, "0"));
}

} // namespace
