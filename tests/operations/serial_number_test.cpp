#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "buffer/memory_buffer.h"
#include "operations/serial_number.h"

namespace zav {
namespace {

TEST(SerialNumberTest, ReadsEveryFieldAndItsDefaults)
{
    const struct {
        const char* text;
        SerialNumbering expected;
    } cases[] = {
        {"0x1F0:3:140", {0x1F0, 3, 140, 1, SerialFormat::BigEndian}},
        {"496:2:0x10:le", {0x1F0, 2, 16, 1, SerialFormat::LittleEndian}},
        {"0x100:4:7:5", {0x100, 4, 7, 5, SerialFormat::BigEndian}},
        {"0x100:6:140:2:ascii", {0x100, 6, 140, 2, SerialFormat::Ascii}},
        {"0xFFF8:8:18446744073709551615:bcd", {0xFFF8, 8, 18446744073709551615ULL, 1, SerialFormat::Bcd}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        SerialNumbering numbering;
        std::string error;
        ASSERT_TRUE(ParseSerialNumbering(c.text, numbering, error)) << error;
        EXPECT_EQ(numbering, c.expected);
    }
}

TEST(SerialNumberTest, RefusesNamingTheFieldAndLeavesTheSpecAlone)
{
    const struct {
        const char* text;
        const char* reason;
    } cases[] = {
        {"0x100:3", "expected ADDR:BYTES:START"},
        {"0x100:3:1:1:be:x", "expected ADDR:BYTES:START"},
        {"0x10000:1:1", "ADDR"},
        {"-1:1:1", "ADDR"},
        {"0x100:0:1", "BYTES"},
        {"0x100:9:1", "BYTES"},
        {"0x100:2:", "START"},
        {"0x100:2:18446744073709551616", "START"},
        {"0x100:2:1:0", "STEP"},
        {"0x100:2:1:2:hex", "FORMAT"},
        {"0xFFFE:4:1", "run past 0xFFFF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        SerialNumbering numbering{0x42, 5, 9, 9, SerialFormat::Ascii};
        std::string error;
        EXPECT_FALSE(ParseSerialNumbering(c.text, numbering, error));
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_EQ(numbering, (SerialNumbering{0x42, 5, 9, 9, SerialFormat::Ascii}));
    }
}

TEST(SerialNumberTest, EncodesEachFormatAndRefusesWhatDoesNotFit)
{
    using Bytes = std::vector<std::uint8_t>;
    const struct {
        SerialNumbering numbering;
        std::uint64_t value;
        std::optional<Bytes> expected;
        const char* text;
    } cases[] = {
        {{0, 3, 0, 1, SerialFormat::BigEndian}, 0x012345, Bytes{0x01, 0x23, 0x45}, "00074565"},
        {{0, 3, 0, 1, SerialFormat::LittleEndian}, 0x012345, Bytes{0x45, 0x23, 0x01}, "00074565"},
        {{0, 3, 0, 1, SerialFormat::Bcd}, 140, Bytes{0x00, 0x01, 0x40}, "000140"},
        {{0, 6, 0, 1, SerialFormat::Ascii}, 142, Bytes{'0', '0', '0', '1', '4', '2'}, "000142"},
        {{0, 1, 0, 1, SerialFormat::BigEndian}, 255, Bytes{0xFF}, "255"},
        {{0, 1, 0, 1, SerialFormat::BigEndian}, 256, std::nullopt, "256"},
        {{0, 2, 0, 1, SerialFormat::Bcd}, 10000, std::nullopt, "10000"},
        {{0, 3, 0, 1, SerialFormat::Ascii}, 1000, std::nullopt, "1000"},
        {{0, 8, 0, 1, SerialFormat::BigEndian}, ~0ULL, Bytes(8, 0xFF), "18446744073709551615"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(EncodeSerial(c.numbering, c.value), c.expected);
        EXPECT_EQ(SerialText(c.numbering, c.value), c.text);
    }
}

TEST(SerialNumberTest, PlacementStaysInsideTheEepromAndOffReadOnlyCells)
{
    auto buffer = std::make_unique<MemoryBuffer>();
    buffer->SetReadOnly(0x1F8, true);
    const AddressRange eeprom{0x100, 0x1FF};
    EXPECT_EQ(SerialPlacementProblem({0x1F0, 4, 1, 1, SerialFormat::Bcd}, eeprom, *buffer), "");
    EXPECT_EQ(SerialPlacementProblem({0x1FE, 2, 1, 1, SerialFormat::Bcd}, eeprom, *buffer), "");
    EXPECT_NE(SerialPlacementProblem({0x1FE, 3, 1, 1, SerialFormat::Bcd}, eeprom, *buffer)
                  .find("leaves the "
                        "device's EEPROM"),
              std::string::npos);
    EXPECT_NE(SerialPlacementProblem({0x0FF, 2, 1, 1, SerialFormat::Bcd}, eeprom, *buffer).find("EEPROM"),
              std::string::npos);
    EXPECT_NE(SerialPlacementProblem({0x1F6, 4, 1, 1, SerialFormat::Bcd}, eeprom, *buffer)
                  .find("read-only cell "
                        "0x01F8"),
              std::string::npos);

    ASSERT_TRUE(WriteSerial({0x1F0, 3, 1, 1, SerialFormat::Bcd}, 123456, *buffer));
    EXPECT_EQ(buffer->GetByte(0x1F0), 0x12);
    EXPECT_EQ(buffer->GetByte(0x1F1), 0x34);
    EXPECT_EQ(buffer->GetByte(0x1F2), 0x56);
    EXPECT_FALSE(WriteSerial({0x1F0, 1, 1, 1, SerialFormat::Bcd}, 100, *buffer));
    EXPECT_EQ(buffer->GetByte(0x1F0), 0x12);
}

} // namespace
} // namespace zav
