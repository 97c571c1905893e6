#include "paragraph_record.h"

namespace helpc {
namespace {

enum Code : std::uint8_t {
    kFontChange = 0x80,
    kTab = 0x83,
    kParagraphEnd = 0x82,
    kJumpStart = 0xE3,
    kJumpEnd = 0x89,
    kEndOfCodes = 0xFF,
};

enum ParagraphBits : std::uint16_t {
    kSpaceAbove = 0x0002,
    kSpaceBelow = 0x0004,
    kLeftIndent = 0x0010,
    kFirstLineIndent = 0x0040,
    kTabStops = 0x0200,
    kKeepWithNext = 0x1000,
};

constexpr char kBulletCharacter = '\x95'; // a bullet in Windows-1252

// The codes and the strings between them: the reader prints one string, acts on one code, and so
// on, so each code is preceded by exactly one string (often empty).
class CCodeStream {
public:
    void Text(const std::string& text) {
        pending += text;
        characters += static_cast<unsigned>(text.size());
    }
    void Code(std::initializer_list<std::uint8_t> code, bool countsAsCharacter = false) {
        strings.StringZ(pending);
        pending.clear();
        for (std::uint8_t byte : code) {
            codes.U8(byte);
        }
        if (countsAsCharacter) {
            ++characters;
        }
    }
    void Font(std::uint16_t font) {
        Code({kFontChange, static_cast<std::uint8_t>(font & 0xFF),
              static_cast<std::uint8_t>(font >> 8)});
    }
    void JumpStart(std::int32_t hash) {
        const auto value = static_cast<std::uint32_t>(hash);
        Code({kJumpStart, static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
              static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
    }

    const Bytes& Codes() const { return codes.Data(); }
    const Bytes& Strings() const { return strings.Data(); }
    unsigned Characters() const { return characters; }

private:
    CByteWriter codes;
    CByteWriter strings;
    std::string pending;
    unsigned characters = 0;
};

} // namespace

TextRecord EncodeParagraph(const ParagraphFormat& format, const std::vector<Span>& spans) {
    CCodeStream stream;
    std::optional<std::uint16_t> font;
    std::optional<std::int32_t> jump;
    if (format.bullet) {
        font = spans.empty() ? 0 : spans.front().font;
        stream.Font(*font);
        stream.Text(std::string(1, kBulletCharacter));
        stream.Code({kTab}, true);
    }
    for (const Span& span : spans) {
        if (jump && jump != span.jumpHash) {
            stream.Code({kJumpEnd});
            jump.reset();
        }
        if (font != span.font) {
            stream.Font(span.font);
            font = span.font;
        }
        if (span.jumpHash && jump != span.jumpHash) {
            stream.JumpStart(*span.jumpHash);
            jump = span.jumpHash;
        }
        stream.Text(span.text);
    }
    if (jump) {
        stream.Code({kJumpEnd});
    }
    stream.Code({kParagraphEnd}, true);
    stream.Code({kEndOfCodes});

    std::uint16_t bits = 0;
    bits |= format.spaceAbove ? kSpaceAbove : 0;
    bits |= format.spaceBelow ? kSpaceBelow : 0;
    bits |= format.leftIndent ? kLeftIndent : 0;
    bits |= format.firstLineIndent ? kFirstLineIndent : 0;
    bits |= format.bullet ? kTabStops : 0;
    bits |= format.keepWithNext ? kKeepWithNext : 0;

    TextRecord record;
    record.data2 = stream.Strings();
    record.characters = stream.Characters();
    CByteWriter data1;
    data1.CompressedLong(static_cast<long>(record.data2.size()));
    data1.CompressedUnsignedShort(record.characters);
    data1.U8(0);    // unknown to every reader
    data1.U8(0x80); // a biased byte, 0
    data1.U16(0);   // paragraph id
    data1.U16(bits);
    // The operands follow in the order of the bits.
    if (format.spaceAbove) {
        data1.CompressedShort(format.spaceAbove);
    }
    if (format.spaceBelow) {
        data1.CompressedShort(format.spaceBelow);
    }
    if (format.leftIndent) {
        data1.CompressedShort(format.leftIndent);
    }
    if (format.firstLineIndent) {
        data1.CompressedShort(format.firstLineIndent);
    }
    if (format.bullet) {
        data1.CompressedShort(1); // one left-aligned tab stop, where the text goes
        data1.CompressedUnsignedShort(static_cast<unsigned>(format.leftIndent));
    }
    data1.Append(stream.Codes());
    record.data1 = data1.Take();
    return record;
}

} // namespace helpc
