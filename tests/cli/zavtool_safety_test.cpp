#include <algorithm>
#include <filesystem>
#include <iterator>
#include <string>

#include "tool_test_fixture.h"

namespace zav::testing {
namespace {

// What keeps a part safe: the verify's differences, the backup before a write, the blank
// check, compare and checksum, each through the built tool.
class ZavtoolSafetyTest : public ToolTest {
protected:
    void SetUp() override { WriteFile(Work("pattern.bin"), Pattern()); }

    [[nodiscard]] ToolRun Program(const std::string& image, std::vector<std::string> more) const
    {
        std::vector<std::string> arguments{"program",      "--device", "MC68HC11E9", "--in", Work("pattern.bin"),
                                           "--simulate",   "--yes",    "--sim-memory", image};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return Run(arguments);
    }
    [[nodiscard]] std::filesystem::path DefaultBackups() const { return config_.Path() / "share/zav/backups"; }
};

std::size_t FileCount(const std::filesystem::path& folder)
{
    if (!std::filesystem::exists(folder)) return 0;
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST_F(ZavtoolSafetyTest, VerifyDiffListsEveryDifferingCellWithTheDevicesValue)
{
    const std::string image = Work("e9.img");
    std::string part(0x10000, '\xFF');
    part[0xB605] = '\x12';
    WriteFile(image, part);
    // Only cell 0xB605 holds what the file has there; the rest is erased.
    std::string file(0x10000, '\xFF');
    file[0xB600] = '\x5A';
    file[0xB605] = '\x12';
    file[0xB7FF] = '\x00';
    WriteFile(Work("pattern.bin"), file);

    const ToolRun run = Program(image, {"--verify", "--diff"});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.out, "B600 buffer 5A device FF\nB7FF buffer 00 device FF\n");
    EXPECT_EQ(Lines(run.err).at(Lines(run.err).size() - 1), "error: Verify failed: 2 cells differ, first at 0xB600");
    EXPECT_EQ(Run({"program", "--device", "MC68HC11E9", "--in", "x", "--diff"}).exitStatus, 2);
}

TEST_F(ZavtoolSafetyTest, AWriteIsBackedUpWhereAskedByDefaultOrNotAtAll)
{
    const std::string image = Work("e9.img");
    std::string part = Pattern();
    std::reverse(part.begin(), part.end());
    WriteFile(image, part);

    const ToolRun chosen = Program(image, {"--erase", "--backup", Work("mine")});
    EXPECT_EQ(chosen.exitStatus, 0) << chosen.err;
    ASSERT_EQ(FileCount(Work("mine")), 1U);
    const auto file = std::filesystem::directory_iterator(Work("mine"))->path();
    EXPECT_NE(chosen.err.find("Backup saved to " + file.string() + "\n"), std::string::npos) << chosen.err;
    // The backup holds the part as it was: it converts back to the same EEPROM bytes.
    const ToolRun back = Run({"convert", file.string(), Work("back.bin"), "--device", "MC68HC11E9"});
    ASSERT_EQ(back.exitStatus, 0) << back.err;
    EXPECT_EQ(ReadFile(Work("back.bin")).substr(0xB600, 0x200), part.substr(0xB600, 0x200));
    EXPECT_EQ(ReadFile(Work("back.bin"))[0x103F], part[0x103F]);
    EXPECT_EQ(FileCount(DefaultBackups()), 0U);

    EXPECT_EQ(Program(image, {"--erase"}).exitStatus, 0);
    EXPECT_EQ(FileCount(DefaultBackups()), 1U);
    EXPECT_EQ(Program(image, {"--erase", "--no-backup"}).exitStatus, 0);
    EXPECT_EQ(FileCount(DefaultBackups()), 1U);

    // A backup that cannot be written stops the run before the part is touched.
    WriteFile(Work("in-the-way"), "");
    WriteFile(image, part);
    const ToolRun blocked = Program(image, {"--erase", "--backup", Work("in-the-way")});
    EXPECT_EQ(blocked.exitStatus, 1);
    EXPECT_NE(blocked.err.find("error: Backup not saved, nothing was written to the device: "), std::string::npos)
        << blocked.err;
    EXPECT_EQ(ReadFile(image), part);
}

TEST_F(ZavtoolSafetyTest, BlankCheckSaysWhetherThePartIsErased)
{
    const std::string image = Work("b6.img");
    std::string part(0x10000, '\xFF');
    WriteFile(image, part);
    const std::vector<std::string> check{"blank-check", "--device", "MC68HC05B6", "--simulate", "--sim-memory",
                                         image};
    const ToolRun blank = Run(check);
    EXPECT_EQ(blank.exitStatus, 0) << blank.err;
    EXPECT_EQ(Lines(blank.err).back(), "Device is blank");

    part[0x0140] = '\x00';
    WriteFile(image, part);
    const ToolRun used = Run(check);
    EXPECT_EQ(used.exitStatus, 1);
    EXPECT_EQ(Lines(used.err).back(), "warning: Device is not blank: 1 cells not 0xFF, first at 0x0140");
}

TEST_F(ZavtoolSafetyTest, CompareAndChecksum)
{
    std::string other = Pattern();
    other[0x0010] = '\0';
    other[0x0011] = '\0';
    other[0xB700] = '\0';
    WriteFile(Work("other.bin"), other);

    const ToolRun differ = Run({"compare", Work("pattern.bin"), Work("other.bin")});
    EXPECT_EQ(differ.exitStatus, 1);
    EXPECT_EQ(differ.out, "0x0010-0x0011\n0xB700\n");
    const ToolRun inRange =
        Run({"compare", Work("pattern.bin"), Work("other.bin"), "--device", "MC68HC11E9", "--range", "0xB600:0xB7FF"});
    EXPECT_EQ(inRange.out, "0xB700\n");
    EXPECT_NE(differ.err.find("3 cells differ in 2 ranges"), std::string::npos) << differ.err;
    EXPECT_NE(inRange.err.find("1 cell differs in 1 range"), std::string::npos) << inRange.err;
    const ToolRun equal = Run({"compare", Work("pattern.bin"), Work("pattern.bin")});
    EXPECT_EQ(equal.exitStatus, 0);
    EXPECT_EQ(equal.out, "");
    EXPECT_EQ(Run({"compare", Work("pattern.bin")}).exitStatus, 2);
    EXPECT_EQ(Run({"compare", Work("pattern.bin"), Work("missing.bin")}).exitStatus, 2);

    WriteFile(Work("digits.bin"), "123456789");
    const ToolRun sum = Run({"checksum", Work("digits.bin")});
    EXPECT_EQ(sum.exitStatus, 0) << sum.err;
    EXPECT_EQ(sum.out, "crc32 0xCBF43926 sum16 0x01DD\n");
    const ToolRun device = Run({"checksum", Work("digits.bin"), "--range", "0:3"});
    EXPECT_EQ(device.out, "crc32 0x9BE3E0A3 sum16 0x00CA\n");
}

} // namespace
} // namespace zav::testing
