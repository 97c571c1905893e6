#include "system_file.h"

namespace helpc {
namespace {

constexpr std::uint16_t kMagic = 0x036C;
constexpr std::uint16_t kMinorVersion = 21; // the 3.1 layout, which every later viewer reads
constexpr std::uint16_t kMajorVersion = 1;
constexpr std::uint16_t kLz77With4kBlocks = 4;

enum RecordType : std::uint16_t {
    kTitle = 1,
    kCopyright = 2,
    kContents = 3,
    kConfigMacro = 4,
    kWindow = 6,
};

void Record(CByteWriter& out, RecordType type, const Bytes& data) {
    out.U16(type);
    out.U16(static_cast<std::uint16_t>(data.size()));
    out.Append(data);
}

Bytes StringData(const std::string& text) {
    CByteWriter data;
    data.StringZ(text);
    return data.Take();
}

// The main window, so that the viewer's caption is the help's title rather than its own name.
Bytes MainWindow(const std::string& caption) {
    constexpr std::uint16_t kNameGiven = 0x0002;
    constexpr std::uint16_t kCaptionGiven = 0x0004;
    CByteWriter data;
    data.U16(kNameGiven | kCaptionGiven);
    data.Zeros(10); // type
    data.FixedString("main", 9);
    data.FixedString(caption, kCaptionWidth);
    data.Zeros(2 * 5); // position, size and maximise state: the viewer's own
    data.Zeros(4 * 2); // colours: the viewer's own
    return data.Take();
}

} // namespace

Bytes WriteSystemFile(const SystemInfo& info) {
    CByteWriter out;
    out.U16(kMagic);
    out.U16(kMinorVersion);
    out.U16(kMajorVersion);
    out.U32(info.generationDate);
    out.U16(kLz77With4kBlocks);
    Record(out, kTitle, StringData(info.title));
    if (!info.copyright.empty()) {
        Record(out, kCopyright, StringData(info.copyright));
    }
    CByteWriter contents;
    contents.U32(info.contentsOffset);
    Record(out, kContents, contents.Data());
    Record(out, kConfigMacro, StringData("BrowseButtons()"));
    Record(out, kWindow, MainWindow(info.title));
    return out.Take();
}

} // namespace helpc
