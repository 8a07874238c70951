#include <gtest/gtest.h>

#include <set>

#include "buffer/byte_glyph.h"

namespace zav {
namespace {

TEST(ByteGlyphTest, ControlCodesShowCodePage437sPictures)
{
    struct Case {
        std::uint8_t value;
        char32_t glyph;
    };
    for (const Case c : {Case{0x00, U'.'}, Case{0xFF, U'.'}, Case{0x01, U'\u263A'}, Case{0x07, U'\u2022'},
                         Case{0x0D, U'\u266A'}, Case{0x1B, U'\u2190'}, Case{0x1F, U'\u25BC'}, Case{0x20, U' '},
                         Case{0x41, U'A'}, Case{0x7E, U'~'}, Case{0x7F, U'\u2302'}, Case{0x80, U'\u00C7'},
                         Case{0x9F, U'\u0192'}, Case{0xB0, U'\u2591'}, Case{0xE1, U'\u00DF'},
                         Case{0xFE, U'\u25A0'}}) {
        EXPECT_EQ(ByteGlyph(c.value), c.glyph) << int(c.value);
    }
}

// Apart from the two dots every byte has a glyph of its own, and typing that glyph stores the byte.
TEST(ByteGlyphTest, EveryOtherByteHasItsOwnGlyphWhichTypesBackAsTheByte)
{
    std::set<char32_t> seen;
    for (unsigned value = 0x01; value <= 0xFE; ++value) {
        const auto byte = static_cast<std::uint8_t>(value);
        const char32_t glyph = ByteGlyph(byte);
        EXPECT_TRUE(seen.insert(glyph).second) << value;
        EXPECT_EQ(ByteOfCharacter(glyph), byte) << value;
    }
}

TEST(ByteGlyphTest, TypedCharactersStoreTheByteShownAsThem)
{
    // ASCII and control characters are their own bytes, the pictures too.
    EXPECT_EQ(ByteOfCharacter(U'\r'), 0x0D);
    EXPECT_EQ(ByteOfCharacter(U'\u266A'), 0x0D);
    EXPECT_EQ(ByteOfCharacter(U'.'), 0x2E);
    EXPECT_EQ(ByteOfCharacter(U'\u00E9'), 0x82); // e acute
    EXPECT_EQ(ByteOfCharacter(U'\u00A3'), 0x9C); // pound sign
    // Characters the code page lacks have no byte.
    EXPECT_FALSE(ByteOfCharacter(U'\u20AC'));
    EXPECT_FALSE(ByteOfCharacter(U'\u00C0'));
    EXPECT_FALSE(ByteOfCharacter(U'\u00A0'));
    EXPECT_FALSE(ByteOfCharacter(U'\U0001F600'));
}

} // namespace
} // namespace zav
