// The pages of Tintview's own help window: what helpc renders, read back as the program reads
// them, and the rich text read as a rich-edit control reads it, so that every jump's place
// covers exactly its text.
#include "rules/help_pages.h"
#include "page_rendering.h"
#include "source_parser.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

// The rich text as a rich-edit control holds it: its characters in UTF-16 units, paragraph ends
// as CR, and which of them are bold, underlined or in another colour. Reads the subset a page
// uses: control words with a number, \\ \{ \}, \uN with one stand-in character, \plain, and the
// font and colour tables, which hold no text. As the rich edit of some platforms does, it keeps
// character formatting past the end of a group, so a page must switch it off itself.
struct ShownText {
    std::u16string text;
    std::vector<bool> bold;
    std::vector<bool> linkStyle; // underlined and in colour 1

    std::u16string Range(std::size_t start, std::size_t length) const {
        return text.substr(start, length);
    }
};

ShownText Show(const std::string& rtf) {
    struct State {
        bool bold = false, underline = false, coloured = false, hidden = false;
    };
    ShownText shown;
    std::vector<State> groups{State{}};
    auto put = [&](char16_t c) {
        if (groups.back().hidden) {
            return;
        }
        shown.text += c;
        shown.bold.push_back(groups.back().bold);
        shown.linkStyle.push_back(groups.back().underline && groups.back().coloured);
    };
    for (std::size_t at = 0; at < rtf.size();) {
        const char c = rtf[at++];
        if (c == '{') {
            groups.push_back(groups.back());
        } else if (c == '}') {
            EXPECT_GT(groups.size(), 1u) << "a group closed that was never opened, at " << at;
            if (groups.size() == 1) {
                break;
            }
            State inner = groups.back();
            groups.pop_back();
            inner.hidden = groups.back().hidden; // a table ends with its group
            groups.back() = inner;
        } else if (c == '\n' || c == '\r') {
            continue;
        } else if (c != '\\') {
            put(static_cast<unsigned char>(c));
        } else if (!std::isalpha(static_cast<unsigned char>(rtf[at]))) {
            put(static_cast<unsigned char>(rtf[at++]));
        } else {
            std::string word;
            while (std::isalpha(static_cast<unsigned char>(rtf[at]))) {
                word += rtf[at++];
            }
            std::string number;
            while (rtf[at] == '-' || std::isdigit(static_cast<unsigned char>(rtf[at]))) {
                number += rtf[at++];
            }
            if (rtf[at] == ' ') {
                ++at;
            }
            State& state = groups.back();
            if (word == "par") {
                put(u'\r');
            } else if (word == "tab") {
                put(u'\t');
            } else if (word == "u") {
                put(static_cast<char16_t>(std::stoi(number)));
                ++at; // the stand-in for readers without Unicode
            } else if (word == "b") {
                state.bold = number != "0";
            } else if (word == "ul") {
                state.underline = true;
            } else if (word == "ulnone") {
                state.underline = false;
            } else if (word == "plain") {
                state = State{false, false, false, state.hidden};
            } else if (word == "cf") {
                state.coloured = number == "1";
            } else if (word == "fonttbl" || word == "colortbl") {
                state.hidden = true;
            }
        }
    }
    EXPECT_EQ(groups.size(), 1u) << "a group is left open";
    return shown;
}

std::u16string Utf16(const std::string& utf8) {
    std::u16string text;
    for (std::size_t at = 0; at < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int i = 1; i <= extra; ++i) {
            c = (c << 6) | (static_cast<unsigned char>(utf8[at + i]) & 0x3F);
        }
        at += 1 + extra;
        if (c >= 0x10000) {
            text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            text += static_cast<char16_t>(c);
        }
    }
    return text;
}

std::string ReadSource() {
    std::ifstream in(PRISMEL_HELP_SOURCE, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every jump of every page covers exactly its text, shown as a link, and leads to its topic;
// bold text is bold; each page starts with its title.
void ExpectPagesMatch(const helpc::HelpDocument& document, const picker::HelpPages& help) {
    ASSERT_EQ(help.pages.size(), document.topics.size());
    EXPECT_EQ(help.title, document.title);
    EXPECT_EQ(help.pages[0].id, document.topics[document.ContentsIndex()].id);
    for (const picker::HelpPage& page : help.pages) {
        SCOPED_TRACE("page " + page.id);
        const auto topic = std::find_if(document.topics.begin(), document.topics.end(),
                                        [&](const helpc::Topic& t) { return t.id == page.id; });
        ASSERT_NE(topic, document.topics.end());
        const ShownText shown = Show(page.rtf);
        EXPECT_EQ(shown.text.substr(0, Utf16(topic->title).size() + 1),
                  Utf16(topic->title) + u"\r");

        std::vector<std::pair<std::string, std::string>> jumps; // text, target
        std::vector<std::string> boldTexts;
        for (const helpc::Block& block : topic->blocks) {
            std::string previousTarget;
            for (const helpc::Run& run : block.runs) {
                if (!run.jumpTarget.empty() && run.jumpTarget == previousTarget) {
                    jumps.back().first += run.text;
                } else if (!run.jumpTarget.empty()) {
                    jumps.push_back({run.text, run.jumpTarget});
                }
                previousTarget = run.jumpTarget;
                if (run.bold) {
                    boldTexts.push_back(run.text);
                }
            }
        }
        ASSERT_EQ(page.jumps.size(), jumps.size());
        for (std::size_t i = 0; i < jumps.size(); ++i) {
            const picker::HelpJump& jump = page.jumps[i];
            ASSERT_LE(jump.start + jump.length, shown.text.size());
            EXPECT_EQ(shown.Range(jump.start, jump.length), Utf16(jumps[i].first)) << "jump " << i;
            EXPECT_EQ(help.pages.at(jump.target).id, jumps[i].second) << "jump " << i;
            for (std::size_t c = jump.start; c < jump.start + jump.length; ++c) {
                EXPECT_TRUE(shown.linkStyle[c]) << "jump " << i << " character " << c;
            }
        }
        // Link styling covers the jumps and nothing else.
        const auto styled = std::count(shown.linkStyle.begin(), shown.linkStyle.end(), true);
        std::size_t jumpCharacters = 0;
        for (const picker::HelpJump& jump : page.jumps) {
            jumpCharacters += jump.length;
        }
        EXPECT_EQ(static_cast<std::size_t>(styled), jumpCharacters);
        // Bold runs, in order, are bold where they stand, and nothing else is but the title and
        // the headings.
        std::size_t boldCharacters = Utf16(topic->title).size();
        for (const helpc::Block& block : topic->blocks) {
            for (const helpc::Run& run : block.runs) {
                if (run.bold || block.kind == helpc::BlockKind::Heading) {
                    boldCharacters += Utf16(run.text).size();
                }
            }
        }
        std::size_t shownBold = 0;
        for (std::size_t c = 0; c < shown.text.size(); ++c) {
            shownBold += shown.bold[c] && shown.text[c] != u'\r' ? 1 : 0;
        }
        EXPECT_EQ(shownBold, boldCharacters);
        std::size_t from = 0;
        for (const std::string& bold : boldTexts) {
            const std::size_t at = shown.text.find(Utf16(bold), from);
            ASSERT_NE(at, std::u16string::npos) << bold;
            for (std::size_t c = at; c < at + Utf16(bold).size(); ++c) {
                EXPECT_TRUE(shown.bold[c]) << bold;
            }
            from = at + Utf16(bold).size();
        }
    }
}

TEST(HelpPages, TintviewsHelpReadsBackPageForTopicWithEveryJumpInPlace) {
    const helpc::HelpDocument document = helpc::ParseHelpSource(ReadSource());
    const std::string bytes = helpc::RenderHelpPages(document);
    const auto help = picker::ReadHelpPages(bytes);
    ASSERT_TRUE(help.has_value());
    EXPECT_EQ(help->title, "Tintview Help");
    ExpectPagesMatch(document, *help);
    const ShownText contents = Show(help->pages[0].rtf);
    EXPECT_NE(contents.text.find(u"Tintview composes a colour"), std::u16string::npos);
    // The contents lists every other topic.
    EXPECT_EQ(help->pages[0].jumps.size(), document.topics.size() - 1);
}

TEST(HelpPages, MarksCharactersBeyondAsciiAndBoldInsideJumps) {
    // Rich text's own marks, curly quotes, a character beyond the first plane (two units in the
    // control) before a jump, and a jump partly bold: the places still fall on the jump's text.
    helpc::HelpDocument document = helpc::ParseHelpSource(
        ":title T\n= Start {here} {#start}\nA \\\\ b {c} \xE2\x80\x9Cq\xE2\x80\x9D "
        "@ [**bold** jump](#second), [plain](#second).\n- [item](#start)\n"
        "== Head [x](#second)\n= Second {#second}\nNo jumps.\n");
    // The help file takes Windows-1252 only, so the source refuses such a character; the pages
    // are not bound to it.
    std::string& text = document.topics[0].blocks[0].runs[0].text;
    text.replace(text.find('@'), 1, "\xF0\x9F\x8E\xA8");
    const auto help = picker::ReadHelpPages(helpc::RenderHelpPages(document));
    ASSERT_TRUE(help.has_value());
    ExpectPagesMatch(document, *help);
    const ShownText start = Show(help->pages[0].rtf);
    EXPECT_EQ(start.text.substr(0, 34), u"Start {here}\rA \\ b {c} \u201Cq\u201D \U0001F3A8 bold");
    ASSERT_EQ(help->pages[0].jumps.size(), 4u);
    EXPECT_EQ(help->pages[0].jumps[0].start, 30u);
    EXPECT_EQ(start.Range(help->pages[0].jumps[2].start - 3, 8), u"\r\u2022\titem\r");
    EXPECT_TRUE(help->pages[1].jumps.empty());
}

TEST(HelpPages, TheContentsTopicComesFirstAndJumpsCountPages) {
    const helpc::HelpDocument document = helpc::ParseHelpSource(
        ":title T\n:contents c\n= A {#a}\n[to c](#c)\n= B {#b}\n[to a](#a)\n= C {#c}\n"
        "[to b](#b) [to a](#a)\n");
    const auto help = picker::ReadHelpPages(helpc::RenderHelpPages(document));
    ASSERT_TRUE(help.has_value());
    ASSERT_EQ(help->pages.size(), 3u);
    EXPECT_EQ(help->pages[0].id, "c");
    EXPECT_EQ(help->pages[1].id, "a");
    EXPECT_EQ(help->pages[2].id, "b");
    ExpectPagesMatch(document, *help);
}

std::string Pages(const std::string& pages) {
    return "Prismel help pages 1\ntitle Help\n" + pages + "end\n";
}

TEST(HelpPages, ReadsTheFileFormAndRefusesAnyFaultInIt) {
    const std::string page = "page a\nlink 2 3 1\nlink 5 1 0\nrtf 4\n{x}\n\npage b\nrtf 0\n\n";
    const auto help = picker::ReadHelpPages(Pages(page));
    ASSERT_TRUE(help.has_value());
    EXPECT_EQ(help->title, "Help");
    ASSERT_EQ(help->pages.size(), 2u);
    EXPECT_EQ(help->pages[0].rtf, "{x}\n"); // the count, not the line end, bounds the text
    ASSERT_EQ(help->pages[0].jumps.size(), 2u);
    EXPECT_EQ(help->pages[0].jumps[0].start, 2u);
    EXPECT_EQ(help->pages[0].jumps[0].length, 3u);
    EXPECT_EQ(help->pages[0].jumps[0].target, 1u);
    EXPECT_EQ(help->pages[1].rtf, "");

    const std::string faults[] = {
        "",
        "Prismel help pages 2\ntitle Help\npage a\nrtf 0\n\nend\n",
        Pages(""),                                          // no page
        Pages("page a\nlink 0 1 1\nrtf 0\n\n"),             // a jump to a page that is not there
        Pages("page a\nlink 0 0 0\nrtf 0\n\n"),             // a jump of no characters
        Pages("page a\nlink 0 3 0\nlink 2 1 0\nrtf 0\n\n"), // jumps that overlap
        Pages("page a\nlink 0 1\nrtf 0\n\n"),               // a field missing
        Pages("page a\nlink 0 1 0 0\nrtf 0\n\n"),           // one too many
        Pages("page a\nlink -1 1 0\nrtf 0\n\n"),
        Pages("page a\nlink 99999999999 1 0\nrtf 0\n\n"),
        Pages("page a\nrtf 9\n{x}\n\n"),                       // the text runs past the end
        Pages("page a\nrtf 2\n{x}\n\n"),                       // no line end after the text
        Pages("page a\nlink 0 1 0\n"),                         // no text
        Pages("page a\nrtf 0\n\n") + "more",                   // something after the end
        "Prismel help pages 1\ntitle Help\npage a\nrtf 0\n\n", // no end
        "Prismel help pages 1\npage a\nrtf 0\n\nend\n",        // no title
    };
    for (const std::string& fault : faults) {
        EXPECT_FALSE(picker::ReadHelpPages(fault).has_value()) << fault;
    }
    // Every cut of a sound file is refused.
    const std::string whole = Pages(page);
    for (std::size_t size = 0; size < whole.size(); ++size) {
        EXPECT_FALSE(picker::ReadHelpPages(whole.substr(0, size)).has_value()) << size;
    }
}

TEST(HelpPages, FindsTheJumpUnderAPlaceAndTheNextOneEitherWay) {
    picker::HelpPage page;
    page.jumps = {{10, 5, 1}, {15, 3, 2}, {30, 4, 3}};
    EXPECT_EQ(picker::JumpAt(page, 9), nullptr);
    EXPECT_EQ(picker::JumpAt(page, 14)->target, 1u);
    EXPECT_EQ(picker::JumpAt(page, 15)->target, 2u); // adjacent jumps keep their own places
    EXPECT_EQ(picker::JumpAt(page, 34), nullptr);
    // Forward from the caret at the start through all three, then none; backward likewise.
    std::vector<std::size_t> forward, backward;
    for (auto jump = picker::NextJump(page, 0, 0, true); jump;
         jump = picker::NextJump(page, jump->start, jump->start + jump->length, true)) {
        forward.push_back(jump->target);
    }
    for (auto jump = picker::NextJump(page, 40, 40, false); jump;
         jump = picker::NextJump(page, jump->start, jump->start + jump->length, false)) {
        backward.push_back(jump->target);
    }
    EXPECT_EQ(forward, (std::vector<std::size_t>{1, 2, 3}));
    EXPECT_EQ(backward, (std::vector<std::size_t>{3, 2, 1}));
    EXPECT_EQ(picker::NextJump(page, 12, 12, true)->target, 2u); // from a caret inside a jump
}

} // namespace
