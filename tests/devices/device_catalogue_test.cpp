#include "devices/device_catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zav {
namespace {

struct ExpectedDevice {
    std::string name;
    int board;
    std::vector<AddressRange> ranges;
    std::int32_t top;
    bool lockUnlock;
    PortKind port;
    int boardCode;
    std::string text;
};

const std::vector<ExpectedDevice>& ExpectedTable()
{
    static const std::vector<ExpectedDevice> table{
        {"MC68HC05B6",
         0,
         {{0x0100, 0x01FF}},
         0x0100,
         true,
         PortKind::Lpt,
         0,
         "$0100...$01FF - EEPROM\r\n$0100 - Option Register"},
        {"MC68HC705B16",
         1,
         {{0x0100, 0x01FF}},
         0x0100,
         true,
         PortKind::Lpt,
         2,
         "$0100...$01FF - EEPROM\r\n$0100 - Option Register"},
        {"MC68HC05L28", 2, {{0x0300, 0x03FF}}, 0x0300, false, PortKind::Com, 1, "$0300...$03FF - EEPROM"},
        {"MC68HC11E9",
         3,
         {{0xB600, 0xB7FF}, {0x103F, 0x103F}},
         0xB600,
         true,
         PortKind::Lpt,
         4,
         "$B600...$B7FF - EEPROM\r\n$103F - CONFIG Register"},
        {"MC68HC11KA1",
         4,
         {{0x0D80, 0x0FFF}, {0x003F, 0x003F}},
         0x0D80,
         true,
         PortKind::Lpt,
         3,
         "$0D80...$0FFF - EEPROM\r\n$003F - CONFIG Register"},
        {"MC68HC11KA4",
         4,
         {{0x0D80, 0x0FFF}, {0x003F, 0x003F}},
         0x0D80,
         true,
         PortKind::Lpt,
         3,
         "$0D80...$0FFF - EEPROM\r\n$003F - CONFIG Register"},
        {"MC68HC11PA8",
         4,
         {{0x0E00, 0x0FFF}, {0x003F, 0x003F}, {0xBE40, 0xFFFF}},
         0x0E00,
         true,
         PortKind::Lpt,
         3,
         "$0E00...$0FFF - EEPROM\r\n$003F - CONFIG Register"},
        {"MC68HC11P2",
         4,
         {{0x0D80, 0x0FFF}, {0x003F, 0x003F}},
         0x0D80,
         true,
         PortKind::Lpt,
         3,
         "$0D80...$0FFF - EEPROM\r\n$003F - CONFIG Register"},
        {"TMS370Cx5x (256)",
         5,
         {{0x1F00, 0x1FFF}},
         0x1F00,
         false,
         PortKind::Lpt,
         6,
         "$1F00...$1FFF - EEPROM\r\n$1F00 - Write Protect Option Register"},
        {"TMS370Cx5x (512)",
         5,
         {{0x1E00, 0x1FFF}},
         0x1E00,
         false,
         PortKind::Lpt,
         6,
         "$1E00...$1FFF - EEPROM\r\n$1E00,$1F00 - Write Protect Option Registers"},
        {"TMS375C006 (256)",
         6,
         {{0x1F00, 0x1FFF}},
         0x1F00,
         false,
         PortKind::Lpt,
         8,
         "$1F00...$1FFF - EEPROM\r\n$1F00 - Write Protect Option Register"},
        {"TMS375C006 (512)",
         6,
         {{0x1E00, 0x1FFF}},
         0x1E00,
         false,
         PortKind::Lpt,
         8,
         "$1E00...$1FFF - EEPROM\r\n$1E00,$1F00 - Write Protect Option Registers"},
    };
    return table;
}

TEST(DeviceCatalogue, HoldsTheTwelveDevicesInDialogOrderWithTheirMapsAndBoards)
{
    const auto devices = DeviceCatalogue::Devices();
    ASSERT_EQ(devices.size(), ExpectedTable().size());
    for (std::size_t i = 0; i < devices.size(); ++i) {
        const ExpectedDevice& expected = ExpectedTable()[i];
        const DeviceInfo& device = devices[i];
        SCOPED_TRACE(expected.name);
        EXPECT_EQ(device.name, expected.name);
        EXPECT_EQ(device.hardwareBoard, expected.board);
        ASSERT_EQ(device.implementedRanges.size(), expected.ranges.size());
        for (std::size_t r = 0; r < expected.ranges.size(); ++r) {
            EXPECT_EQ(device.implementedRanges[r].first, expected.ranges[r].first);
            EXPECT_EQ(device.implementedRanges[r].last, expected.ranges[r].last);
        }
        EXPECT_EQ(device.topAddress, expected.top);
        EXPECT_EQ(device.hasLockUnlock, expected.lockUnlock);
        EXPECT_EQ(device.portKind, expected.port);
        EXPECT_EQ(device.boardCode, expected.boardCode);
        EXPECT_EQ(device.descriptionText, expected.text);
    }
}

TEST(DeviceCatalogue, NamesTheSevenHardwareBoards)
{
    const std::vector<std::string> expected{"MC68HC05B6",  "MC68HC705B16", "MC68HC05L28", "MC68HC11E9",
                                            "MC68HC11PA8", "TMS370Cx5x",   "TMS375C006"};
    const auto names = DeviceCatalogue::HardwareBoardNames();
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.end()), expected);
}

TEST(DeviceCatalogue, FindsOnlyExactNames)
{
    ASSERT_NE(DeviceCatalogue::FindDevice("MC68HC11PA8"), nullptr);
    EXPECT_EQ(DeviceCatalogue::FindDevice("MC68HC11PA8")->topAddress, 0x0E00);
    EXPECT_EQ(DeviceCatalogue::FindDevice("TMS375C006 (512)")->boardCode, 8);
    EXPECT_EQ(DeviceCatalogue::FindDevice(NoDeviceName), nullptr);
    EXPECT_EQ(DeviceCatalogue::FindDevice("mc68hc11pa8"), nullptr);
    EXPECT_EQ(DeviceCatalogue::FindDevice("MC68HC11PA8 "), nullptr);
    EXPECT_EQ(DeviceCatalogue::FindDevice("TMS370Cx5x"), nullptr);
    EXPECT_EQ(DeviceCatalogue::FindDevice(""), nullptr);
}

TEST(DeviceCatalogue, ListsEachBoardsDevicesInCatalogueOrder)
{
    using Names = std::vector<std::string>;
    EXPECT_EQ(DeviceCatalogue::DevicesOfBoard(0), Names{"MC68HC05B6"});
    EXPECT_EQ(DeviceCatalogue::DevicesOfBoard(3), Names{"MC68HC11E9"});
    EXPECT_EQ(DeviceCatalogue::DevicesOfBoard(4),
              (Names{"MC68HC11KA1", "MC68HC11KA4", "MC68HC11PA8", "MC68HC11P2"}));
    EXPECT_EQ(DeviceCatalogue::DevicesOfBoard(5), (Names{"TMS370Cx5x (256)", "TMS370Cx5x (512)"}));
    EXPECT_EQ(DeviceCatalogue::DevicesOfBoard(6), (Names{"TMS375C006 (256)", "TMS375C006 (512)"}));
    EXPECT_TRUE(DeviceCatalogue::DevicesOfBoard(7).empty());
    EXPECT_TRUE(DeviceCatalogue::DevicesOfBoard(-1).empty());
}

} // namespace
} // namespace zav
