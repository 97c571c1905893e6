// What the generator leaves in its output folder, which the resource script names file by file.
#include "artwork.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace {

namespace fs = std::filesystem;

// ctest runs test cases in parallel processes: one folder each.
fs::path ScratchFolder(const std::string& name) {
    const fs::path folder =
        fs::temp_directory_path() / ("prismel-artwork-" + name + "-" + std::to_string(getpid()));
    fs::remove_all(folder);
    return folder;
}

std::vector<uint8_t> ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::set<std::string> FileNames(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

TEST(ArtworkOutput, WritesTheSevenResourceFilesIntoANewFolder) {
    const fs::path folder = ScratchFolder("new") / "nested";
    artwork::WriteArtwork(folder);
    EXPECT_EQ(FileNames(folder),
              (std::set<std::string>{"tintview.ico", "dropper.cur", "pattern.bmp",
                                     "snap_active.bmp", "snap.bmp", "exit.bmp", "help.bmp"}));
    for (const artwork::ArtworkFile& file : artwork::ArtworkFiles()) {
        EXPECT_EQ(ReadAll(folder / file.name), file.encode()) << file.name;
    }
    fs::remove_all(folder.parent_path());
}

// Builds are reproducible: a second run writes the same bytes over the first.
TEST(ArtworkOutput, IsTheSameOnEveryRun) {
    const fs::path folder = ScratchFolder("again");
    artwork::WriteArtwork(folder);
    std::vector<std::vector<uint8_t>> first;
    for (const artwork::ArtworkFile& file : artwork::ArtworkFiles()) {
        first.push_back(ReadAll(folder / file.name));
    }
    artwork::WriteArtwork(folder);
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(ReadAll(folder / artwork::ArtworkFiles()[i].name), first[i]);
    }
    fs::remove_all(folder);
}

TEST(ArtworkOutput, ReportsAFolderItCannotMake) {
    const fs::path blocker = ScratchFolder("blocked");
    std::ofstream(blocker) << "a file where the folder should be";
    EXPECT_THROW(artwork::WriteArtwork(blocker / "pictures"), std::runtime_error);
    EXPECT_THROW(artwork::WriteArtwork(blocker), std::runtime_error);
    fs::remove(blocker);
}

} // namespace
