// The help file's text is Windows-1252; the help source is UTF-8.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace helpc {

class CEncodingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Converts UTF-8 text to Windows-1252. Throws CEncodingError naming the first character that is
// malformed UTF-8, a control character, or has no Windows-1252 form.
std::string ToWindows1252(const std::string& utf8);

// The number of characters of valid UTF-8 text (one Windows-1252 byte each).
std::size_t CharacterCount(const std::string& utf8);

// The code points of UTF-8 text. Throws CEncodingError where it is not valid UTF-8.
std::u32string CodePoints(const std::string& utf8);

} // namespace helpc
