#include "container.h"

#include "btree_writer.h"

#include <algorithm>
#include <stdexcept>

namespace helpc {
namespace {

constexpr std::uint32_t kMagic = 0x00035F3F;
constexpr std::uint8_t kFileFlags = 4;
const BTreeFormat kDirectoryFormat{0x0402, 0x0400, "z4"};

// The viewer ends an internal file at its reserved space, so none is left beyond the data.
void AppendInternalFile(CByteWriter& out, const Bytes& data) {
    out.U32(static_cast<std::uint32_t>(data.size() + kInternalFileHeaderSize));
    out.U32(static_cast<std::uint32_t>(data.size()));
    out.U8(kFileFlags);
    out.Append(data);
}

} // namespace

Bytes WriteContainer(std::vector<InternalFile> files) {
    // The readers compare names bytewise (strcmp) and stop at the first greater one.
    std::sort(files.begin(), files.end(),
              [](const InternalFile& a, const InternalFile& b) { return a.name < b.name; });
    for (std::size_t i = 1; i < files.size(); ++i) {
        if (files[i].name == files[i - 1].name) {
            throw std::logic_error("two internal files named " + files[i].name);
        }
    }

    CByteWriter out;
    out.U32(kMagic);
    out.U32(0);  // directory start, patched below
    out.I32(-1); // no free-block list
    out.U32(0);  // file size, patched below
    std::vector<BTreeEntry> directory;
    for (const InternalFile& file : files) {
        CByteWriter offset;
        offset.U32(static_cast<std::uint32_t>(out.Size()));
        Bytes key(file.name.begin(), file.name.end());
        key.push_back(0);
        directory.push_back({std::move(key), offset.Take()});
        AppendInternalFile(out, file.data);
    }
    out.PatchU32(4, static_cast<std::uint32_t>(out.Size()));
    AppendInternalFile(out, WriteBTree(kDirectoryFormat, directory));
    out.PatchU32(12, static_cast<std::uint32_t>(out.Size()));
    return out.Take();
}

} // namespace helpc
