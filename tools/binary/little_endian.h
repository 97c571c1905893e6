// Little-endian binary fields, as Windows' file formats store them: the writer the build-time
// tools (the artwork generator, the help compiler) lay files with, and the reader their tests read
// the files back with. Free of any window, so everything that uses it is tested natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace binary {

using Bytes = std::vector<std::uint8_t>;

class CByteWriter {
public:
    void U8(std::uint8_t value) { bytes_.push_back(value); }
    void U16(std::uint16_t value) {
        U8(static_cast<std::uint8_t>(value & 0xFF));
        U8(static_cast<std::uint8_t>(value >> 8));
    }
    void U32(std::uint32_t value) {
        U16(static_cast<std::uint16_t>(value & 0xFFFF));
        U16(static_cast<std::uint16_t>(value >> 16));
    }
    void I16(std::int16_t value) { U16(static_cast<std::uint16_t>(value)); }
    void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
    void Append(const Bytes& bytes) { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }
    void Append(const std::string& bytes) {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    }
    void Zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }
    // Overwrites four bytes already written (a size or an offset known only later).
    void PatchU32(std::size_t at, std::uint32_t value) {
        for (std::size_t i = 0; i < 4; ++i) {
            bytes_.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
        }
    }

    std::size_t Size() const { return bytes_.size(); }
    const Bytes& Data() const { return bytes_; }
    Bytes Take() { return std::move(bytes_); }

private:
    Bytes bytes_;
};

// Fields at a place the caller has checked lies within the data.
inline std::uint16_t ReadU16(const std::uint8_t* at) {
    return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}
inline std::int16_t ReadI16(const std::uint8_t* at) {
    return static_cast<std::int16_t>(ReadU16(at));
}
inline std::uint32_t ReadU32(const std::uint8_t* at) {
    return ReadU16(at) | (static_cast<std::uint32_t>(ReadU16(at + 2)) << 16);
}

// Fields one after another from a place on; reading past the end throws std::out_of_range.
class CByteReader {
public:
    CByteReader(const Bytes& bytes, std::size_t at) : bytes_(bytes), at_(at) {}

    std::uint8_t U8() { return *Take(1); }
    std::uint16_t U16() { return ReadU16(Take(2)); }
    std::uint32_t U32() { return ReadU32(Take(4)); }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    std::size_t At() const { return at_; }

private:
    const std::uint8_t* Take(std::size_t count) {
        if (at_ > bytes_.size() || bytes_.size() - at_ < count) {
            throw std::out_of_range("the data ends early");
        }
        const std::uint8_t* field = bytes_.data() + at_;
        at_ += count;
        return field;
    }

    const Bytes& bytes_;
    std::size_t at_;
};

} // namespace binary
