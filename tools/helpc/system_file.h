// The help file's |SYSTEM: its format version, title, contents topic, the macro run when it
// opens, and its main window.
#pragma once

#include "byte_writer.h"

#include <cstdint>
#include <string>

namespace helpc {

struct SystemInfo {
    std::string title;     // Windows-1252; also the main window's caption
    std::string copyright; // Windows-1252; may be empty
    std::uint32_t contentsOffset = 0;
    std::uint32_t generationDate = 0; // seconds since 1 January 1980
};

constexpr std::size_t kCaptionWidth = 51;

Bytes WriteSystemFile(const SystemInfo& info);

} // namespace helpc
