// The help as pages for Tintview's own help window, which shows it where the platform has no
// help viewer: one page per topic, each a rich text for a rich-edit control with the places of
// its jumps, the contents topic first. The rich-edit control holds a page's text with one
// character per UTF-16 unit and one (CR) per paragraph end, which is how jump places count.
//
// The file is text, every length in bytes:
//
//   Prismel help pages 1
//   title <the help's title, UTF-8>
//   page <topic id>                       one per topic, the contents first
//   link <start> <length> <page index>    one per jump of the page, in text order
//   rtf <byte count>
//   <the page's rich text, exactly that many bytes of ASCII>
//   end
//
// Each line ends with LF, the rich text too.
#pragma once

#include "help_document.h"

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace helpc {

inline constexpr char kPagesSignature[] = "Prismel help pages 1";

struct PageJump {
    std::size_t start = 0; // in UTF-16 units of the page's text
    std::size_t length = 0;
    std::size_t target = 0; // a page index
};

struct RenderedPage {
    std::string rtf;
    std::vector<PageJump> jumps;
};

// One topic as rich text; `pageOf` gives each topic id's page index.
RenderedPage RenderPage(const Topic& topic, const std::map<std::string, std::size_t>& pageOf);

// The whole help in the file form above.
std::string RenderHelpPages(const HelpDocument& document);

} // namespace helpc
