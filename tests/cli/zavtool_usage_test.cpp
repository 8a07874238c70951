#include <filesystem>

#include "tool_test_fixture.h"

namespace zav::testing {
namespace {

using ZavtoolUsageTest = ToolTest;

TEST_F(ZavtoolUsageTest, HelpForTheToolAndEverySubcommand)
{
    const ToolRun tool = Run({"--help"});
    EXPECT_EQ(tool.exitStatus, 0);
    EXPECT_EQ(tool.err, "");
    for (const char* subcommand :
         {"devices", "ports", "detect", "convert", "dump", "export", "read", "program"}) {
        EXPECT_NE(tool.out.find(std::string("zavtool ") + subcommand), std::string::npos) << subcommand;
        const ToolRun help = Run({subcommand, "--help"});
        EXPECT_EQ(help.exitStatus, 0) << subcommand;
        EXPECT_EQ(help.out.rfind(std::string("usage: zavtool ") + subcommand, 0), 0U) << help.out;
    }
    EXPECT_NE(Run({"program", "--help"}).out.find("--sim-memory IMAGE"), std::string::npos);
}

// Every subcommand's usage lists --quiet; the formats of dump and export default as
// convert's do, by the extension.
TEST_F(ZavtoolUsageTest, EveryUsageListsQuiet)
{
    for (const char* subcommand :
         {"devices", "ports", "detect", "convert", "dump", "export", "read", "program"}) {
        const ToolRun help = Run({subcommand, "--help"});
        const std::string usage = help.out.substr(0, help.out.find("\n\n"));
        EXPECT_NE(usage.find("[--quiet]"), std::string::npos) << usage;
        EXPECT_NE(help.out.find("\n  --quiet "), std::string::npos) << help.out;
    }
    for (const char* subcommand : {"dump", "export"}) {
        EXPECT_NE(Run({subcommand, "--help"}).out.find("(default: by its extension when detection"),
                  std::string::npos)
            << subcommand;
    }
}

TEST_F(ZavtoolUsageTest, QuietBeforeTheSubcommandLeavesOutThePlainLines)
{
    WriteFile(Work("a.hex"), ":0400000001020304F2\r\n:00000001FF\r\n");
    const ToolRun loud = Run({"convert", Work("a.hex"), Work("a.s19")});
    EXPECT_EQ(loud.exitStatus, 0) << loud.err;
    EXPECT_NE(loud.err, "");
    const ToolRun quiet = Run({"--quiet", "convert", Work("a.hex"), Work("b.s19")});
    EXPECT_EQ(quiet.exitStatus, 0) << quiet.err;
    EXPECT_EQ(quiet.err, "");
    EXPECT_EQ(ReadFile(Work("a.s19")), ReadFile(Work("b.s19")));
}

// A usage error is one line of reason, then the usage, and nothing on standard output.
TEST_F(ZavtoolUsageTest, UsageErrorsExitWithTwo)
{
    const ToolRun unknownDevice = Run({"read", "--device", "MC68HC11E2", "--simulate"});
    EXPECT_EQ(unknownDevice.exitStatus, 2);
    EXPECT_EQ(unknownDevice.out, "");
    const auto lines = Lines(unknownDevice.err);
    ASSERT_GE(lines.size(), 2U);
    EXPECT_EQ(lines[0].rfind(
                  "zavtool: unknown device \"MC68HC11E2\"; the devices are: MC68HC05B6, MC68HC705B16,", 0),
              0U);
    EXPECT_NE(lines[0].find("TMS375C006 (512)"), std::string::npos);
    EXPECT_EQ(lines[1],
              "usage: zavtool read --device NAME [--port PORT] [--delay N] [--tries N] [--out FILE]");

    const ToolRun badNumber = Run({"dump", Work("x"), "--range", "0x100:0x1G0"});
    EXPECT_EQ(badNumber.exitStatus, 2);
    EXPECT_EQ(Lines(badNumber.err)[0].rfind("zavtool: --range:", 0), 0U) << badNumber.err;

    const ToolRun nothing = Run({});
    EXPECT_EQ(nothing.exitStatus, 2);
    EXPECT_NE(nothing.err.find("zavtool program --device NAME --in FILE"), std::string::npos);
}

TEST_F(ZavtoolUsageTest, VersionNamesTheToolAndItsVersion)
{
    const ToolRun version = Run({"--version"});
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.out.rfind("zavtool ", 0), 0U);
    EXPECT_EQ(Lines(version.out).size(), 1U);
    EXPECT_EQ(Run({"--version", "devices"}).exitStatus, 2);
}

TEST_F(ZavtoolUsageTest, DevicesListsTheCatalogueInOrder)
{
    const ToolRun run = Run({"devices"});
    EXPECT_EQ(run.exitStatus, 0);
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 12U);
    EXPECT_EQ(lines[0], "MC68HC05B6\tMC68HC05B6\tLPT\t0x0100-0x01FF");
    EXPECT_EQ(lines[2], "MC68HC05L28\tMC68HC05L28\tCOM\t0x0300-0x03FF");
    EXPECT_EQ(lines[3], "MC68HC11E9\tMC68HC11E9\tLPT\t0xB600-0xB7FF,0x103F-0x103F");
    EXPECT_EQ(lines[6], "MC68HC11PA8\tMC68HC11PA8\tLPT\t0x0E00-0x0FFF,0x003F-0x003F,0xBE40-0xFFFF");
    EXPECT_EQ(lines[11], "TMS375C006 (512)\tTMS375C006\tLPT\t0x1E00-0x1FFF");
}

// The ports map decides what stands behind a name: mapped to the simulator, LPT2 and COM3
// are there whatever this machine has.
TEST_F(ZavtoolUsageTest, PortsFollowThePortsMapAndCheckEveryName)
{
    std::filesystem::create_directories(SettingsFolder());
    WriteFile(SettingsFolder() + "/ports", "LPT2=simulator\r\nCOM3=simulator\nnonsense\ncom1=/dev/ttyUSB0\n"
                                           "LPT1=/nonexistent/parport\nCOM2=/nonexistent/tty\n");
    const ToolRun list = Run({"ports"});
    EXPECT_EQ(list.exitStatus, 0);
    // Each list under its own heading: a serial port is never taken for a parallel one.
    const std::size_t parallel = list.out.find("Parallel ports:\n");
    const std::size_t serial = list.out.find("Serial ports:\n");
    ASSERT_NE(parallel, std::string::npos) << list.out;
    ASSERT_NE(serial, std::string::npos) << list.out;
    const std::size_t lpt2 = list.out.find("  LPT2\n");
    const std::size_t com3 = list.out.find("  COM3\n");
    EXPECT_TRUE(parallel < lpt2 && lpt2 < serial && serial < com3) << list.out;

    const ToolRun check = Run({"ports", "--check"});
    EXPECT_EQ(check.exitStatus, 0);
    EXPECT_NE(check.out.find("\n  LPT2 (simulator): usable; clock-line ready can be read\n"),
              std::string::npos)
        << check.out;
    for (const char* name : {"LPT1 (", "LPT3 (", "COM1 (", "COM8 ("}) {
        EXPECT_NE(check.out.find(std::string("\n  ") + name), std::string::npos) << name;
    }
    // A missing device comes with what makes it appear.
    EXPECT_NE(
        check.out.find("  LPT1 (/nonexistent/parport): not usable: no such device: /nonexistent/parport\n"
                       "    fix: load the parallel port drivers (sudo modprobe parport_pc ppdev)"),
        std::string::npos)
        << check.out;
    EXPECT_NE(check.out.find("    fix: a USB serial adapter (ls /dev/ttyUSB* /dev/ttyACM*) is mapped in " +
                             SettingsFolder() + "/ports with a line COM2=/dev/ttyUSB0\n"),
              std::string::npos)
        << check.out;
    // The lines of the ports map it could not read, by number, instead of silence.
    EXPECT_NE(
        check.out.find("  line 3 not read: nonsense (not NAME=TARGET)\n"
                       "  line 4 not read: com1=/dev/ttyUSB0 (NAME is one of LPT1 to LPT3 or COM1 to COM8, "
                       "in capitals)\n"),
        std::string::npos)
        << check.out;

    // A map that cannot be read: no device is tried, the run says why.
    std::filesystem::remove(SettingsFolder() + "/ports");
    std::filesystem::create_directory(SettingsFolder() + "/ports");
    const ToolRun unreadable = Run({"ports", "--check"});
    EXPECT_EQ(unreadable.exitStatus, 2);
    EXPECT_EQ(unreadable.out, "");
    EXPECT_EQ(unreadable.err, "zavtool: ports: the ports map " + SettingsFolder() +
                                  "/ports cannot be read: it is a folder; no port is opened until it is mended "
                                  "or removed.\n");
}

} // namespace
} // namespace zav::testing
