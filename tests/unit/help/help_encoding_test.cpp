// The small encodings a help viewer decodes bit for bit: compressed integers, the context hash
// and Windows-1252 text.
#include "byte_writer.h"
#include "context_hash.h"
#include "hlp_reader.h"
#include "windows1252.h"

#include <gtest/gtest.h>

namespace {

using helpc::CByteWriter;

TEST(CompressedIntegers, EveryFormRoundTripsThroughTheViewersDecoderAtItsLimits) {
    for (unsigned value : {0u, 1u, 127u, 128u, 300u, 32767u}) {
        CByteWriter out;
        out.CompressedUnsignedShort(value);
        EXPECT_EQ(out.Size(), value < 128 ? 1u : 2u) << value;
        const std::uint8_t* at = out.Data().data();
        EXPECT_EQ(hlp_reader::FetchUnsignedShort(at), value);
        EXPECT_EQ(at, out.Data().data() + out.Size());
    }
    for (int value : {-16384, -65, -64, -1, 0, 63, 64, 16383}) {
        CByteWriter out;
        out.CompressedShort(value);
        EXPECT_EQ(out.Size(), value >= -64 && value < 64 ? 1u : 2u) << value;
        const std::uint8_t* at = out.Data().data();
        EXPECT_EQ(hlp_reader::FetchShort(at), value);
        EXPECT_EQ(at, out.Data().data() + out.Size());
    }
    for (long value : {-0x40000000L, -16385L, -16384L, 0L, 3630L, 16383L, 16384L, 0x3FFFFFFFL}) {
        CByteWriter out;
        out.CompressedLong(value);
        EXPECT_EQ(out.Size(), value >= -16384 && value < 16384 ? 2u : 4u) << value;
        const std::uint8_t* at = out.Data().data();
        EXPECT_EQ(hlp_reader::FetchLong(at), value);
    }
}

TEST(CompressedIntegers, ValuesBeyondTheLongFormAreRefused) {
    CByteWriter out;
    EXPECT_THROW(out.CompressedUnsignedShort(32768), std::out_of_range);
    EXPECT_THROW(out.CompressedShort(16384), std::out_of_range);
    EXPECT_THROW(out.CompressedShort(-16385), std::out_of_range);
    EXPECT_THROW(out.CompressedLong(0x40000000L), std::out_of_range);
    EXPECT_EQ(out.Size(), 0u);
}

TEST(ContextHash, MatchesTheViewersValues) {
    EXPECT_EQ(helpc::ContextHash("CONTENTS"), 636769674);
    EXPECT_EQ(helpc::ContextHash("OVERVIEW"), -1743745475); // wraps past 32 bits, negative
    EXPECT_EQ(helpc::ContextHash("A"), 17);
    EXPECT_EQ(helpc::ContextHash("a1"), 732);
    EXPECT_EQ(helpc::ContextHash("T0"), 1558);
    EXPECT_EQ(helpc::ContextHash("x._9"), ((40 * 43 + 12) * 43 + 13) * 43 + 9);
}

TEST(ContextHash, IgnoresCaseAndOnlyCountedCharactersMakeValidIds) {
    EXPECT_EQ(helpc::ContextHash("hex_rules"), helpc::ContextHash("HEX_RULES"));
    EXPECT_TRUE(helpc::IsValidContextId("hex_rules.2"));
    for (const char* invalid : {"", "hex-rules", "hex rules", "caf\xC3\xA9", "a/b"}) {
        EXPECT_FALSE(helpc::IsValidContextId(invalid)) << invalid;
    }
}

TEST(Windows1252, MapsTheHighPunctuationAndLatin1) {
    EXPECT_EQ(helpc::ToWindows1252("plain"), "plain");
    EXPECT_EQ(helpc::ToWindows1252("\xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D \xE2\x80\xA2 \xC3\xA9"
                                   " \xE2\x80\x99 \xC5\xB8"),
              "\x80 \x93q\x94 \x95 \xE9 \x92 \x9F");
    EXPECT_EQ(helpc::CharacterCount("\xE2\x80\x9Cq\xE2\x80\x9D"), 3u);
}

TEST(Windows1252, RefusesWhatItCannotHoldAndBrokenUtf8) {
    struct Case {
        const char* text;
        const char* message;
    };
    for (const Case& bad :
         {Case{"check \xE2\x9C\x93", "U+2713"}, Case{"\xC2\x81", "U+0081"}, // a gap in the 0x80 row
          Case{"bell\x07", "control"},                                      // a control character
          Case{"\xC3", "not valid UTF-8"},                                  // cut short
          Case{"\xC0\xAF", "not valid UTF-8"},                              // overlong
          Case{"\xED\xA0\x80", "not valid UTF-8"},                          // a surrogate
          Case{"\xFF", "not valid UTF-8"}}) {
        try {
            helpc::ToWindows1252(bad.text);
            ADD_FAILURE() << "accepted " << bad.text;
        } catch (const helpc::CEncodingError& error) {
            EXPECT_NE(std::string(error.what()).find(bad.message), std::string::npos)
                << error.what();
        }
    }
}

} // namespace
