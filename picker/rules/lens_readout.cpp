#include "rules/lens_readout.h"

#include "rules/contrast.h"

namespace picker {
namespace {

std::string SideBySide(std::int32_t side, const char* by) {
    const std::string length = std::to_string(side);
    return length + by + length + " average";
}

} // namespace

LensCaption CaptionLines(const LensReadout& readout) {
    const std::int32_t contrast = ContrastHundredths(readout.colour, readout.held);
    const std::string level = LevelName(LevelOf(contrast));
    return LensCaption{
        HexCaption(readout.colour),
        ComponentsCaption(readout.colour),
        FormatContrast(contrast) + ":1" + (level.empty() ? "" : "  " + level),
        "x " + std::to_string(readout.pointer.x) + "  y " + std::to_string(readout.pointer.y),
        readout.side > 1 ? SideBySide(readout.side, " \xD7 ") : std::string(),
    };
}

std::string LensWindowText(const LensReadout& readout) {
    const std::int32_t red = readout.colour >> 16 & 0xFF;
    const std::int32_t green = readout.colour >> 8 & 0xFF;
    const std::int32_t blue = readout.colour & 0xFF;
    const std::int32_t contrast = ContrastHundredths(readout.colour, readout.held);
    const std::string level = LevelName(LevelOf(contrast));
    std::string text = HexCaption(readout.colour) + ", red " + std::to_string(red) + ", green " +
                       std::to_string(green) + ", blue " + std::to_string(blue) + ", at " +
                       std::to_string(readout.pointer.x) + ", " +
                       std::to_string(readout.pointer.y) + ", contrast " +
                       FormatContrast(contrast) + " to 1";
    if (!level.empty()) {
        text += ", " + level;
    }
    if (readout.side > 1) {
        text += ", " + SideBySide(readout.side, " by ");
    }
    return text;
}

} // namespace picker
