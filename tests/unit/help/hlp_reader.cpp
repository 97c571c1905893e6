#include "hlp_reader.h"

#include "little_endian.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace hlp_reader {
namespace {

constexpr std::uint32_t kNone = 0xFFFFFFFF;
constexpr std::size_t kBlockSize = 4096;

constexpr auto U16 = binary::ReadU16;
constexpr auto I16 = binary::ReadI16;
constexpr auto U32 = binary::ReadU32;

void Require(bool holds, const std::string& what) {
    if (!holds) {
        throw ReadError(what);
    }
}

// A NUL-terminated string that must end before `end`.
std::string StringAt(const std::uint8_t* at, const std::uint8_t* end) {
    const auto* nul = std::find(at, end, 0);
    Require(nul != end, "string without its NUL");
    return std::string(at, nul);
}

Bytes ToBytes(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

struct HeaderFields {
    std::uint32_t blockSize, nonScroll, scroll, nextTopic;
    std::vector<std::uint32_t> textPositions;
    std::uint32_t recordsSize = 0;
};

Paragraph ReadParagraph(const std::uint8_t* data1, const std::uint8_t* end1,
                        const std::uint8_t* data2, const std::uint8_t* end2) {
    Paragraph paragraph;
    const std::uint8_t* at = data1;
    Require(FetchLong(at) == end2 - data2, "TopicSize differs from the strings' length");
    const unsigned length = FetchUnsignedShort(at);
    at += 4;
    paragraph.bits = U16(at);
    at += 2;
    const std::uint16_t bits = paragraph.bits;
    if (bits & 0x0001) {
        FetchLong(at);
    }
    for (std::uint16_t bit : {0x0002, 0x0004, 0x0008, 0x0010, 0x0020, 0x0040}) {
        if (bits & bit) {
            FetchShort(at);
        }
    }
    if (bits & 0x0100) {
        at += 3;
    }
    if (bits & 0x0200) {
        for (int tabs = FetchShort(at); tabs > 0; --tabs) {
            if (FetchUnsignedShort(at) & 0x4000) {
                FetchUnsignedShort(at);
            }
        }
    }
    unsigned counted = 0;
    const std::uint8_t* strings = data2;
    Jump* open = nullptr;
    for (bool ended = false; !ended;) {
        // One string, then one code.
        const std::string text = StringAt(strings, end2);
        strings += text.size() + 1;
        paragraph.text += text;
        counted += static_cast<unsigned>(text.size());
        if (open) {
            open->label += text;
        }
        Require(at < end1, "format codes end without 0xFF");
        switch (*at++) {
        case 0xFF:
            ended = true;
            break;
        case 0x80:
            Require(end1 - at >= 2, "cut font change");
            paragraph.fonts.push_back(U16(at));
            at += 2;
            break;
        case 0x81:
        case 0x82:
            paragraph.text += '\n';
            ++counted;
            break;
        case 0x83:
            paragraph.text += '\t';
            ++counted;
            break;
        case 0xE3:
            Require(end1 - at >= 4 && !open, "bad jump start");
            paragraph.jumps.push_back({static_cast<std::int32_t>(U32(at)), ""});
            open = &paragraph.jumps.back();
            at += 4;
            break;
        case 0x89:
            Require(open != nullptr, "jump end without a start");
            open = nullptr;
            break;
        default:
            throw ReadError("unexpected format code " + std::to_string(at[-1]));
        }
    }
    Require(at == end1, "bytes after the format codes");
    Require(strings == end2, "more strings than codes");
    Require(counted == length, "TopicLength " + std::to_string(length) + " but " +
                                   std::to_string(counted) + " characters");
    Require(!open, "jump not closed");
    if (!paragraph.text.empty() && paragraph.text.back() == '\n') {
        paragraph.text.pop_back();
    }
    return paragraph;
}

} // namespace

long FetchLong(const std::uint8_t*& at) {
    if (*at & 1) {
        const long raw = static_cast<long>(U32(at));
        at += 4;
        return (raw - 1 - 0x80000000L) / 2;
    }
    const long raw = U16(at);
    at += 2;
    return (raw - 0x8000) / 2;
}

unsigned FetchUnsignedShort(const std::uint8_t*& at) {
    if (*at & 1) {
        const unsigned raw = U16(at);
        at += 2;
        return raw / 2;
    }
    return *at++ / 2u;
}

int FetchShort(const std::uint8_t*& at) {
    if (*at & 1) {
        const int raw = U16(at);
        at += 2;
        return (raw - 1 - 0x8000) / 2;
    }
    return (*at++ - 0x80) / 2;
}

Bytes DecompressLz77(const std::uint8_t* begin, const std::uint8_t* end) {
    Bytes out;
    for (const std::uint8_t* at = begin; at < end;) {
        unsigned flags = *at++;
        for (int i = 0; i < 8 && at < end; ++i, flags >>= 1) {
            if (flags & 1) {
                Require(end - at >= 2, "cut back-reference");
                const unsigned code = U16(at);
                at += 2;
                const std::size_t distance = (code & 0xFFF) + 1;
                Require(distance <= out.size(), "back-reference before the block's start");
                for (unsigned n = 3 + (code >> 12); n > 0; --n) {
                    out.push_back(out[out.size() - distance]);
                }
            } else {
                out.push_back(*at++);
            }
        }
    }
    return out;
}

TopicFileContents ReadTopicFile(const std::uint8_t* data, std::size_t size) {
    TopicFileContents contents;
    Require(size > 0 && size % kBlockSize == 0, "|TOPIC is not whole blocks");
    contents.blockCount = size / kBlockSize;
    std::vector<Bytes> blocks;
    for (std::size_t b = 0; b < contents.blockCount; ++b) {
        const std::uint8_t* block = data + b * kBlockSize;
        blocks.push_back(DecompressLz77(block + 12, block + kBlockSize));
    }

    std::vector<HeaderFields> headers;
    std::uint32_t position = 12;
    std::uint32_t previous = kNone;
    std::uint32_t lastHeader = kNone;
    std::size_t nextBlock = 0; // the first block not yet entered
    std::uint32_t characters = 0;
    std::size_t records = 0;
    while (position != kNone) {
        Require(++records < 1000000, "record chain loops");
        const std::size_t block = (position - 12) >> 14;
        const std::size_t offset = (position - 12) & 0x3FFF;
        if (block == nextBlock) {
            const std::uint8_t* header = data + block * kBlockSize;
            Require(block < contents.blockCount, "record beyond the last block");
            Require(U32(header) == previous, "block header: last record of the previous block");
            Require(U32(header + 4) == position, "block header: first record");
            Require(U32(header + 8) == lastHeader, "block header: last topic header before");
            ++nextBlock;
            characters = 0;
        } else {
            Require(block + 1 == nextBlock, "record chain skips or goes back");
        }
        const Bytes& blockData = blocks[block];
        Require(offset + 21 <= blockData.size(), "record header outside its block");
        const std::uint8_t* record = blockData.data() + offset;
        const std::uint32_t recordSize = U32(record);
        const std::uint32_t length2 = U32(record + 4);
        const std::uint32_t length1 = U32(record + 16);
        Require(offset + recordSize <= blockData.size() && offset + recordSize <= 0x4000,
                "record straddles its block");
        Require(U32(record + 8) == previous, "record's previous link");
        Require(length1 >= 21 && length1 <= recordSize && length2 == recordSize - length1,
                "record lengths disagree");
        const std::uint8_t* data1 = record + 21;
        const std::uint8_t* data2 = record + length1;
        const std::uint8_t* end2 = record + recordSize;
        if (record[20] == 0x02) {
            Require(length1 == 21 + 28, "topic header size");
            ReadTopic topic;
            topic.title = StringAt(data2, end2);
            Require(topic.title.size() + 1 == length2, "bytes after the topic title");
            topic.offset = static_cast<std::uint32_t>(block * 0x8000 + characters);
            topic.position = position;
            topic.browseBack = U32(data1 + 4);
            topic.browseForward = U32(data1 + 8);
            Require(U32(data1 + 12) == contents.topics.size(), "topic number");
            headers.push_back(
                {U32(data1), U32(data1 + 16), U32(data1 + 20), U32(data1 + 24), {}, recordSize});
            contents.topics.push_back(topic);
            lastHeader = position;
        } else {
            Require(record[20] == 0x20, "unknown record type");
            Require(!contents.topics.empty(), "text before the first topic header");
            const std::uint8_t* at = data1;
            FetchLong(at);
            characters += FetchUnsignedShort(at);
            contents.topics.back().paragraphs.push_back(ReadParagraph(data1, data2, data2, end2));
            headers.back().textPositions.push_back(position);
            headers.back().recordsSize += recordSize;
        }
        contents.records.push_back({position, recordSize});
        previous = position;
        position = U32(record + 12);
    }
    Require(nextBlock == contents.blockCount, "blocks after the last record");
    Require(!contents.topics.empty(), "no topics");

    for (std::size_t t = 0; t < contents.topics.size(); ++t) {
        const HeaderFields& fields = headers[t];
        const bool last = t + 1 == contents.topics.size();
        Require(contents.topics[t].browseBack == (t == 0 ? kNone : contents.topics[t - 1].offset),
                "BrowseBck");
        Require(contents.topics[t].browseForward == (last ? kNone : contents.topics[t + 1].offset),
                "BrowseFor");
        Require(fields.nextTopic == (last ? kNone : contents.topics[t + 1].position), "NextTopic");
        Require(fields.nonScroll == kNone, "NonScroll");
        Require(fields.scroll ==
                    (fields.textPositions.empty() ? kNone : fields.textPositions.front()),
                "Scroll");
        Require(fields.blockSize == fields.recordsSize, "topic BlockSize");
    }
    for (std::size_t t = 1; t < contents.topics.size(); ++t) {
        Require(contents.topics[t].offset > contents.topics[t - 1].offset,
                "topic offsets not increasing");
    }
    return contents;
}

BTree::BTree(const std::uint8_t* data, std::size_t size, Field key, Field value)
    : data_(data), size_(size), key_(key), value_(value) {
    Require(size >= 38 && U16(data) == 0x293B, "B+ tree magic");
    Require(I16(data + 22) == 0 && I16(data + 28) == -1, "B+ tree fixed fields");
    Require(size == 38 + static_cast<std::size_t>(PageCount()) * U16(data + 4),
            "B+ tree size differs from its pages");
    Require(I16(data + 26) >= 0 && I16(data + 26) < PageCount(), "B+ tree root page");
}

int BTree::Levels() const {
    return I16(data_ + 32);
}
int BTree::PageCount() const {
    return I16(data_ + 30);
}

const std::uint8_t* BTree::Page(int number) const {
    Require(number >= 0 && number < PageCount(), "page number out of range");
    return data_ + 38 + static_cast<std::size_t>(number) * U16(data_ + 4);
}

std::size_t BTree::FieldSize(Field field, const std::uint8_t* at) const {
    if (field != Field::StringZ) {
        return 4;
    }
    return StringAt(at, data_ + size_).size() + 1;
}

int BTree::Compare(const Bytes& a, const Bytes& b) const {
    switch (key_) {
    case Field::StringZ:
        return std::strcmp(reinterpret_cast<const char*>(a.data()),
                           reinterpret_cast<const char*>(b.data()));
    case Field::Int32: {
        const auto x = static_cast<std::int32_t>(U32(a.data()));
        const auto y = static_cast<std::int32_t>(U32(b.data()));
        return x < y ? -1 : x > y;
    }
    case Field::UInt32:
        return U32(a.data()) < U32(b.data()) ? -1 : U32(a.data()) > U32(b.data());
    }
    return 0;
}

std::vector<TreeEntry> BTree::Entries() const {
    const std::uint16_t pageSize = U16(data_ + 4);
    int page = I16(data_ + 26);
    for (int level = Levels(); level > 1; --level) {
        page = I16(Page(page) + 4); // an index page's first child
    }
    std::vector<TreeEntry> entries;
    int previous = -1;
    int leaves = 0;
    while (page != -1) {
        const std::uint8_t* leaf = Page(page);
        Require(I16(leaf + 4) == previous, "leaf's previous-page link");
        Require(++leaves <= PageCount(), "leaf chain loops");
        const std::uint8_t* at = leaf + 8;
        for (int i = 0; i < I16(leaf + 2); ++i) {
            const std::size_t keySize = FieldSize(key_, at);
            const std::size_t size = keySize + FieldSize(value_, at + keySize);
            TreeEntry entry{Bytes(at, at + keySize), Bytes(at + keySize, at + size)};
            Require(entries.empty() || Compare(entries.back().key, entry.key) < 0,
                    "B+ tree keys out of order");
            entries.push_back(std::move(entry));
            at += size;
        }
        Require(U16(leaf) == pageSize - (at - leaf), "leaf's unused-space field");
        previous = page;
        page = I16(leaf + 6);
    }
    Require(entries.size() == U32(data_ + 34), "B+ tree entry count");
    return entries;
}

std::optional<TreeEntry> BTree::Find(const Bytes& key) const {
    int page = I16(data_ + 26);
    for (int level = Levels(); level > 1; --level) {
        const std::uint8_t* index = Page(page);
        const std::uint8_t* at = index + 6;
        for (int i = 0; i < I16(index + 2); ++i) {
            const std::size_t keySize = FieldSize(key_, at);
            if (Compare(Bytes(at, at + keySize), key) > 0) {
                break;
            }
            at += keySize + 2;
        }
        page = I16(at - 2); // the entry's page, or the header's first child
    }
    const std::uint8_t* leaf = Page(page);
    const std::uint8_t* at = leaf + 8;
    for (int i = 0; i < I16(leaf + 2); ++i) {
        const std::size_t keySize = FieldSize(key_, at);
        const std::size_t size = keySize + FieldSize(value_, at + keySize);
        const Bytes entryKey(at, at + keySize);
        const int order = Compare(entryKey, key);
        if (order == 0) {
            return TreeEntry{entryKey, Bytes(at + keySize, at + size)};
        }
        if (order > 0) {
            return std::nullopt;
        }
        at += size;
    }
    return std::nullopt;
}

HlpFile::HlpFile(Bytes bytes) : bytes_(std::move(bytes)) {
    Require(bytes_.size() >= 16 && U32(bytes_.data()) == 0x00035F3F, "file magic");
    Require(U32(bytes_.data() + 12) == bytes_.size(), "EntireFileSize differs from the length");
    for (const std::string& name : DirectoryNames()) {
        InternalFile(name);
    }
    ReadSystem();
    const auto [topicData, topicSize] = InternalFile("|TOPIC");
    topics_ = ReadTopicFile(topicData, topicSize);
    CheckStoredOffsets();
}

std::pair<const std::uint8_t*, std::size_t> HlpFile::HeaderAt(std::uint32_t at,
                                                              const std::string& name) const {
    Require(at + 9 <= bytes_.size(), "internal file header outside the file");
    const std::uint32_t reserved = U32(bytes_.data() + at);
    const std::uint32_t used = U32(bytes_.data() + at + 4);
    Require(reserved == used + 9, "ReservedSpace is not UsedSpace + 9 in " + name);
    Require(at + reserved <= bytes_.size(), "internal file " + name + " passes the end");
    return {bytes_.data() + at + 9, used};
}

BTree HlpFile::Directory() const {
    const auto [data, size] = HeaderAt(U32(bytes_.data() + 4), "the directory");
    return BTree(data, size, Field::StringZ, Field::UInt32);
}

std::pair<const std::uint8_t*, std::size_t> HlpFile::InternalFile(const std::string& name) const {
    Bytes key(name.begin(), name.end());
    key.push_back(0);
    const auto entry = Directory().Find(key);
    Require(entry.has_value(), "no internal file " + name);
    return HeaderAt(U32(entry->value.data()), name);
}

BTree HlpFile::Tree(const std::string& name, Field key, Field value) const {
    const auto [data, size] = InternalFile(name);
    return BTree(data, size, key, value);
}

std::vector<std::string> HlpFile::DirectoryNames() const {
    std::vector<std::string> names;
    for (const TreeEntry& entry : Directory().Entries()) {
        names.emplace_back(reinterpret_cast<const char*>(entry.key.data()));
    }
    return names;
}

void HlpFile::ReadSystem() {
    const auto [data, size] = InternalFile("|SYSTEM");
    Require(size >= 12 && U16(data) == 0x036C && U16(data + 2) == 21 && U16(data + 4) == 1,
            "|SYSTEM header");
    Require(U16(data + 10) == 4, "|SYSTEM flags: LZ77 with 4 KiB blocks");
    const std::uint8_t* end = data + size;
    for (const std::uint8_t* at = data + 12; at < end;) {
        Require(end - at >= 4 && end - at >= 4 + U16(at + 2), "|SYSTEM record passes the end");
        const std::uint16_t type = U16(at);
        const std::uint16_t length = U16(at + 2);
        const std::uint8_t* record = at + 4;
        if (type == 1 && title_.empty()) {
            title_ = StringAt(record, record + length);
        } else if (type == 3) {
            Require(length == 4, "|SYSTEM contents record size");
            contentsOffset_ = U32(record);
        } else if (type == 6) {
            Require(length == 90, "|SYSTEM window record size");
            caption_ = StringAt(record + 21, record + 72);
        }
        at = record + length;
    }
}

const ReadTopic* HlpFile::TopicAtOffset(std::uint32_t offset) const {
    const ReadTopic* found = nullptr;
    for (const ReadTopic& topic : topics_.topics) {
        if (topic.offset <= offset && (!found || found->offset < topic.offset)) {
            found = &topic;
        }
    }
    return found;
}

const ReadTopic* HlpFile::TopicByContextHash(std::int32_t hash) const {
    const auto entry = Tree("|CONTEXT", Field::Int32, Field::UInt32)
                           .Find(ToBytes(static_cast<std::uint32_t>(hash)));
    return entry ? TopicAtOffset(U32(entry->value.data())) : nullptr;
}

void HlpFile::CheckStoredOffsets() const {
    auto isTopicOffset = [&](std::uint32_t offset) {
        return std::any_of(topics_.topics.begin(), topics_.topics.end(),
                           [&](const ReadTopic& topic) { return topic.offset == offset; });
    };
    Require(isTopicOffset(contentsOffset_), "|SYSTEM contents offset is no topic's");
    for (const TreeEntry& entry : Tree("|CONTEXT", Field::Int32, Field::UInt32).Entries()) {
        Require(isTopicOffset(U32(entry.value.data())), "|CONTEXT offset is no topic's");
    }
    const auto titles = Tree("|TTLBTREE", Field::UInt32, Field::StringZ).Entries();
    const std::vector<ReadTopic>& topics = topics_.topics;
    Require(titles.size() == topics.size(), "|TTLBTREE does not list every topic");
    for (std::size_t t = 0; t < titles.size(); ++t) {
        Require(U32(titles[t].key.data()) == topics[t].offset, "|TTLBTREE offset");
        Require(reinterpret_cast<const char*>(titles[t].value.data()) == topics[t].title,
                "|TTLBTREE title");
    }
}

Bytes ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    Require(in.good(), "cannot read " + path);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace hlp_reader
