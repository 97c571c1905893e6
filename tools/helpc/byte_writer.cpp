#include "byte_writer.h"

#include <stdexcept>

namespace helpc {

void CByteWriter::StringZ(const std::string& text) {
    Append(text);
    U8(0);
}

void CByteWriter::FixedString(const std::string& text, std::size_t width) {
    if (text.size() >= width) {
        throw std::out_of_range("'" + text + "' does not fit a field of " + std::to_string(width) +
                                " bytes");
    }
    Append(text);
    Zeros(width - text.size());
}

void CByteWriter::CompressedUnsignedShort(unsigned value) {
    if (value < 0x80) {
        U8(static_cast<std::uint8_t>(value * 2));
    } else if (value < 0x8000) {
        U16(static_cast<std::uint16_t>(value * 2 + 1));
    } else {
        throw std::out_of_range("compressed unsigned short out of range");
    }
}

void CByteWriter::CompressedShort(int value) {
    if (value >= -0x40 && value < 0x40) {
        U8(static_cast<std::uint8_t>((value + 0x40) * 2));
    } else if (value >= -0x4000 && value < 0x4000) {
        U16(static_cast<std::uint16_t>((value + 0x4000) * 2 + 1));
    } else {
        throw std::out_of_range("compressed short out of range");
    }
}

void CByteWriter::CompressedLong(long value) {
    if (value >= -0x4000 && value < 0x4000) {
        U16(static_cast<std::uint16_t>((value + 0x4000) * 2));
    } else if (value >= -0x40000000L && value < 0x40000000L) {
        U32(static_cast<std::uint32_t>((static_cast<std::int64_t>(value) + 0x40000000) * 2 + 1));
    } else {
        throw std::out_of_range("compressed long out of range");
    }
}

} // namespace helpc
