// How records are laid into topic blocks: none straddles two blocks, and the positions and topic
// offsets that point at them are the ones the viewer computes when it reads the blocks back.
#include "hlp_reader.h"
#include "paragraph_record.h"
#include "topic_file.h"

#include <gtest/gtest.h>

namespace {

using helpc::kBlockCapacity;
using helpc::PlaceRecords;

TEST(TopicLayout, ABlockHoldsExactlyWhatItsLiteralStreamCanCarry) {
    // n bytes of literals take n + ceil(n / 8) bytes of stream, and a block has 4084 of them.
    const std::size_t n = kBlockCapacity;
    EXPECT_LE(n + (n + 7) / 8, helpc::kTopicBlockSize - helpc::kTopicBlockHeaderSize);
    EXPECT_GT(n + 1 + (n + 8) / 8, helpc::kTopicBlockSize - helpc::kTopicBlockHeaderSize);
}

TEST(TopicLayout, ARecordThatDoesNotFitStartsTheNextBlock) {
    const auto exact = PlaceRecords({1000, 2000, 630, 10}, {0, 5, 7, 1});
    ASSERT_EQ(exact.size(), 4u);
    EXPECT_EQ(exact[2].block, 0u); // 3630 bytes fill block 0 exactly
    EXPECT_EQ(exact[2].offset, 3000u);
    EXPECT_EQ(exact[2].charactersBefore, 5u);
    EXPECT_EQ(exact[3].block, 1u);
    EXPECT_EQ(exact[3].offset, 0u);
    EXPECT_EQ(exact[3].charactersBefore, 0u); // the count restarts in every block

    const auto over = PlaceRecords({1000, 2000, 631}, {0, 0, 0});
    EXPECT_EQ(over[2].block, 1u);
    EXPECT_EQ(over[2].offset, 0u);

    EXPECT_THROW(PlaceRecords({kBlockCapacity + 1}, {0}), std::length_error);
    EXPECT_EQ(PlaceRecords({kBlockCapacity, kBlockCapacity}, {0, 0})[1].block, 1u);
}

TEST(TopicLayout, PositionsAndOffsetsUseTheFormatsBlockStrides) {
    EXPECT_EQ(helpc::TopicPos(0, 0), 0x0Cu);
    EXPECT_EQ(helpc::TopicPos(1, 0), 0x400Cu);
    EXPECT_EQ(helpc::TopicPos(2, 100), 0x800Cu + 100);
    EXPECT_EQ(helpc::TopicOffset(0, 0xA7), 0xA7u);
    EXPECT_EQ(helpc::TopicOffset(1, 0), 0x8000u);
}

helpc::TextRecord Paragraph(const std::string& text) {
    return helpc::EncodeParagraph({0, 6, 0, 0, false, false}, {{text, 0, {}}});
}

TEST(TopicLayout, TopicsAcrossManyBlocksReadBackWithTheirOffsets) {
    std::vector<helpc::TopicContent> topics;
    for (int t = 0; t < 12; ++t) {
        helpc::TopicContent topic{"Topic " + std::to_string(t), {}};
        for (int p = 0; p < 3; ++p) {
            topic.records.push_back(Paragraph(std::string(500 + 97 * t, char('a' + p))));
        }
        topics.push_back(topic);
    }
    const helpc::TopicFile file = helpc::WriteTopicFile(topics);
    ASSERT_EQ(file.data.size() % helpc::kTopicBlockSize, 0u);

    // The reader checks every chain link, block header and topic header field.
    const hlp_reader::TopicFileContents read =
        hlp_reader::ReadTopicFile(file.data.data(), file.data.size());
    EXPECT_EQ(read.blockCount, file.data.size() / helpc::kTopicBlockSize);
    EXPECT_GE(read.blockCount, 6u);
    for (const hlp_reader::RecordSpan& record : read.records) {
        EXPECT_LE(((record.position - 12) & 0x3FFF) + record.size, kBlockCapacity);
    }
    ASSERT_EQ(read.topics.size(), topics.size());
    ASSERT_EQ(file.topicOffsets.size(), topics.size());
    for (std::size_t t = 0; t < topics.size(); ++t) {
        EXPECT_EQ(read.topics[t].title, topics[t].title);
        EXPECT_EQ(read.topics[t].offset, file.topicOffsets[t]) << t;
        ASSERT_EQ(read.topics[t].paragraphs.size(), 3u);
        EXPECT_EQ(read.topics[t].paragraphs[2].text, std::string(500 + 97 * t, 'c'));
    }
}

// The reader is only worth its checks if it notices damage: each of these would make the viewer
// show the wrong text or none.
TEST(TopicLayout, TheReaderRejectsDamagedTopicFiles) {
    std::vector<helpc::TopicContent> topics;
    for (int t = 0; t < 4; ++t) {
        topics.push_back({"T" + std::to_string(t), {Paragraph(std::string(2000, 'p'))}});
    }
    const helpc::Bytes good = helpc::WriteTopicFile(topics).data;
    ASSERT_NO_THROW(hlp_reader::ReadTopicFile(good.data(), good.size()));

    auto damaged = [&](std::size_t at, std::uint8_t value) {
        helpc::Bytes bytes = good;
        bytes.at(at) = value;
        return bytes;
    };
    // Where byte k of block 0's data lies in its literal stream: a flag byte before every eight.
    auto streamAt = [](std::size_t k) { return helpc::kTopicBlockHeaderSize + k + k / 8 + 1; };
    // Record 0 is the first topic's header (52 bytes), record 1 its paragraph.
    const helpc::Bytes wrongFirst = damaged(helpc::kTopicBlockSize + 4, 0x0D); // block 1's first
    const helpc::Bytes wrongLink = damaged(streamAt(12), 0x41); // record 0's next link
    const std::size_t lengthAt = streamAt(52 + 21 + 2);         // record 1's TopicLength
    const helpc::Bytes wrongLength = damaged(lengthAt, good.at(lengthAt) + 2);
    for (const helpc::Bytes* bytes : {&wrongFirst, &wrongLink, &wrongLength}) {
        EXPECT_THROW(hlp_reader::ReadTopicFile(bytes->data(), bytes->size()),
                     hlp_reader::ReadError);
    }
    EXPECT_THROW(hlp_reader::ReadTopicFile(good.data(), good.size() - helpc::kTopicBlockSize),
                 hlp_reader::ReadError);
}

TEST(ParagraphRecord, CodesAndStringsGoInStepAndCountTheCharacters) {
    // "See **also**: [jump](#x)." as spans, then read back as the viewer reads it.
    const helpc::TextRecord record = helpc::EncodeParagraph(
        {0, 6, 0, 0, false, false},
        {{"See ", 0, {}}, {"also", 1, {}}, {": ", 0, {}}, {"jump", 0, 42}, {".", 0, {}}});
    EXPECT_EQ(record.characters, 4u + 4 + 2 + 4 + 1 + 1); // the paragraph end counts one
    // One string before each code: font 0, font 1, font 0, jump 42, jump end, paragraph end, end.
    const std::string strings(record.data2.begin(), record.data2.end());
    EXPECT_EQ(strings, std::string("\0See \0also\0: \0jump\0.\0\0", 22));
    const std::vector<std::uint8_t> codes(record.data1.end() - 17, record.data1.end());
    EXPECT_EQ(codes, (std::vector<std::uint8_t>{0x80, 0, 0, 0x80, 1, 0, 0x80, 0, 0, 0xE3, 42, 0, 0,
                                                0, 0x89, 0x82, 0xFF}));
}

} // namespace
