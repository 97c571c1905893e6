// The colour shown five ways stays in step whichever view the user changes: typed and pasted
// text in the fields, slider drags and keys, with the warnings a user sees.
#include "picker_fixture.h"

#include "message_pump.h"
#include "resources/resource_ids.h"
#include "x_input.h"

#include <commctrl.h>

#include <atomic>

using namespace testing_support;

namespace {

class PickerColourTest : public PickerWindowTest {
protected:
    struct Shown {
        std::string red, green, blue, hex;
        int redSlider, greenSlider, blueSlider;
    };
    Shown Views() const {
        return Shown{Text(IDC_RED_FIELD),        Text(IDC_GREEN_FIELD),
                     Text(IDC_BLUE_FIELD),       Text(IDC_HEX_FIELD),
                     SliderPosition(IDC_RED_SLIDER), SliderPosition(IDC_GREEN_SLIDER),
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
    const std::pair<std::string, std::string> cases[] = {{"256", "25"}, {"999", "99"}, {"300", "30"}};
    for (const auto& [typed, kept] : cases) {
        Paste(IDC_GREEN_FIELD, typed);
        ExpectWarning("Please enter an integer between 0 and 255.");
        EXPECT_TRUE(WaitForText(IDC_GREEN_FIELD, kept)) << typed;
        EXPECT_EQ(SliderPosition(IDC_GREEN_SLIDER), std::stoi(kept));
    }
}

} // namespace
