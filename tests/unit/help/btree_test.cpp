// B+ trees as the help viewer reads them: one page, then enough entries for several leaves and
// index levels, each key found by the viewer's own search.
#include "btree_writer.h"
#include "hlp_reader.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using helpc::Bytes;
using hlp_reader::BTree;
using hlp_reader::Field;

Bytes U32Bytes(std::uint32_t value) {
    helpc::CByteWriter out;
    out.U32(value);
    return out.Take();
}

// Context-map style entries: signed hashes in order, each mapped to a distinct value.
std::vector<helpc::BTreeEntry> SignedEntries(int count) {
    std::vector<std::int32_t> keys;
    for (int i = 0; i < count; ++i) {
        keys.push_back(static_cast<std::int32_t>(static_cast<std::uint32_t>(i) * 2654435761u));
    }
    std::sort(keys.begin(), keys.end());
    std::vector<helpc::BTreeEntry> entries;
    for (int i = 0; i < count; ++i) {
        entries.push_back({U32Bytes(static_cast<std::uint32_t>(keys[i])), U32Bytes(i * 7u)});
    }
    return entries;
}

const helpc::BTreeFormat kContext{0x0002, 0x0800, "L4"};

TEST(BTree, OnePageTreeHasTheHeaderTheViewerChecks) {
    const Bytes tree = helpc::WriteBTree(kContext, SignedEntries(3));
    ASSERT_EQ(tree.size(), helpc::kBTreeHeaderSize + 0x800);
    EXPECT_EQ(tree[0] | tree[1] << 8, 0x293B);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&tree[6])), "L4");
    const BTree read(tree.data(), tree.size(), Field::Int32, Field::UInt32);
    EXPECT_EQ(read.Levels(), 1);
    EXPECT_EQ(read.PageCount(), 1);
    EXPECT_EQ(read.Entries().size(), 3u);
}

TEST(BTree, ManyEntriesSpreadOverLinkedLeavesUnderIndexLevels) {
    // 255 entries of 8 bytes fill a leaf; an index page holds 341 children (its header names
    // the first).
    struct Case {
        int entries, leaves, levels;
    };
    for (const Case& c : {Case{255, 1, 1}, Case{256, 2, 2}, Case{401, 2, 2},
                          Case{255 * 341, 341, 2}, Case{255 * 341 + 1, 342, 3}}) {
        const auto entries = SignedEntries(c.entries);
        const Bytes tree = helpc::WriteBTree(kContext, entries);
        const BTree read(tree.data(), tree.size(), Field::Int32, Field::UInt32);
        EXPECT_EQ(read.Levels(), c.levels) << c.entries;
        EXPECT_GE(read.PageCount(), c.leaves + c.levels - 1) << c.entries;
        const auto back = read.Entries(); // checks links, order, counts and free space
        ASSERT_EQ(back.size(), entries.size());
        const std::size_t step = entries.size() > 2000 ? 97 : 1;
        for (std::size_t i = 0; i < entries.size(); i += step) {
            const auto found = read.Find(entries[i].key);
            ASSERT_TRUE(found.has_value()) << c.entries << " entry " << i;
            EXPECT_EQ(found->value, entries[i].value);
        }
        EXPECT_FALSE(read.Find(U32Bytes(0x7FFFFFFF)).has_value());
    }
}

TEST(BTree, DirectoryNamesOfDifferentLengthsAreAllFound) {
    std::vector<helpc::BTreeEntry> entries;
    for (int i = 0; i < 150; ++i) {
        std::string name =
            "|file" + std::string(static_cast<std::size_t>(i % 13), 'x') + std::to_string(1000 + i);
        entries.push_back({Bytes(name.begin(), name.end() + 1), U32Bytes(i)});
    }
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.key < b.key; });
    const Bytes tree = helpc::WriteBTree({0x0402, 0x0400, "z4"}, entries);
    const BTree read(tree.data(), tree.size(), Field::StringZ, Field::UInt32);
    EXPECT_GT(read.Levels(), 1);
    ASSERT_EQ(read.Entries().size(), entries.size());
    for (const auto& entry : entries) {
        const auto found = read.Find(entry.key);
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(found->value, entry.value);
    }
}

TEST(BTree, AnEntryLargerThanAPageIsRefused) {
    const std::string longName(1020, 'n');
    EXPECT_THROW(helpc::WriteBTree({0x0402, 0x0400, "z4"},
                                   {{Bytes(longName.begin(), longName.end() + 1), U32Bytes(0)}}),
                 std::length_error);
}

} // namespace
