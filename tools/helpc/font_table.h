// The fonts the help uses (|FONT), in the older layout, the one every viewer reads.
#pragma once

#include "byte_writer.h"

#include <cstdint>

namespace helpc {

enum HelpFont : std::uint16_t {
    kBodyFont = 0,    // Arial 10 pt
    kBoldFont = 1,    // Arial 10 pt bold
    kTitleFont = 2,   // Arial 14 pt bold: the topic's title
    kHeadingFont = 3, // Arial 12 pt bold
    kFontCount = 4,
};

Bytes WriteFontTable();

} // namespace helpc
