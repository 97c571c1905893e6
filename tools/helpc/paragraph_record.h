// One paragraph as a text record of the topic file: its formatting (LinkData1: the paragraph's
// spacing and indents, then one format code per change of font, jump or paragraph end) and its
// strings (LinkData2: the text between those codes, in step with them).
#pragma once

#include "byte_writer.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace helpc {

// Text of one font, possibly the label of a jump. Text is Windows-1252.
struct Span {
    std::string text;
    std::uint16_t font = 0;
    std::optional<std::int32_t> jumpHash;
};

// Spacing and indents in the format's half-point units.
struct ParagraphFormat {
    int spaceAbove = 0;
    int spaceBelow = 0;
    int leftIndent = 0;
    int firstLineIndent = 0;
    bool keepWithNext = false;
    bool bullet = false; // starts with a bullet, then a tab to the left indent
};

struct TextRecord {
    Bytes data1;
    Bytes data2;
    // What the record adds to the topic offsets: its characters, each paragraph end and tab.
    unsigned characters = 0;
};

TextRecord EncodeParagraph(const ParagraphFormat& format, const std::vector<Span>& spans);

} // namespace helpc
