// The help file's outer layer: a small file system of named internal files, found through a
// B+ tree directory.
#pragma once

#include "byte_writer.h"

#include <string>
#include <vector>

namespace helpc {

struct InternalFile {
    std::string name; // e.g. "|SYSTEM"
    Bytes data;
};

constexpr std::size_t kFileHeaderSize = 16;
constexpr std::size_t kInternalFileHeaderSize = 9;

// The whole help file: its header, every internal file in name order, then the directory.
Bytes WriteContainer(std::vector<InternalFile> files);

} // namespace helpc
