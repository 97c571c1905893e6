// The picker's resource files, made from the drawings in this folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace artwork {

struct ArtworkFile {
    std::string name;
    std::vector<uint8_t> (*encode)();
};

// Every file the resource script includes, by the name it uses.
const std::vector<ArtworkFile>& ArtworkFiles();

// Writes every file into `folder`, making the folder when missing. Throws std::runtime_error
// naming the file that could not be written.
void WriteArtwork(const std::filesystem::path& folder);

} // namespace artwork
