// The same help as one web page, for readers without a help viewer: each topic a section
// with its id as anchor, and the jumps as links to those anchors.
#pragma once

#include "help_document.h"

#include <string>

namespace helpc {

// UTF-8 HTML.
std::string RenderHtml(const HelpDocument& document);

} // namespace helpc
