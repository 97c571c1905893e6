#include "page_rendering.h"

#include "windows1252.h"

#include <cstdio>
#include <stdexcept>

namespace helpc {
namespace {

// Sizes in half points, spaces in twips. Character formatting is switched on and off by its own
// words rather than kept to groups: some readers do not restore it at a group's end.
constexpr char kHeader[] = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1"
                           "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}"
                           "{\\colortbl;\\red0\\green0\\blue255;}\n";
constexpr char kTitle[] = "\\pard\\sa160";
constexpr int kTitleSize = 30;
constexpr char kHeading[] = "\\pard\\sb200\\sa80";
constexpr int kHeadingSize = 22;
constexpr char kParagraph[] = "\\pard\\sa120";
constexpr int kTextSize = 20;
// A bullet hangs in the margin, its text indented past it.
constexpr char kBullet[] = "\\pard\\fi-220\\li440\\tx440\\sa%d";
constexpr int kBulletSpace = 60;
constexpr int kLastBulletSpace = 120;

// Writes text into the rich text and counts it as the control will hold it.
class CRichText {
public:
    void Control(const std::string& words) { rtf += words; }
    void StartParagraph(const std::string& format, int size) {
        rtf += format + "\\plain\\fs" + std::to_string(size) + " ";
        bold = false;
        jump = false;
    }
    void EndParagraph() {
        rtf += "\\par\n";
        ++length;
    }
    void Format(bool boldNow, bool jumpNow) {
        if (boldNow != bold) {
            rtf += boldNow ? "\\b " : "\\b0 ";
            bold = boldNow;
        }
        if (jumpNow != jump) {
            rtf += jumpNow ? "\\cf1\\ul " : "\\cf0\\ulnone ";
            jump = jumpNow;
        }
    }
    void Text(const std::string& utf8) {
        for (char32_t c : CodePoints(utf8)) {
            if (c == '\\' || c == '{' || c == '}') {
                rtf += '\\';
                rtf += static_cast<char>(c);
                ++length;
            } else if (c >= 0x20 && c < 0x7F) {
                rtf += static_cast<char>(c);
                ++length;
            } else if (c < 0x10000) {
                Unicode(c);
            } else {
                // Beyond the first plane: a surrogate pair, two units in the control.
                Unicode(0xD800 + ((c - 0x10000) >> 10));
                Unicode(0xDC00 + ((c - 0x10000) & 0x3FF));
            }
        }
    }
    // The bullet and its tab, two characters.
    void Bullet() {
        rtf += "\\u8226?\\tab ";
        length += 2;
    }
    std::size_t Length() const { return length; }
    std::string Take() { return std::move(rtf); }

private:
    void Unicode(char32_t unit) {
        // \u takes a signed 16-bit number; "?" is the stand-in for readers without Unicode.
        const int value = unit > 0x7FFF ? static_cast<int>(unit) - 0x10000 : static_cast<int>(unit);
        rtf += "\\u" + std::to_string(value) + "?";
        ++length;
    }

    std::string rtf;
    std::size_t length = 0;
    bool bold = false;
    bool jump = false;
};

std::size_t PageOf(const std::map<std::string, std::size_t>& pageOf, const std::string& id) {
    const auto found = pageOf.find(id);
    if (found == pageOf.end()) {
        throw std::runtime_error("jump to an unknown topic '" + id + "'");
    }
    return found->second;
}

void EndJump(const CRichText& text, std::vector<PageJump>& jumps) {
    jumps.back().length = text.Length() - jumps.back().start;
    if (jumps.back().length == 0) {
        jumps.pop_back(); // nothing to click
    }
}

// `bold`: the block's own weight (headings are bold throughout).
void WriteRuns(const std::vector<Run>& runs, bool bold,
               const std::map<std::string, std::size_t>& pageOf, CRichText& text,
               std::vector<PageJump>& jumps) {
    std::string jump;
    for (const Run& run : runs) {
        if (run.jumpTarget != jump) {
            if (!jump.empty()) {
                EndJump(text, jumps);
            }
            if (!run.jumpTarget.empty()) {
                jumps.push_back(PageJump{text.Length(), 0, PageOf(pageOf, run.jumpTarget)});
            }
            jump = run.jumpTarget;
        }
        text.Format(bold || run.bold, !jump.empty());
        text.Text(run.text);
    }
    if (!jump.empty()) {
        EndJump(text, jumps);
    }
    text.Format(bold, false); // the paragraph's end is no part of a jump
}

} // namespace

RenderedPage RenderPage(const Topic& topic, const std::map<std::string, std::size_t>& pageOf) {
    CRichText text;
    RenderedPage page;
    text.Control(kHeader);
    text.StartParagraph(kTitle, kTitleSize);
    text.Format(true, false);
    text.Text(topic.title);
    text.EndParagraph();
    for (std::size_t i = 0; i < topic.blocks.size(); ++i) {
        const Block& block = topic.blocks[i];
        switch (block.kind) {
        case BlockKind::Heading:
            text.StartParagraph(kHeading, kHeadingSize);
            break;
        case BlockKind::Paragraph:
            text.StartParagraph(kParagraph, kTextSize);
            break;
        case BlockKind::Bullet: {
            const bool last =
                i + 1 == topic.blocks.size() || topic.blocks[i + 1].kind != BlockKind::Bullet;
            char format[sizeof kBullet + 8];
            std::snprintf(format, sizeof format, kBullet, last ? kLastBulletSpace : kBulletSpace);
            text.StartParagraph(format, kTextSize);
            text.Bullet();
            break;
        }
        }
        WriteRuns(block.runs, block.kind == BlockKind::Heading, pageOf, text, page.jumps);
        text.EndParagraph();
    }
    text.Control("}\n");
    page.rtf = text.Take();
    return page;
}

std::string RenderHelpPages(const HelpDocument& document) {
    // The contents first, as the window opens it first; then the topics in the source's order.
    std::vector<std::size_t> order = {document.ContentsIndex()};
    for (std::size_t i = 0; i < document.topics.size(); ++i) {
        if (i != order.front()) {
            order.push_back(i);
        }
    }
    std::map<std::string, std::size_t> pageOf;
    for (std::size_t page = 0; page < order.size(); ++page) {
        pageOf[document.topics[order[page]].id] = page;
    }
    std::string pages = std::string(kPagesSignature) + "\ntitle " + document.title + "\n";
    for (std::size_t index : order) {
        const Topic& topic = document.topics[index];
        const RenderedPage page = RenderPage(topic, pageOf);
        pages += "page " + topic.id + "\n";
        for (const PageJump& jump : page.jumps) {
            pages += "link " + std::to_string(jump.start) + " " + std::to_string(jump.length) +
                     " " + std::to_string(jump.target) + "\n";
        }
        pages += "rtf " + std::to_string(page.rtf.size()) + "\n" + page.rtf + "\n";
    }
    return pages + "end\n";
}

} // namespace helpc
