#include "buffer/numeric_helpers.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "support/recording_messages.h"

namespace zav {
namespace {

const std::string kBadNumber = "To Enter Address Value in Hexadecimal format prefix 0x must be use.";

TEST(GridCells, AddressesAndCellsConvertBothWays)
{
    EXPECT_EQ(HexCellAddress(1, 0), 0);
    EXPECT_EQ(HexCellAddress(16, 4095), 0xFFFF);
    EXPECT_EQ(CharCellAddress(0, 1), 16);
    EXPECT_EQ(CharCellAddress(15, 4095), 0xFFFF);
    int row = 0;
    EXPECT_EQ(HexCellOfAddress(0x0123, row), 4);
    EXPECT_EQ(row, 0x12);
    for (int address : {0, 15, 16, 0x1234, 0xFFFF}) {
        const int column = HexCellOfAddress(address, row);
        EXPECT_EQ(HexCellAddress(column, row), address);
    }
}

TEST(HexTexts, DigitsBinaryAndShownNumbers)
{
    EXPECT_EQ(HexDigit(0), '0');
    EXPECT_EQ(HexDigit(10), 'A');
    EXPECT_EQ(HexDigit(0x3F), 'F'); // only the low 4 bits count
    EXPECT_EQ(ByteToBinary(0xA5), "10100101");
    EXPECT_EQ(ByteToBinary(0x05), "00000101");
    EXPECT_EQ(ByteText(0x0F), "0x0F");
    EXPECT_EQ(AddressText(0x1AB), "0x01AB");
    EXPECT_EQ(AddressText(0x10000), "0x10000");
    EXPECT_EQ(AddressText(-1), "-0x0001");
}

TEST(HexTexts, AddressTextReadsBackAsTheSameNumber)
{
    for (std::int32_t value : {0, 0xFFFF, 0x10000, -1, std::numeric_limits<std::int32_t>::max(),
                               std::numeric_limits<std::int32_t>::min()}) {
        EXPECT_EQ(StringToInt(AddressText(value)), value) << AddressText(value);
    }
}

TEST(ParseHexPair, AcceptsOnlyUpperCaseDigits)
{
    std::uint8_t value = 0;
    EXPECT_TRUE(ParseHexPair('A', '0', value));
    EXPECT_EQ(value, 0xA0);
    EXPECT_TRUE(ParseHexPair('9', 'F', value));
    EXPECT_EQ(value, 0x9F);
    EXPECT_FALSE(ParseHexPair('a', '0', value));
    EXPECT_FALSE(ParseHexPair('0', 'g', value));
    EXPECT_FALSE(ParseHexPair('G', '0', value));
}

TEST(IsHexAddressText, ChecksLengthAndTheFourDigitsOnly)
{
    EXPECT_TRUE(IsHexAddressText("0x1A2B"));
    EXPECT_TRUE(IsHexAddressText("zz1A2B"));
    EXPECT_FALSE(IsHexAddressText("0x1a2b"));
    EXPECT_FALSE(IsHexAddressText("0x123"));
    EXPECT_FALSE(IsHexAddressText("0x12345"));
    EXPECT_FALSE(IsHexAddressText(""));
}

TEST(StringToInt, AcceptsBlanksSignAndTheThreeHexPrefixes)
{
    EXPECT_EQ(StringToInt("256"), 256);
    EXPECT_EQ(StringToInt("  42"), 42);
    EXPECT_EQ(StringToInt("+7"), 7);
    EXPECT_EQ(StringToInt("-5"), -5);
    EXPECT_EQ(StringToInt("0x100"), 256);
    EXPECT_EQ(StringToInt("0XfF"), 255);
    EXPECT_EQ(StringToInt("$1a"), 26);
    EXPECT_EQ(StringToInt(" -0x10"), -16);
    EXPECT_EQ(StringToInt("007"), 7);
    EXPECT_EQ(StringToInt("0"), 0);
}

TEST(StringToInt, FailsOnAnythingElseInsteadOfWrapping)
{
    for (const char* text :
         {"",           " ",           "-",          "+",          "0x",
          "$",          "FF",          "12a",        "1 ",         "0x1G",
          "- 1",        "1.5",         "0x-1",       "--1",        "x10",
          "2147483648", "-2147483649", "0x80000000", "0xFFFFFFFF", "99999999999999999999"}) {
        EXPECT_EQ(StringToInt(text), std::nullopt) << '"' << text << '"';
    }
    EXPECT_EQ(StringToInt("2147483647"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(StringToInt("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(StringToInt("0x7FFFFFFF"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(StringToInt("-0x80000000"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(StringToInt(std::string_view("12\0"
                                           "3",
                                           4)),
              std::nullopt);
}

TEST(ParseNumberText, ValuesNegativesAndFailures)
{
    testing::RecordingBoxes boxes;
    EXPECT_EQ(ParseNumberText("256", boxes), 256);
    EXPECT_EQ(ParseNumberText("0x100", boxes), 256);
    EXPECT_EQ(ParseNumberText("0", boxes), 0);
    EXPECT_TRUE(boxes.shown.empty());

    EXPECT_EQ(ParseNumberText("-5", boxes), -1);
    EXPECT_TRUE(boxes.shown.empty()) << "a negative value is refused silently";

    EXPECT_EQ(ParseNumberText("FF", boxes), -1);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, kBadNumber);
    EXPECT_EQ(boxes.shown[0].kind, BoxKind::Error);
    EXPECT_EQ(boxes.shown[0].buttons, BoxButtons::Ok);

    EXPECT_EQ(ParseNumberText("4294967296", boxes), -1);
    EXPECT_EQ(ParseNumberText("", boxes), -1);
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{kBadNumber, kBadNumber, kBadNumber}));
}

TEST(LowerCaseChar, OnlyLettersAToZChange)
{
    EXPECT_EQ(LowerCaseChar('A'), 'a');
    EXPECT_EQ(LowerCaseChar('Z'), 'z');
    EXPECT_EQ(LowerCaseChar('a'), 'a');
    EXPECT_EQ(LowerCaseChar('@'), '@');
    EXPECT_EQ(LowerCaseChar('['), '[');
    EXPECT_EQ(LowerCaseChar('\xC4'), '\xC4');
}

TEST(Palette, EveryIndexRoundTrips)
{
    for (int index = 0; index < 64; ++index) {
        const Colour colour = ColourFromIndex(static_cast<PaletteIndex>(index));
        EXPECT_EQ(IndexFromColour(colour), index);
        for (int shift : {0, 8, 16}) {
            const unsigned channel = (colour >> shift) & 0xFF;
            EXPECT_EQ(channel % 85, 0u);
        }
    }
}

TEST(Palette, ColoursOffThePaletteFallToTheLevelBelow)
{
    EXPECT_EQ(ColourFromIndex(58), 0xFFAAAAu);
    EXPECT_EQ(ColourFromIndex(3), 0x0000FFu);
    EXPECT_EQ(IndexFromColour(0xFFAAAA), 58);
    EXPECT_EQ(IndexFromColour(0x808080), 21);
    EXPECT_EQ(IndexFromColour(0x7F7F7F), 21);
    EXPECT_EQ(IndexFromColour(0x545454), 0);
    EXPECT_EQ(IndexFromColour(0xFEFEFE), 42);
    EXPECT_EQ(IndexFromColour(0xFF000000u | 0x0000FF), 3) << "the top byte is not a channel";
}

} // namespace
} // namespace zav
