// The help source: what a well-formed one turns into, and a clear message with the right line
// for each kind of fault.
#include "source_parser.h"

#include <gtest/gtest.h>

namespace {

using helpc::BlockKind;
using helpc::ParseHelpSource;

const char* const kSource = R"(; a comment
:title Sample Help
:contents second

= First topic {#first}
Some **bold** text,
joined over two lines, and a [jump
to the second](#second) topic.

== A heading
- an item
  continued
- a \*literal\* star and a \[bracket\]

:book A book
= Second topic {#second}
Body.
)";

TEST(CSourceParser, ReadsTopicsBlocksRunsAndBooks) {
    const helpc::HelpDocument document = ParseHelpSource(kSource);
    EXPECT_EQ(document.title, "Sample Help");
    EXPECT_EQ(document.contentsId, "second");
    EXPECT_EQ(document.ContentsIndex(), 1u);
    ASSERT_EQ(document.topics.size(), 2u);

    const helpc::Topic& first = document.topics[0];
    EXPECT_EQ(first.id, "first");
    EXPECT_EQ(first.title, "First topic");
    EXPECT_EQ(first.book, "");
    EXPECT_EQ(first.line, 5);
    ASSERT_EQ(first.blocks.size(), 4u);

    const helpc::Block& paragraph = first.blocks[0];
    EXPECT_EQ(paragraph.kind, BlockKind::Paragraph);
    EXPECT_EQ(paragraph.line, 6);
    ASSERT_EQ(paragraph.runs.size(), 5u);
    EXPECT_EQ(paragraph.runs[0].text, "Some ");
    EXPECT_TRUE(paragraph.runs[1].bold);
    EXPECT_EQ(paragraph.runs[1].text, "bold");
    EXPECT_EQ(paragraph.runs[2].text, " text, joined over two lines, and a ");
    EXPECT_EQ(paragraph.runs[3].text, "jump to the second");
    EXPECT_EQ(paragraph.runs[3].jumpTarget, "second");
    EXPECT_EQ(paragraph.runs[4].jumpTarget, "");

    EXPECT_EQ(first.blocks[1].kind, BlockKind::Heading);
    EXPECT_EQ(first.blocks[1].runs[0].text, "A heading");
    EXPECT_EQ(first.blocks[2].kind, BlockKind::Bullet);
    EXPECT_EQ(first.blocks[2].runs[0].text, "an item continued");
    EXPECT_EQ(first.blocks[3].runs[0].text, "a *literal* star and a [bracket]");

    EXPECT_EQ(document.topics[1].book, "A book");
    EXPECT_EQ(document.topics[1].blocks[0].runs[0].text, "Body.");
}

TEST(CSourceParser, TheFirstTopicIsTheContentsUnlessNamedAndCrLfAndBomAreRead) {
    const auto document =
        ParseHelpSource("\xEF\xBB\xBF:title T\r\n= A {#a}\r\nText\r\n= B {#b}\r\n");
    EXPECT_EQ(document.contentsId, "a");
    EXPECT_EQ(document.topics[0].blocks[0].runs[0].text, "Text");
}

struct Fault {
    const char* source;
    int line;
    const char* message;
};

TEST(CSourceParser, FaultsAreReportedWithTheirLine) {
    const Fault faults[] = {
        {":title T\nText before any topic\n", 2, "before the first topic"},
        {":title T\n= A {#a}\n:colour red\n", 3, "unknown directive ':colour'"},
        {":title T\n:title U\n= A {#a}\n", 2, "already given on line 1"},
        {":title T\n= A {#a}\n:title U\n", 3, "before the first topic"},
        {":title\n= A {#a}\n", 1, "needs a value"},
        {":title A title far too long for the caption of the viewer window\n", 1, "at most 50"},
        {":title T\n= A\n", 2, "'= Title {#topic_id}'"},
        {":title T\n= A {#my-topic}\n", 2, "only letters, digits"},
        {":title T\n= A {#a}\n= B {#a}\n", 3, "already used on line 2"},
        {":title T\n= A {#Same}\n= B {#same}\n", 3, "same context hash"},
        {":title T\n= {#a}\n", 2, "title is empty"},
        {":title T\n= A = B {#a}\n", 2, "cannot contain '='"},
        {":title T\n= A {#a}\n=== Deep\n", 3, "a topic ('= Title"},
        {":title T\n= A {#a}\n\nOne **bold\nand on.\n", 4, "'**' opened here"},
        {":title T\n= A {#a}\nSee [this\n\n", 3, "no matching"},
        {":title T\n= A {#a}\nSee [this](#b).\n", 3, "unknown topic 'b'"},
        {":title T\n= A {#a}\nfirst line\nSee [this](b).\n", 4, "[text](#topic_id)"},
        {":title T\n= A {#a}\nSee [](#a).\n", 3, "needs text"},
        {":title T\n= A {#a}\nA [b [c](#a)\n", 3, "cannot contain '['"},
        {":title T\n= A {#a}\nA b] c\n", 3, "']' without '['"},
        {":title T\n= A {#a}\nA back\\slash\n", 3, "'\\\\' for a backslash"},
        {":title T\n= A {#a}\nA tick \xE2\x9C\x93\n", 3, "U+2713"},
        {":title T\n= A {#a}\nbroken \xC3\n", 3, "not valid UTF-8"},
        {":title T\n:contents z\n= A {#a}\n", 2, "names no topic"},
        {":title T\n", 0, "no topics"},
        {"= A {#a}\n", 0, "no ':title'"},
    };
    for (const Fault& fault : faults) {
        try {
            ParseHelpSource(fault.source);
            ADD_FAILURE() << "accepted:\n" << fault.source;
        } catch (const helpc::CSourceError& error) {
            EXPECT_EQ(error.Line(), fault.line) << fault.source << "\n" << error.what();
            EXPECT_NE(std::string(error.what()).find(fault.message), std::string::npos)
                << "expected '" << fault.message << "' in: " << error.what();
        }
    }
}

} // namespace
