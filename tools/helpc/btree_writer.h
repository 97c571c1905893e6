// The B+ trees of a help file: its directory, the context-id map and the title list. Pages have
// a fixed size; leaves hold the entries in key order and are chained both ways; index pages
// above them hold, for each child after the first, the child's first key and page number.
#pragma once

#include "byte_writer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace helpc {

struct BTreeFormat {
    std::uint16_t flags;
    std::uint16_t pageSize;
    std::string structure; // the entry layout as the format names it, e.g. "L4"
};

// A leaf entry is `key` followed by `value`; an index entry is `key` followed by a page number.
struct BTreeEntry {
    Bytes key;
    Bytes value;
};

constexpr std::size_t kBTreeHeaderSize = 38;
constexpr std::size_t kLeafHeaderSize = 8;
constexpr std::size_t kIndexHeaderSize = 6;

// The tree's header and pages. `entries` must already be in the order the readers search in
// (they stop at the first key greater than the one wanted); an entry larger than a page is a
// programming error (std::length_error).
Bytes WriteBTree(const BTreeFormat& format, const std::vector<BTreeEntry>& entries);

} // namespace helpc
