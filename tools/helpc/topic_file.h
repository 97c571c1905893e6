// The topic file (|TOPIC): every topic's header and text records, chained in one list and laid
// into fixed-size blocks. Positions inside it come in two kinds: a TOPICPOS locates a record
// (block, byte offset in the block's data); a TOPICOFFSET locates a topic for the context map
// (block, characters of text before it in the same block).
#pragma once

#include "paragraph_record.h"

#include <cstdint>
#include <string>
#include <vector>

namespace helpc {

constexpr std::size_t kTopicBlockSize = 4096;
constexpr std::size_t kTopicBlockHeaderSize = 12;
constexpr std::size_t kLinkHeaderSize = 21;
constexpr std::size_t kTopicHeaderSize = 28;
// Every block's data is written as LZ77 literals (a flag byte before each eight bytes), so a
// block holds this many bytes of records: n + ceil(n / 8) <= 4096 - 12.
constexpr std::size_t kBlockCapacity = 3630;

constexpr std::uint32_t TopicPos(std::uint32_t block, std::uint32_t offset) {
    return 12 + block * 0x4000 + offset;
}
constexpr std::uint32_t TopicOffset(std::uint32_t block, std::uint32_t characters) {
    return block * 0x8000 + characters;
}

// Where each record lands. `sizes` are the records' whole sizes (header included) and
// `characters` what each adds to the topic offsets (0 for topic headers).
struct Placement {
    std::uint32_t block;
    std::uint32_t offset;           // bytes into the block's data
    std::uint32_t charactersBefore; // text characters earlier in the same block
};
// A record never straddles two blocks: one that does not fit starts the next block. A record
// larger than a block is a programming error (std::length_error).
std::vector<Placement> PlaceRecords(const std::vector<std::size_t>& sizes,
                                    const std::vector<unsigned>& characters);

struct TopicContent {
    std::string title; // Windows-1252
    std::vector<TextRecord> records;
};

struct TopicFile {
    Bytes data;
    std::vector<std::uint32_t> topicOffsets; // one per topic, in order
};

TopicFile WriteTopicFile(const std::vector<TopicContent>& topics);

} // namespace helpc
