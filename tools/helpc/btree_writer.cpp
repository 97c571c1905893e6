#include "btree_writer.h"

#include <stdexcept>

namespace helpc {
namespace {

constexpr std::uint16_t kMagic = 0x293B;
constexpr std::int16_t kNoPage = -1;

// One page's contents before it is written out.
struct Page {
    CByteWriter entries;
    std::int16_t entryCount = 0;
    Bytes firstKey;
    std::int16_t firstChild = kNoPage; // index pages only
};

std::int16_t PageNumber(std::size_t number) {
    if (number > 0x7FFF) {
        throw std::length_error("B+ tree has too many pages");
    }
    return static_cast<std::int16_t>(number);
}

struct Child {
    Bytes firstKey;
    std::int16_t page;
};

} // namespace

Bytes WriteBTree(const BTreeFormat& format, const std::vector<BTreeEntry>& entries) {
    const std::size_t leafCapacity = format.pageSize - kLeafHeaderSize;
    std::vector<Page> leaves;
    for (const BTreeEntry& entry : entries) {
        const std::size_t size = entry.key.size() + entry.value.size();
        if (size > leafCapacity) {
            throw std::length_error("B+ tree entry larger than a page");
        }
        if (leaves.empty() || leaves.back().entries.Size() + size > leafCapacity) {
            leaves.emplace_back();
            leaves.back().firstKey = entry.key;
        }
        leaves.back().entries.Append(entry.key);
        leaves.back().entries.Append(entry.value);
        ++leaves.back().entryCount;
    }
    if (leaves.empty()) {
        leaves.emplace_back();
    }

    CByteWriter pages;
    auto pagePadding = [&](std::size_t used) { pages.Zeros(format.pageSize - used); };
    std::vector<Child> level;
    for (std::size_t i = 0; i < leaves.size(); ++i) {
        const Page& leaf = leaves[i];
        const std::size_t unused = leafCapacity - leaf.entries.Size();
        pages.U16(static_cast<std::uint16_t>(unused));
        pages.I16(leaf.entryCount);
        pages.I16(i == 0 ? kNoPage : PageNumber(i - 1));
        pages.I16(i + 1 == leaves.size() ? kNoPage : PageNumber(i + 1));
        pages.Append(leaf.entries.Data());
        pagePadding(kLeafHeaderSize + leaf.entries.Size());
        level.push_back({leaf.firstKey, PageNumber(i)});
    }

    // Index levels until one page, the root, remains. Each index page's header names its first
    // child; its entries name the others by their first keys.
    std::size_t pageCount = leaves.size();
    std::int16_t levels = 1;
    const std::size_t indexCapacity = format.pageSize - kIndexHeaderSize;
    while (level.size() > 1) {
        std::vector<Page> indexPages;
        for (const Child& child : level) {
            const std::size_t size = child.firstKey.size() + 2;
            if (size > indexCapacity) {
                throw std::length_error("B+ tree key larger than an index page");
            }
            if (indexPages.empty() || indexPages.back().entries.Size() + size > indexCapacity) {
                indexPages.emplace_back();
                indexPages.back().firstChild = child.page;
                indexPages.back().firstKey = child.firstKey;
                continue;
            }
            indexPages.back().entries.Append(child.firstKey);
            indexPages.back().entries.I16(child.page);
            ++indexPages.back().entryCount;
        }
        std::vector<Child> above;
        for (const Page& page : indexPages) {
            pages.U16(static_cast<std::uint16_t>(indexCapacity - page.entries.Size()));
            pages.I16(page.entryCount);
            pages.I16(page.firstChild);
            pages.Append(page.entries.Data());
            pagePadding(kIndexHeaderSize + page.entries.Size());
            above.push_back({page.firstKey, PageNumber(pageCount++)});
        }
        level = std::move(above);
        ++levels;
    }

    CByteWriter tree;
    tree.U16(kMagic);
    tree.U16(format.flags);
    tree.U16(format.pageSize);
    tree.FixedString(format.structure, 16);
    tree.I16(0);                     // must be zero
    tree.I16(0);                     // page splits
    tree.I16(level.front().page);    // root
    tree.I16(-1);                    // must be -1
    tree.I16(PageNumber(pageCount)); // total pages
    tree.I16(levels);
    tree.U32(static_cast<std::uint32_t>(entries.size()));
    tree.Append(pages.Data());
    return tree.Take();
}

} // namespace helpc
