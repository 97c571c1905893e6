// Building the little-endian binary structures of a help file. Every integer in the format is
// little-endian; some fields use the format's own variable-length ("compressed") integers.
#pragma once

#include "little_endian.h"

#include <cstddef>
#include <string>

namespace helpc {

using binary::Bytes;

class CByteWriter : public binary::CByteWriter {
public:
    // The text and a terminating NUL.
    void StringZ(const std::string& text);
    // The text NUL-padded to `width` bytes; it must leave room for at least one NUL.
    void FixedString(const std::string& text, std::size_t width);

    // One byte for small values, two (or four) otherwise; the low bit of the first byte tells
    // the reader which. Values outside a form's range are a programming error (std::out_of_range).
    void CompressedUnsignedShort(unsigned value); // 0 to 32767
    void CompressedShort(int value);              // -16384 to 16383
    void CompressedLong(long value);              // -0x40000000 to 0x3FFFFFFF
};

} // namespace helpc
