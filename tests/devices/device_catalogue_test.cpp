#include "devices/device_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sequences/sequence_plan.h"
#include "support/device_names.h"

namespace zav {
namespace {

bool Within(const AddressRange& inner, const AddressRange& outer)
{
    return inner.first >= outer.first && inner.last <= outer.last;
}

bool WithinAny(const AddressRange& range, std::span<const AddressRange> ranges)
{
    return std::any_of(ranges.begin(), ranges.end(), [&](const AddressRange& r) { return Within(range, r); });
}

// What must hold for every row, so a device added as one row is checked without a copy of
// the table here.
TEST(DeviceCatalogue, EveryDeviceIsConsistentWithItsPlanAndBoard)
{
    const auto devices = DeviceCatalogue::Devices();
    ASSERT_EQ(devices.size(), testing::kDeviceNames.size());
    std::set<std::string_view> names;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        const DeviceInfo& device = devices[i];
        SCOPED_TRACE(std::string(device.name));
        EXPECT_EQ(device.name, testing::kDeviceNames[i]);
        EXPECT_TRUE(names.insert(device.name).second) << "name used twice";
        EXPECT_LT(device.boardCode, 9);
        EXPECT_EQ(device.portKind == PortKind::Com, device.boardCode == 1);
        ASSERT_FALSE(device.implementedRanges.empty());
        EXPECT_EQ(device.topAddress, device.implementedRanges.front().first);
        EXPECT_NE(device.descriptionText.find(" - EEPROM"), std::string_view::npos);

        const std::optional<SequencePlan> plan = FindSequencePlan(device.name);
        ASSERT_TRUE(plan.has_value());
        EXPECT_TRUE(WithinAny(plan->eeprom, device.implementedRanges));
        if (plan->configRegister) {
            EXPECT_TRUE(WithinAny({*plan->configRegister, *plan->configRegister}, device.implementedRanges));
        }
    }
}

// The rows a misreading of the memory maps or the boards would break.
TEST(DeviceCatalogue, SpotChecksOfTheMapsAndBoards)
{
    const DeviceInfo& b6 = *DeviceCatalogue::FindDevice("MC68HC05B6");
    EXPECT_EQ(b6.boardCode, 0);
    EXPECT_TRUE(b6.hasLockUnlock);
    EXPECT_EQ(b6.descriptionText, "$0100...$01FF - EEPROM\r\n$0100 - Option Register");

    const DeviceInfo& l28 = *DeviceCatalogue::FindDevice("MC68HC05L28");
    EXPECT_EQ(l28.portKind, PortKind::Com);
    EXPECT_FALSE(l28.hasLockUnlock);
    EXPECT_EQ(l28.implementedRanges.front().first, 0x0300);

    const DeviceInfo& e9 = *DeviceCatalogue::FindDevice("MC68HC11E9");
    EXPECT_EQ(e9.boardCode, 4);
    ASSERT_EQ(e9.implementedRanges.size(), 2u);
    EXPECT_EQ(e9.implementedRanges[1].first, 0x103F);

    const DeviceInfo& ka4 = *DeviceCatalogue::FindDevice("MC68HC11KA4");
    EXPECT_EQ(ka4.boardCode, 3);
    EXPECT_EQ(ka4.implementedRanges.front().first, 0x0D80);

    const DeviceInfo& pa8 = *DeviceCatalogue::FindDevice("MC68HC11PA8");
    ASSERT_EQ(pa8.implementedRanges.size(), 3u);
    EXPECT_EQ(pa8.implementedRanges[2].first, 0xBE40);
    EXPECT_EQ(pa8.implementedRanges[2].last, 0xFFFF);

    const DeviceInfo& tms370 = *DeviceCatalogue::FindDevice("TMS370Cx5x (512)");
    EXPECT_EQ(tms370.boardCode, 6);
    EXPECT_EQ(tms370.hardwareBoard, 5);
    EXPECT_EQ(tms370.descriptionText,
              "$1E00...$1FFF - EEPROM\r\n$1E00,$1F00 - Write Protect Option Registers");
    EXPECT_EQ(DeviceCatalogue::FindDevice("TMS375C006 (256)")->boardCode, 8);
    EXPECT_EQ(DeviceCatalogue::FindDevice("TMS375C006 (256)")->implementedRanges.front().first, 0x1F00);
}

// The lock and block rules the program sequence takes from a row: a row that leaves one out
// would write to address -1 or to a wrong register.
TEST(DeviceCatalogue, LockRegistersAndBlocksFitTheDevice)
{
    for (const DeviceInfo& device : DeviceCatalogue::Devices()) {
        SCOPED_TRACE(std::string(device.name));
        const SequencePlan plan = *FindSequencePlan(device.name);
        const bool hc05WithLock =
            device.family == DeviceFamily::Mc68hc05B6 || device.family == DeviceFamily::Mc68hc705B16;
        EXPECT_EQ(device.optionRegister >= 0, hc05WithLock);
        if (hc05WithLock) {
            EXPECT_TRUE(device.hasLockUnlock);
            EXPECT_TRUE(WithinAny({device.optionRegister, device.optionRegister}, device.implementedRanges));
        }
        EXPECT_EQ(plan.configRegister.has_value(), plan.IsMc68hc11());
        if (plan.IsMc68hc11()) {
            EXPECT_TRUE(device.hasLockUnlock);
            EXPECT_NE(device.configLockValue, 0);
            // The E9's board unlocks by a command; the others write the erased value.
            if (device.family != DeviceFamily::Mc68hc11E9) {
                EXPECT_EQ(device.configUnlockValue, 0xFF);
            }
        }
        EXPECT_EQ(plan.twoBlocks, plan.IsTms() && plan.eeprom.Size() == 512);
        if (plan.IsTms()) {
            EXPECT_EQ(plan.eeprom.last, 0x1FFF);
        }
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
