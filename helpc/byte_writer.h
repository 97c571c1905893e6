// Building the little-endian binary structures of a help file. Every integer in the format is
// little-endian; some fields use the format's own variable-length ("compressed") integers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace helpc {

using Bytes = std::vector<std::uint8_t>;

class ByteWriter {
public:
    void U8(std::uint8_t value);
    void U16(std::uint16_t value);
    void U32(std::uint32_t value);
    void I16(std::int16_t value) { U16(static_cast<std::uint16_t>(value)); }
    void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
    void Append(const Bytes& bytes);
    void Append(const std::string& bytes);
    // The text and a terminating NUL.
    void StringZ(const std::string& text);
    // The text NUL-padded to `width` bytes; it must leave room for at least one NUL.
    void FixedString(const std::string& text, std::size_t width);
    void Zeros(std::size_t count);

    // One byte for small values, two (or four) otherwise; the low bit of the first byte tells
    // the reader which. Values outside a form's range are a programming error (std::out_of_range).
    void CompressedUnsignedShort(unsigned value); // 0 to 32767
    void CompressedShort(int value);              // -16384 to 16383
    void CompressedLong(long value);              // -0x40000000 to 0x3FFFFFFF

    void PatchU32(std::size_t at, std::uint32_t value);
    std::size_t Size() const { return bytes_.size(); }
    const Bytes& Data() const { return bytes_; }
    Bytes Take() { return std::move(bytes_); }

private:
    Bytes bytes_;
};

} // namespace helpc
