// A small, strict reader of help files for the tests: it reads them the way the help viewer
// does (B+ tree searches that stop at the first greater key, topic offsets counted from the text
// records) and throws ReadError at anything a viewer would misread: sizes that disagree, unsorted
// trees, broken record chains, stored positions that differ from the computed ones.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace hlp_reader {

using Bytes = std::vector<std::uint8_t>;

class ReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The viewer's integer decoders: the low bit of the first byte selects the long form.
long FetchLong(const std::uint8_t*& at);
unsigned FetchUnsignedShort(const std::uint8_t*& at);
int FetchShort(const std::uint8_t*& at);

// Decodes one LZ77 stream as the viewer does: a flag byte, then eight items, a set bit being a
// two-byte back-reference (length 3 to 18, distance 1 to 4096).
Bytes DecompressLz77(const std::uint8_t* begin, const std::uint8_t* end);

// A B+ tree of one internal file. Keys are NUL-terminated strings or 4-byte integers; values
// are 4-byte integers or NUL-terminated strings.
enum class Field { StringZ, Int32, UInt32 };
struct TreeEntry {
    Bytes key;
    Bytes value;
};
class BTree {
public:
    BTree(const std::uint8_t* data, std::size_t size, Field key, Field value);
    // Every leaf entry, from the leftmost leaf along the chain; checks links, counts, order.
    std::vector<TreeEntry> Entries() const;
    // Searches as the viewer does.
    std::optional<TreeEntry> Find(const Bytes& key) const;
    int Levels() const;
    int PageCount() const;

private:
    std::size_t FieldSize(Field field, const std::uint8_t* at) const;
    int Compare(const Bytes& a, const Bytes& b) const;
    const std::uint8_t* Page(int number) const;

    const std::uint8_t* data_;
    std::size_t size_;
    Field key_;
    Field value_;
};

struct Jump {
    std::int32_t hash;
    std::string label;
};

struct Paragraph {
    std::string text; // tabs as '\t', Windows-1252
    std::vector<Jump> jumps;
    std::vector<std::uint16_t> fonts; // every font change, in order
    std::uint16_t bits = 0;
};

struct ReadTopic {
    std::string title;
    std::uint32_t offset = 0;   // computed as the viewer computes it
    std::uint32_t position = 0; // the header record's TOPICPOS
    std::uint32_t browseBack = 0;
    std::uint32_t browseForward = 0;
    std::vector<Paragraph> paragraphs;
};

// Where a record of the topic file lies: its TOPICPOS and whole size.
struct RecordSpan {
    std::uint32_t position;
    std::uint32_t size;
};

struct TopicFileContents {
    std::vector<ReadTopic> topics;
    std::vector<RecordSpan> records;
    std::size_t blockCount = 0;
};

// Reads a topic file alone: every block, the record chain and each topic.
TopicFileContents ReadTopicFile(const std::uint8_t* data, std::size_t size);

class HlpFile {
public:
    explicit HlpFile(Bytes bytes);

    std::vector<std::string> DirectoryNames() const;
    std::string Title() const { return title_; }
    std::uint32_t ContentsOffset() const { return contentsOffset_; }
    std::string WindowCaption() const { return caption_; }
    const std::vector<ReadTopic>& Topics() const { return topics_.topics; }
    std::size_t TopicBlockCount() const { return topics_.blockCount; }
    // The topic the viewer shows for a context hash: |CONTEXT gives an offset, and the topic
    // shown is the one with the largest offset not above it. Null when the hash is not found.
    const ReadTopic* TopicByContextHash(std::int32_t hash) const;
    const ReadTopic* TopicAtOffset(std::uint32_t offset) const;
    BTree Tree(const std::string& name, Field key, Field value) const;

private:
    std::pair<const std::uint8_t*, std::size_t> HeaderAt(std::uint32_t at,
                                                         const std::string& name) const;
    BTree Directory() const;
    std::pair<const std::uint8_t*, std::size_t> InternalFile(const std::string& name) const;
    void ReadSystem();
    void CheckStoredOffsets() const;

    Bytes bytes_;
    std::string title_;
    std::string caption_;
    std::uint32_t contentsOffset_ = 0xFFFFFFFF;
    TopicFileContents topics_;
};

Bytes ReadFileBytes(const std::string& path);

} // namespace hlp_reader
