// Reads the help source, a plain UTF-8 text:
//
//   ; a comment line
//   :title Tintview Help              the help's title, also the viewer's caption
//   :copyright Text                   optional
//   :contents topic_id                optional: the topic opened first (else the first topic)
//   :book Name                        the following topics form a book of the contents file
//   = Topic title {#topic_id}         starts a topic; ids use only A-Z a-z 0-9 . _
//   == Heading                        a heading inside a topic
//   - item                            a bulleted item
//   other lines                       paragraph text; a blank line ends a paragraph
//
// Inline: **bold**, [jump text](#topic_id), and a backslash before a punctuation mark keeps it
// literal (\*, \[, \= ...). Every fault is a CSourceError with its line.
#pragma once

#include "help_document.h"

#include <string>

namespace helpc {

// Longest texts, in characters, that the help file and the viewers take.
constexpr std::size_t kMaxHelpTitle = 50; // the viewer's caption field
constexpr std::size_t kMaxTopicTitle = 127;
constexpr std::size_t kMaxContextId = 255;
constexpr std::size_t kMaxCopyright = 255;

HelpDocument ParseHelpSource(const std::string& source);

} // namespace helpc
