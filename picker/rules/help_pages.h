// The help as Tintview's own help window shows it: pages of rich text, one per topic, the
// contents first, each with the places of its jumps. helpc writes them into a resource of the
// program (the file form is described in helpc/page_rendering.h). Free of any window so it is
// tested natively.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace picker {

struct HelpJump {
    std::size_t start = 0; // in characters of the page's text as a rich-edit control holds it
    std::size_t length = 0;
    std::size_t target = 0; // a page index
};

struct HelpPage {
    std::string id;
    std::string rtf;
    std::vector<HelpJump> jumps; // in text order, none overlapping
};

struct HelpPages {
    std::string title; // UTF-8
    std::vector<HelpPage> pages;
};

// Nothing unless `bytes` is a whole, sound set of pages: at least one, every jump leading to one
// of them.
std::optional<HelpPages> ReadHelpPages(std::string_view bytes);

// The jump at character `position` of `page`, if any.
const HelpJump* JumpAt(const HelpPage& page, std::size_t position);

// Going through the jumps from the keyboard, with the selection from `selectionStart` to
// `selectionEnd`: forward, the first jump that starts at or after its end; backward, the last
// that ends at or before its start. Null when there is none that way.
const HelpJump* NextJump(const HelpPage& page, std::size_t selectionStart, std::size_t selectionEnd,
                         bool forward);

} // namespace picker
