// Whole help files compiled from sources and read back by the test reader, which reads them as
// the help viewer does and checks every structure on the way.
#include "contents_file.h"
#include "context_hash.h"
#include "font_table.h"
#include "help_file.h"
#include "hlp_reader.h"
#include "html_rendering.h"
#include "source_parser.h"
#include "windows1252.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

using hlp_reader::HlpFile;

const char* const kSource = ":title Sample Help\n"
                            ":copyright (c) Sample\n"
                            "\n"
                            "= Contents {#contents}\n"
                            "Start **here**, or read [the second topic](#second).\n"
                            "\n"
                            "== Topics\n"
                            "- [Second](#second)\n"
                            "\n"
                            ":book Details\n"
                            "= Second topic {#second}\n"
                            "Caf\xC3\xA9 & \xE2\x80\x9Cquotes\xE2\x80\x9D.\n"
                            "= Third <topic> {#third.one}\n"
                            "Last.\n";

HlpFile Compile(const std::string& source) {
    return HlpFile(helpc::CompileHelpFile(helpc::ParseHelpSource(source), 0));
}

TEST(HelpFile, RoundTripsDirectorySystemTopicsAndContextIds) {
    const HlpFile file = Compile(kSource);
    EXPECT_EQ(file.DirectoryNames(),
              (std::vector<std::string>{"|CONTEXT", "|FONT", "|SYSTEM", "|TOPIC", "|TTLBTREE"}));
    EXPECT_EQ(file.Title(), "Sample Help");
    EXPECT_EQ(file.WindowCaption(), "Sample Help");

    const auto& topics = file.Topics();
    ASSERT_EQ(topics.size(), 3u);
    EXPECT_EQ(file.ContentsOffset(), topics[0].offset);
    EXPECT_EQ(topics[2].title, "Third <topic>");
    for (const char* id : {"contents", "second", "third.one"}) {
        const hlp_reader::ReadTopic* topic = file.TopicByContextHash(helpc::ContextHash(id));
        ASSERT_NE(topic, nullptr) << id;
        EXPECT_EQ(topic, &topics[id[0] == 'c' ? 0 : id[0] == 's' ? 1 : 2]) << id;
    }
    EXPECT_EQ(file.TopicByContextHash(helpc::ContextHash("missing")), nullptr);

    // Each topic opens with its title in the title font.
    const auto& contents = topics[0].paragraphs;
    ASSERT_EQ(contents.size(), 4u);
    EXPECT_EQ(contents[0].text, "Contents");
    EXPECT_EQ(contents[0].fonts, std::vector<std::uint16_t>{helpc::kTitleFont});
    EXPECT_EQ(contents[1].text, "Start here, or read the second topic.");
    EXPECT_EQ(contents[1].fonts,
              (std::vector<std::uint16_t>{helpc::kBodyFont, helpc::kBoldFont, helpc::kBodyFont}));
    ASSERT_EQ(contents[1].jumps.size(), 1u);
    EXPECT_EQ(contents[1].jumps[0].label, "the second topic");
    EXPECT_EQ(contents[1].jumps[0].hash, helpc::ContextHash("second"));
    EXPECT_EQ(contents[2].text, "Topics");
    EXPECT_EQ(contents[2].fonts, std::vector<std::uint16_t>{helpc::kHeadingFont});
    EXPECT_EQ(contents[3].text, "\x95\tSecond");
    EXPECT_EQ(topics[1].paragraphs[1].text, "Caf\xE9 & \x93quotes\x94.");
}

TEST(HelpFile, ContentsTopicMayBeAnyTopic) {
    const HlpFile file = Compile(":title T\n:contents b\n= A {#a}\nx\n= B {#b}\ny\n");
    EXPECT_EQ(file.ContentsOffset(), file.Topics()[1].offset);
}

// Enough topics for several leaves in both trees and many topic blocks.
TEST(HelpFile, ThreeHundredTopicsAreAllFoundByContextId) {
    std::ostringstream source;
    source << ":title Large\n";
    for (int t = 0; t < 300; ++t) {
        source << "= Topic number " << t << " of the large help {#topic_" << t << "}\n"
               << "Paragraph " << std::string(static_cast<std::size_t>(t % 150), 'x')
               << " see [the next one](#topic_" << (t + 1) % 300 << ").\n\n- an item\n";
    }
    const HlpFile file = Compile(source.str());
    ASSERT_EQ(file.Topics().size(), 300u);
    EXPECT_EQ(file.Tree("|CONTEXT", hlp_reader::Field::Int32, hlp_reader::Field::UInt32).Levels(),
              2);
    EXPECT_GT(
        file.Tree("|TTLBTREE", hlp_reader::Field::UInt32, hlp_reader::Field::StringZ).Levels(), 1);
    EXPECT_GT(file.TopicBlockCount(), 10u);
    for (int t = 0; t < 300; ++t) {
        const std::string id = "topic_" + std::to_string(t);
        const auto* topic = file.TopicByContextHash(helpc::ContextHash(id));
        ASSERT_NE(topic, nullptr) << id;
        EXPECT_EQ(topic->title, "Topic number " + std::to_string(t) + " of the large help");
    }
}

TEST(HelpFile, AParagraphTooLongForABlockIsASourceFaultAtItsLine) {
    const std::string source =
        ":title T\n= A {#a}\nShort.\n\n" + std::string(3700, 'w') + "\nmore\n";
    try {
        helpc::CompileHelpFile(helpc::ParseHelpSource(source), 0);
        FAIL() << "compiled";
    } catch (const helpc::CSourceError& error) {
        EXPECT_EQ(error.Line(), 5);
        EXPECT_NE(std::string(error.what()).find("too long"), std::string::npos);
    }
    // Just within the limit, it compiles.
    const std::string fits = ":title T\n= A {#a}\n" + std::string(3560, 'w') + "\n";
    EXPECT_EQ(Compile(fits).Topics()[0].paragraphs[1].text.size(), 3560u);
}

TEST(HelpFile, TintviewsOwnHelpCompilesWithEveryTopicAndJumpReachable) {
    std::ifstream in(PRISMEL_HELP_SOURCE, std::ios::binary);
    ASSERT_TRUE(in) << PRISMEL_HELP_SOURCE;
    std::stringstream text;
    text << in.rdbuf();
    const helpc::HelpDocument document = helpc::ParseHelpSource(text.str());
    const HlpFile file(helpc::CompileHelpFile(document, 0));

    EXPECT_GE(file.Topics().size(), 20u);
    EXPECT_GE(file.TopicBlockCount(), 2u);
    EXPECT_EQ(file.Title(), "Tintview Help");
    EXPECT_EQ(file.ContentsOffset(), file.Topics().front().offset);
    for (const helpc::Topic& topic : document.topics) {
        const auto* read = file.TopicByContextHash(helpc::ContextHash(topic.id));
        ASSERT_NE(read, nullptr) << topic.id;
        EXPECT_EQ(read->title, helpc::ToWindows1252(topic.title));
        EXPECT_GT(read->paragraphs.size(), 1u) << topic.id << " has no text";
        for (const auto& paragraph : read->paragraphs) {
            for (const auto& jump : paragraph.jumps) {
                EXPECT_NE(file.TopicByContextHash(jump.hash), nullptr) << jump.label;
            }
        }
    }
}

TEST(ContentsFile, ListsEveryTopicUnderItsBook) {
    const auto document = helpc::ParseHelpSource(kSource);
    EXPECT_EQ(helpc::WriteContentsFile(document, "Sample.HLP"),
              ":Base Sample.HLP\r\n:Title Sample Help\r\n1 Contents=contents\r\n1 Details\r\n"
              "2 Second topic=second\r\n2 Third <topic>=third.one\r\n");
}

TEST(HtmlRendering, EscapesTextAndLinksJumpsToTopicAnchors) {
    const std::string html = helpc::RenderHtml(helpc::ParseHelpSource(kSource));
    EXPECT_NE(html.find("<title>Sample Help</title>"), std::string::npos);
    EXPECT_NE(html.find("<section id=\"third.one\">\n<h1>Third &lt;topic&gt;</h1>"),
              std::string::npos);
    EXPECT_NE(html.find("<p>Start <b>here</b>, or read <a href=\"#second\">the second "
                        "topic</a>.</p>"),
              std::string::npos);
    EXPECT_NE(html.find("<ul>\n<li><a href=\"#second\">Second</a></li>\n</ul>"), std::string::npos);
    EXPECT_NE(html.find("Caf\xC3\xA9 &amp; \xE2\x80\x9Cquotes\xE2\x80\x9D"), std::string::npos);
}

TEST(HtmlRendering, PutsTheContentsTopicFirst) {
    const std::string html =
        helpc::RenderHtml(helpc::ParseHelpSource(":title T\n:contents b\n= A {#a}\n= B {#b}\n"));
    EXPECT_LT(html.find("id=\"b\""), html.find("id=\"a\""));
}

} // namespace
