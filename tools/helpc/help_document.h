// The help as the source describes it: topics made of headings, paragraphs and bulleted items,
// whose text is runs of plain or bold characters, some of them jumps to other topics.
// All text is UTF-8 here; the help file writer converts it.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace helpc {

struct Run {
    std::string text;
    bool bold = false;
    std::string jumpTarget; // a topic id; empty for plain text
};

enum class BlockKind { Paragraph, Heading, Bullet };

struct Block {
    BlockKind kind = BlockKind::Paragraph;
    std::vector<Run> runs;
    int line = 0; // where it starts in the source
};

struct Topic {
    std::string id;
    std::string title;
    std::string book; // the contents-file book it belongs to; empty for the top level
    std::vector<Block> blocks;
    int line = 0;
};

struct HelpDocument {
    std::string title;
    std::string copyright;
    std::string contentsId; // the topic the viewer opens first
    std::vector<Topic> topics;

    std::size_t ContentsIndex() const;
};

// A fault in the help source, at a line (1-based; 0 when it concerns the whole source).
class CSourceError : public std::runtime_error {
public:
    CSourceError(int atLine, const std::string& message)
        : std::runtime_error(message), line(atLine) {}
    int Line() const { return line; }

private:
    int line;
};

} // namespace helpc
