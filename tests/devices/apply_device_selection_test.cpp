#include "devices/apply_device_selection.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "buffer/memory_buffer.h"
#include "devices/device_catalogue.h"
#include "devices/device_selection_view.h"

namespace zav {
namespace {

class RecordingView : public DeviceSelectionView {
public:
    void SetOptionEnabled(SequenceOption option, bool enabled) override { enabledOptions[option] = enabled; }
    void ShowAddressAtTop(std::int32_t address) override { topAddress = address; }

    [[nodiscard]] bool Enabled(SequenceOption option) const
    {
        const auto found = enabledOptions.find(option);
        return found != enabledOptions.end() && found->second;
    }

    std::map<SequenceOption, bool> enabledOptions;
    std::optional<std::int32_t> topAddress;
};

int ImplementedCells(const MemoryBuffer& buffer)
{
    int count = 0;
    for (std::int32_t a = 0; a <= 0xFFFF; ++a) count += buffer.IsUnimplemented(a) ? 0 : 1;
    return count;
}

class ApplyDeviceSelectionTest : public ::testing::Test {
protected:
    MemoryBuffer buffer;
    RecordingView view;
};

TEST_F(ApplyDeviceSelectionTest, ImplementsExactlyTheDeviceMapAndScrollsToItsTop)
{
    ApplyDeviceSelection("MC68HC11E9", buffer, view);
    EXPECT_EQ(ImplementedCells(buffer), 513);
    EXPECT_FALSE(buffer.IsUnimplemented(0xB600));
    EXPECT_FALSE(buffer.IsUnimplemented(0xB7FF));
    EXPECT_FALSE(buffer.IsUnimplemented(0x103F));
    EXPECT_TRUE(buffer.IsUnimplemented(0xB5FF));
    EXPECT_TRUE(buffer.IsUnimplemented(0xB800));
    EXPECT_TRUE(buffer.IsUnimplemented(0x103E));
    EXPECT_EQ(view.topAddress, 0xB600);

    ApplyDeviceSelection("MC68HC11PA8", buffer, view);
    EXPECT_EQ(ImplementedCells(buffer), 17345);
    EXPECT_FALSE(buffer.IsUnimplemented(0xFFFF));
    EXPECT_FALSE(buffer.IsUnimplemented(0x003F));
    EXPECT_EQ(view.topAddress, 0x0E00);

    for (const char* name : {"MC68HC11KA1", "MC68HC11KA4", "MC68HC11P2"}) {
        ApplyDeviceSelection(name, buffer, view);
        EXPECT_EQ(ImplementedCells(buffer), 641) << name;
        EXPECT_EQ(view.topAddress, 0x0D80) << name;
    }
}

TEST_F(ApplyDeviceSelectionTest, EnablesLockAndUnlockOnlyForDevicesThatHaveThem)
{
    for (const DeviceInfo& device : DeviceCatalogue::Devices()) {
        ApplyDeviceSelection(device.name, buffer, view);
        SCOPED_TRACE(std::string(device.name));
        for (SequenceOption option :
             {SequenceOption::Erase, SequenceOption::Program, SequenceOption::Verify, SequenceOption::Read}) {
            EXPECT_TRUE(view.Enabled(option));
        }
        EXPECT_EQ(view.Enabled(SequenceOption::Lock), device.hasLockUnlock);
        EXPECT_EQ(view.Enabled(SequenceOption::Unlock), device.hasLockUnlock);
    }
}

TEST_F(ApplyDeviceSelectionTest, DiscardsContentUndoHistoryAndDescriptionOnEveryChange)
{
    ApplyDeviceSelection("MC68HC05B6", buffer, view);
    buffer.Undo().BeginGroup();
    buffer.Undo().Push(0x0100);
    buffer.SetByte(0x0100, 0x5A);
    buffer.Undo().EndGroup();
    buffer.SetReadOnly(0x0101, true);
    buffer.Descriptions().SetProjectName("project");

    ApplyDeviceSelection("MC68HC05L28", buffer, view);
    ApplyDeviceSelection("MC68HC05B6", buffer, view);

    EXPECT_EQ(buffer.GetByte(0x0100), 0x00);
    EXPECT_TRUE(buffer.Undo().IsEmpty());
    EXPECT_EQ(buffer.Descriptions().GetProjectName(), "");
    EXPECT_FALSE(buffer.InBulkUpdate());
}

TEST_F(ApplyDeviceSelectionTest, ANameThatIsNoDeviceLeavesEveryCellImplementedAndZeroWithOptionsDisabled)
{
    ApplyDeviceSelection("TMS370Cx5x (512)", buffer, view);
    buffer.SetByte(0x1E00, 0x77);
    view.topAddress.reset();

    for (const char* name : {"No device selected", "tms370cx5x (512)", "TMS370Cx5x (512) "}) {
        ApplyDeviceSelection(name, buffer, view);
        EXPECT_EQ(ImplementedCells(buffer), 0x10000) << name;
        EXPECT_EQ(buffer.GetByte(0x1E00), 0x00);
        for (const auto& [option, enabled] : view.enabledOptions) EXPECT_FALSE(enabled);
        EXPECT_EQ(view.enabledOptions.size(), 6u);
        EXPECT_FALSE(view.topAddress.has_value());
    }
}

} // namespace
} // namespace zav
