#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/default_devices.h"
#include "platform/device_failure.h"
#include "platform/device_probe.h"
#include "platform/linux_serial_port.h"
#include "platform/port_check.h"
#include "platform/ppdev_parallel_port_io.h"
#include "platform/settings_directory.h"
#include "link/programmer_link.h"
#include "ports/system_port_listing.h"
#include "support/temp_folder.h"

namespace zav {
namespace {

namespace fs = std::filesystem;

// Every LPT and COM name mapped to a device that does not exist.
PortsMap MissingDevices(const fs::path& directory)
{
    PortsMap map;
    for (const char* name :
         {"LPT1", "LPT2", "LPT3", "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"}) {
        map.SetTarget(name, (directory / name).string());
    }
    return map;
}

TEST(SettingsDirectory, FollowsXdgConfigHomeThenHome)
{
    const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string restoreConfig = savedConfig != nullptr ? savedConfig : "";
    setenv("XDG_CONFIG_HOME", "/somewhere/config", 1);
    EXPECT_EQ(SettingsDirectory(), fs::path("/somewhere/config/zav"));
    setenv("XDG_CONFIG_HOME", "", 1);
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        EXPECT_EQ(SettingsDirectory(), fs::path(home) / ".config" / "zav");
    }
    if (savedConfig != nullptr) {
        setenv("XDG_CONFIG_HOME", restoreConfig.c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }
}

TEST(SettingsDirectory, PortsFileIsReadWhenPresent)
{
    testing::TempFolder directory;
    EXPECT_TRUE(LoadPortsMap(directory.Path() / "ports").Entries().empty());
    std::ofstream(directory.Path() / "ports") << "LPT2=simulator\nCOM1=/dev/ttyUSB0\nnonsense\n";
    const PortsMap map = LoadPortsMap(directory.Path() / "ports");
    EXPECT_TRUE(map.IsSimulated("LPT2"));
    EXPECT_EQ(map.TargetOf("COM1"), "/dev/ttyUSB0");
}

// A relative XDG_CONFIG_HOME is ignored, as the XDG rules say: the settings do not move with
// the working folder.
TEST(SettingsDirectory, ARelativeConfigHomeIsIgnored)
{
    const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string restoreConfig = savedConfig != nullptr ? savedConfig : "";
    setenv("XDG_CONFIG_HOME", "relative/config", 1);
    const fs::path directory = SettingsDirectory();
    EXPECT_TRUE(directory.is_absolute()) << directory;
    EXPECT_EQ(directory.filename(), "zav");
    EXPECT_EQ(directory.parent_path().filename(), ".config");
    if (savedConfig != nullptr) {
        setenv("XDG_CONFIG_HOME", restoreConfig.c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }
}

// A ports map that exists but cannot be read is an error naming the file and why, with no
// entry at all: nothing may fall back to the default devices.
TEST(SettingsDirectory, APortsMapThatExistsButCannotBeReadIsAnError)
{
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> make;
        std::string why;
    };
    const std::vector<Case> cases = {
        {"folder", [](const fs::path& map) { fs::create_directory(map); }, "it is a folder"},
        {"fifo", [](const fs::path& map) { ASSERT_EQ(::mkfifo(map.c_str(), 0600), 0); },
         "it is not a regular file"},
        {"large",
         [](const fs::path& map) {
             std::ofstream(map) << "LPT1=simulator\n" << std::string(1024 * 1024, '#');
         },
         "it is larger than 1 MiB"},
        {"loop", [](const fs::path& map) { fs::create_symlink(map, map); }, "it cannot be read: "},
        {"dangling", [](const fs::path& map) { fs::create_symlink(map.parent_path() / "gone", map); },
         "it is a link to "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing::TempFolder directory;
        const fs::path file = directory.Path() / "ports";
        c.make(file);
        const PortsMap map = LoadPortsMap(file);
        EXPECT_EQ(map.FileError().rfind("the ports map " + file.string() + " cannot be read: " + c.why, 0),
                  0U)
            << map.FileError();
        EXPECT_NE(map.FileError().find("no port is opened"), std::string::npos);
        EXPECT_TRUE(map.Entries().empty());
    }
    testing::TempFolder directory;
    EXPECT_EQ(LoadPortsMap(directory.Path() / "ports").FileError(), "");
}

// The lines the map passes over are warned about in line order, a repeated name naming the
// line it replaced, and control characters of the file shown escaped.
TEST(SettingsDirectory, PortsMapLineWarningsAreInOrderAndEscaped)
{
    const fs::path file = "/cfg/ports";
    const PortsMap map = PortsMap::Parse("COM1=/dev/ttyUSB0\rbad\x1B[2Jline\r\nCOM1=simulator\n");
    EXPECT_EQ(PortsMapLineWarnings(map, file),
              (std::vector<std::string>{
                  "/cfg/ports: line 2 not read: bad\\x1B[2Jline (not NAME=TARGET)",
                  "/cfg/ports: line 3: COM1 is mapped again; this line is used, not line 1"}));
}

TEST(DefaultDevices, PortNamesMapToKernelDevicesUnlessTheMapSaysOtherwise)
{
    PortsMap map;
    EXPECT_EQ(DevicePathFor("LPT1", map), "/dev/parport0");
    EXPECT_EQ(DevicePathFor("LPT3", map), "/dev/parport2");
    EXPECT_EQ(DevicePathFor("COM1", map), "/dev/ttyS0");
    EXPECT_EQ(DevicePathFor("COM8", map), "/dev/ttyS7");
    EXPECT_EQ(DevicePathFor("COM9", map), "");
    map.SetTarget("COM1", "/dev/ttyUSB3");
    EXPECT_EQ(DevicePathFor("COM1", map), "/dev/ttyUSB3");
}

TEST(DeviceFailure, CausesNameTheDeviceAndWhatToDo)
{
    EXPECT_EQ(DescribeDeviceFailure("/dev/parport0", ENOENT), "no such device: /dev/parport0");
    EXPECT_EQ(DescribeDeviceFailure("/dev/ttyS0", EBUSY), "/dev/ttyS0 is held by another driver or program");
    testing::TempFolder directory;
    const fs::path device = directory.Path() / "device";
    std::ofstream(device) << "";
    fs::permissions(device, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                fs::perms::group_write);
    const std::string group = GroupOfDevice(device.string());
    EXPECT_EQ(DescribeDeviceFailure(device.string(), EACCES),
              "permission denied: " + device.string() + " (members of group " + group +
                  " may use it: sudo usermod -aG " + group + " \"$USER\", then log in again)");
    // A group that may only read cannot drive the port: it is not offered.
    fs::permissions(device, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(DescribeDeviceFailure(device.string(), EACCES),
              "permission denied: " + device.string() +
                  " (no group may use it, only its owner; a udev rule can give a group access)");
    EXPECT_TRUE(IsUsbPrinterDevice("/dev/usb/lp0"));
    EXPECT_FALSE(IsUsbPrinterDevice("/dev/lp0"));
}

// The Ports Setup dialog says why a port is missing; the probe tells the cases apart.
TEST(DeviceProbe, TellsMissingForbiddenUnsuitableAndHeldDevicesApart)
{
    testing::TempFolder directory;
    EXPECT_EQ(ProbeDeviceProblem((directory / "none").string(), true).problem, PortProblem::NoDevice);
    EXPECT_EQ(ProbeDeviceProblem("/dev/usb/lp0", false).problem, PortProblem::Unsuitable);
    const fs::path file = directory / "plain";
    std::ofstream(file) << "";
    EXPECT_EQ(ProbeDeviceProblem(file.string(), true).problem, PortProblem::Unsuitable);
    EXPECT_EQ(ProbeDeviceProblem(file.string(), false).problem, PortProblem::HeldByDriver);
    if (geteuid() == 0) GTEST_SKIP() << "root opens any file; the permission case needs a plain user";
    fs::permissions(file, fs::perms::none);
    const DeviceProblem forbidden = ProbeDeviceProblem(file.string(), false);
    EXPECT_EQ(forbidden.problem, PortProblem::NoPermission);
    EXPECT_EQ(forbidden.group, GroupOfDevice(file.string()));
    EXPECT_FALSE(forbidden.group.empty());
}

TEST(PpdevParallelPort, MissingDeviceFailsTheOpenWithItsCause)
{
    testing::TempFolder directory;
    PortsMap map = MissingDevices(directory.Path());
    map.SetTarget("LPT2", "/dev/usb/lp0");
    PpdevParallelPortIo io(map);
    std::atomic<bool> stop{false};
    ProgrammerLink link(PortAccess{&io, nullptr, nullptr});
    link.Open("LPT1", 0, stop, 0);
    EXPECT_EQ(link.LastError(), "Error opening port: LPT1");
    EXPECT_EQ(link.ErrorCause().rfind("no such device: " + (directory.Path() / "LPT1").string(), 0), 0u);
    link.Open("LPT2", 0, stop, 0);
    EXPECT_EQ(link.ErrorCause(),
              "/dev/usb/lp0 is a USB printer adapter, which cannot drive the port's lines bit by bit");
    EXPECT_EQ(PresentPortNames(SystemPortListing(map).ParallelPorts()), (std::vector<std::string>{"NO port detected"}));
}

TEST(PpdevParallelPort, DeviceThatIsNoParallelPortCannotBeClaimed)
{
    testing::TempFolder directory;
    const fs::path notAPort = directory.Path() / "not_a_port";
    std::ofstream(notAPort) << "";
    PortsMap map;
    map.SetTarget("LPT1", notAPort.string());
    PpdevParallelPortIo io(map);
    EXPECT_EQ(io.BaseAddress(1), 0x378);
    EXPECT_FALSE(io.Claim(1));
    EXPECT_FALSE(io.FailureCause().empty());
}

TEST(LinuxSerialPort, RefusesMissingDevicesAndFilesThatAreNoTerminal)
{
    testing::TempFolder directory;
    PortsMap map = MissingDevices(directory.Path());
    const fs::path file = directory.Path() / "plain_file";
    std::ofstream(file) << "";
    map.SetTarget("COM2", file.string());
    LinuxSerialPort port(map);
    EXPECT_FALSE(port.Open("COM1"));
    EXPECT_EQ(port.FailureCause(), "no such device: " + (directory.Path() / "COM1").string());
    EXPECT_FALSE(port.Open("COM2"));
    EXPECT_EQ(port.FailureCause(), file.string() + " is not a serial device");
    EXPECT_FALSE(port.Open("LPT1"));
    EXPECT_EQ(PresentPortNames(SystemPortListing(map).SerialPorts()), (std::vector<std::string>{"NO port detected"}));
}

TEST(PortCheck, ReportsUsableSimulatorsAndMissingDevices)
{
    testing::TempFolder directory;
    PortsMap map = MissingDevices(directory.Path());
    map.SetTarget("LPT3", "simulator");
    const PortCheck simulated = CheckPort("LPT3", map);
    EXPECT_TRUE(simulated.usable);
    EXPECT_EQ(DescribePortCheck(simulated), "LPT3 (simulator): usable; clock-line ready can be read");
    const PortCheck missing = CheckPort("COM4", map);
    EXPECT_FALSE(missing.usable);
    const std::string device = (directory.Path() / "COM4").string();
    EXPECT_EQ(DescribePortCheck(missing), "COM4 (" + device + "): not usable: no such device: " + device);
    EXPECT_FALSE(CheckPort("LPT1", map).usable);
    EXPECT_FALSE(CheckPort("COM9", map).usable);
}

TEST(PortCheck, AParallelPortSaysWhetherClockLineReadyCanBeRead)
{
    PortCheck check{"LPT1", "/dev/parport0", true, "", false, "run it as root", ""};
    EXPECT_EQ(DescribePortCheck(check),
              "LPT1 (/dev/parport0): usable; clock-line ready cannot be read: run it as root");
    check.clockReadyReadable = true;
    EXPECT_EQ(DescribePortCheck(check), "LPT1 (/dev/parport0): usable; clock-line ready can be read");
    const PortCheck serial{"COM1", "/dev/ttyS0", true, "", std::nullopt, "", ""};
    EXPECT_EQ(DescribePortCheck(serial), "COM1 (/dev/ttyS0): usable");
}

} // namespace
} // namespace zav
