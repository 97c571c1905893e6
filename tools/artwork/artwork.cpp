#include "artwork.h"

#include "bitmap_file.h"
#include "icon_file.h"
#include "pictures.h"
#include "tile.h"

#include <fstream>
#include <stdexcept>

namespace artwork {

namespace {

constexpr size_t kBitmapColours = 256;

std::vector<uint8_t> PatternFile() {
    return EncodeBitmapFile(WithOwnPalette(BackgroundTile(), {}, kBitmapColours));
}

// A button picture keeps the texture's colours exactly, so its rim matches the window's
// background wherever the two meet.
template <CRaster (*Draw)()> std::vector<uint8_t> ButtonFile() {
    return EncodeBitmapFile(
        WithOwnPalette(Draw(), DistinctColours(BackgroundTile()), kBitmapColours));
}

std::vector<uint8_t> IconFile() {
    return EncodeIconFile({WithFixedPalette(ProgramIcon(16), IconPalette()),
                           WithFixedPalette(ProgramIcon(32), IconPalette())});
}

std::vector<uint8_t> CursorFile() {
    return EncodeCursorFile(WithFixedPalette(DropperCursor(), {ColourOf(kBlack), ColourOf(kWhite)}),
                            HotSpot{kDropperHotSpotX, kDropperHotSpotY});
}

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

} // namespace

const std::vector<ArtworkFile>& ArtworkFiles() {
    static const std::vector<ArtworkFile> files = {
        {"tintview.ico", IconFile},
        {"pattern.bmp", PatternFile},
        {"dropper.cur", CursorFile},
        {"snap_active.bmp", ButtonFile<SnapActivePicture>},
        {"snap.bmp", ButtonFile<SnapPicture>},
        {"exit.bmp", ButtonFile<ExitPicture>},
        {"help.bmp", ButtonFile<HelpPicture>},
    };
    return files;
}

void WriteArtwork(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        throw std::runtime_error("cannot make folder " + folder.string() + ": " + error.message());
    }
    for (const ArtworkFile& file : ArtworkFiles()) {
        WriteFile(folder / file.name, file.encode());
    }
}

} // namespace artwork
