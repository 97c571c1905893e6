// The contents file (.cnt) that the 32-bit help viewer reads beside the help file to fill the
// Contents tab of its Help Topics window: a book per ':book', a page per topic.
#pragma once

#include "help_document.h"

#include <string>

namespace helpc {

// Windows-1252 text with CR LF line ends. `helpFileName` is the help file's name without folder.
std::string WriteContentsFile(const HelpDocument& document, const std::string& helpFileName);

} // namespace helpc
