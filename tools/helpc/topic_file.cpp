#include "topic_file.h"

#include <stdexcept>

namespace helpc {
namespace {

constexpr std::uint8_t kTopicHeaderRecord = 0x02;
constexpr std::uint8_t kTextRecord = 0x20;
constexpr std::uint32_t kNone = 0xFFFFFFFF;

struct Record {
    std::uint8_t type;
    Bytes data1; // topic headers: filled in once every position is known
    Bytes data2;
    unsigned characters;
    std::size_t topic;

    std::size_t Size() const { return kLinkHeaderSize + data1.size() + data2.size(); }
};

std::vector<Record> CollectRecords(const std::vector<TopicContent>& topics) {
    std::vector<Record> records;
    for (std::size_t t = 0; t < topics.size(); ++t) {
        Bytes title(topics[t].title.begin(), topics[t].title.end());
        title.push_back(0);
        records.push_back({kTopicHeaderRecord, Bytes(kTopicHeaderSize), std::move(title), 0, t});
        for (const TextRecord& text : topics[t].records) {
            records.push_back({kTextRecord, text.data1, text.data2, text.characters, t});
        }
    }
    return records;
}

// Each block's data as LZ77 literals: a zero flag byte (eight literals) before every eight bytes.
void AppendLiterals(CByteWriter& out, const Bytes& data) {
    for (std::size_t at = 0; at < data.size(); at += 8) {
        out.U8(0);
        const std::size_t end = std::min(data.size(), at + 8);
        out.Append(Bytes(data.begin() + static_cast<std::ptrdiff_t>(at),
                         data.begin() + static_cast<std::ptrdiff_t>(end)));
    }
}

} // namespace

std::vector<Placement> PlaceRecords(const std::vector<std::size_t>& sizes,
                                    const std::vector<unsigned>& characters) {
    std::vector<Placement> placements;
    Placement next{0, 0, 0};
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        if (sizes[i] > kBlockCapacity) {
            throw std::length_error("a record larger than a topic block");
        }
        if (next.offset + sizes[i] > kBlockCapacity) {
            next = {next.block + 1, 0, 0};
        }
        placements.push_back(next);
        next.offset += static_cast<std::uint32_t>(sizes[i]);
        next.charactersBefore += characters[i];
    }
    return placements;
}

TopicFile WriteTopicFile(const std::vector<TopicContent>& topics) {
    std::vector<Record> records = CollectRecords(topics);
    std::vector<std::size_t> sizes;
    std::vector<unsigned> characters;
    for (const Record& record : records) {
        sizes.push_back(record.Size());
        characters.push_back(record.characters);
    }
    const std::vector<Placement> places = PlaceRecords(sizes, characters);
    auto positionOf = [&](std::size_t i) {
        return i < records.size() ? TopicPos(places[i].block, places[i].offset) : kNone;
    };

    // Each topic's header record, its offset and the sum of its records' sizes.
    TopicFile file;
    std::vector<std::size_t> headers;
    std::vector<std::uint32_t> topicSizes(topics.size(), 0);
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].type == kTopicHeaderRecord) {
            headers.push_back(i);
            file.topicOffsets.push_back(TopicOffset(places[i].block, places[i].charactersBefore));
        }
        topicSizes[records[i].topic] += static_cast<std::uint32_t>(sizes[i]);
    }
    for (std::size_t t = 0; t < topics.size(); ++t) {
        const std::size_t header = headers[t];
        const bool hasText = header + 1 < records.size() && records[header + 1].topic == t;
        CByteWriter data1;
        data1.U32(topicSizes[t]);
        data1.U32(t == 0 ? kNone : file.topicOffsets[t - 1]);                 // browse back
        data1.U32(t + 1 == topics.size() ? kNone : file.topicOffsets[t + 1]); // browse forward
        data1.U32(static_cast<std::uint32_t>(t));                             // topic number
        data1.U32(kNone);                                    // no non-scrolling region
        data1.U32(hasText ? positionOf(header + 1) : kNone); // the scrolling region
        data1.U32(t + 1 == topics.size() ? kNone : positionOf(headers[t + 1]));
        records[header].data1 = data1.Take();
    }

    // The blocks: a header naming the neighbouring records, then the records chained in order.
    const std::uint32_t blockCount = records.empty() ? 1 : places.back().block + 1;
    CByteWriter out;
    std::size_t next = 0;
    std::uint32_t lastHeaderBefore = kNone;
    for (std::uint32_t block = 0; block < blockCount; ++block) {
        const std::size_t blockStart = out.Size();
        out.U32(next == 0 ? kNone : positionOf(next - 1));
        out.U32(positionOf(next));
        out.U32(lastHeaderBefore);
        CByteWriter data;
        for (; next < records.size() && places[next].block == block; ++next) {
            const Record& record = records[next];
            data.U32(static_cast<std::uint32_t>(record.Size()));
            data.U32(static_cast<std::uint32_t>(record.data2.size()));
            data.U32(next == 0 ? kNone : positionOf(next - 1));
            data.U32(positionOf(next + 1));
            data.U32(static_cast<std::uint32_t>(kLinkHeaderSize + record.data1.size()));
            data.U8(record.type);
            data.Append(record.data1);
            data.Append(record.data2);
            if (record.type == kTopicHeaderRecord) {
                lastHeaderBefore = positionOf(next);
            }
        }
        AppendLiterals(out, data.Data());
        out.Zeros(kTopicBlockSize - (out.Size() - blockStart));
    }
    file.data = out.Take();
    return file;
}

} // namespace helpc
