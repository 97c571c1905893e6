// Compiles a help document into the bytes of a help file (.HLP).
#pragma once

#include "byte_writer.h"
#include "help_document.h"

#include <cstdint>

namespace helpc {

// Throws CSourceError for content the format cannot hold (a paragraph too long for a block).
Bytes CompileHelpFile(const HelpDocument& document, std::uint32_t generationDate);

} // namespace helpc
