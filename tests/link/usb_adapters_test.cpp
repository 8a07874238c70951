// The USB adapters as sysfs and udev show them, from folders laid out the way the kernel does.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/lib_ftdi_usb.h"
#include "platform/usb_serial_adapters.h"
#include "support/temp_folder.h"

namespace zav {
namespace {

namespace fs = std::filesystem;

void WriteAttributes(const fs::path& device, std::initializer_list<std::pair<const char*, const char*>> attributes)
{
    fs::create_directories(device);
    for (const auto& [name, value] : attributes) std::ofstream(device / name) << value << '\n';
}

TEST(FtdiAdaptersOnTheBus, AreFoundByIdsWithChipSerialAndDeviceFile)
{
    testing::TempFolder sys;
    WriteAttributes(sys / "1-1", {{"idVendor", "0403"}, {"idProduct", "6001"}, {"bcdDevice", "0600"},
                                  {"serial", "A6008isP"}, {"manufacturer", "FTDI"}, {"product", "FT232R USB UART"},
                                  {"busnum", "1"}, {"devnum", "7"}});
    WriteAttributes(sys / "1-2", {{"idVendor", "0403"}, {"idProduct", "6014"}, {"bcdDevice", "0900"},
                                  {"serial", "FT1X"}, {"busnum", "1"}, {"devnum", "12"}});
    // A hub and an interface folder: no ids of an adapter.
    WriteAttributes(sys / "usb1", {{"idVendor", "1d6b"}, {"idProduct", "0002"}});
    fs::create_directories(sys / "1-1:1.0");

    LibFtdiUsb usb(sys.Path());
    std::vector<FtdiAdapterInfo> found;
    ASSERT_TRUE(usb.Find(0, 0, found)) << usb.FailureCause();
    ASSERT_EQ(found.size(), 2U);
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.product < b.product; });
    EXPECT_EQ(found[0].chip, FtdiChip::Ft232R);
    EXPECT_EQ(found[0].serial, "A6008isP");
    EXPECT_EQ(found[0].description, "FT232R USB UART");
    EXPECT_EQ(found[0].devicePath, "/dev/bus/usb/001/007");
    EXPECT_EQ(found[1].chip, FtdiChip::Ft232H);

    ASSERT_TRUE(usb.Find(0x0403, 0x6014, found));
    ASSERT_EQ(found.size(), 1U);
    EXPECT_EQ(found[0].serial, "FT1X");
}

TEST(FtdiAdaptersOnTheBus, AMachineWithoutAUsbBusHasNone)
{
    testing::TempFolder sys;
    LibFtdiUsb usb(sys / "absent");
    std::vector<FtdiAdapterInfo> found;
    EXPECT_TRUE(usb.Find(0x0403, 0x6001, found)) << usb.FailureCause();
    EXPECT_TRUE(found.empty());
}

FtdiAdapterInfo AdapterAt(std::uint8_t bus, std::uint8_t address)
{
    FtdiAdapterInfo adapter;
    adapter.vendor = 0x0403;
    adapter.product = 0x6001;
    adapter.chip = FtdiChip::Ft232R;
    adapter.bus = bus;
    adapter.address = address;
    adapter.devicePath = "/dev/bus/usb/" + std::to_string(bus) + "/" + std::to_string(address);
    return adapter;
}

// libftdi is loaded when an adapter is first opened: a library that is missing or is not
// libftdi refuses the adapter with the reason, every time it is tried, and never crashes.
TEST(LibFtdiLoadedOnFirstOpen, RefusesTheAdapterWhenTheLibraryCannotBeLoaded)
{
    const FtdiAdapterInfo adapter = AdapterAt(1, 7);
    const struct {
        const char* library;
        const char* reasonNames;
    } cases[] = {
        {"libzav-no-such-ftdi.so.9", "libzav-no-such-ftdi.so.9"},
        {"libm.so.6", "ftdi_new"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.library);
        LibFtdiUsb usb("/sys/bus/usb/devices", c.library);
        for (int attempt = 0; attempt < 2; ++attempt) {
            EXPECT_EQ(usb.Open(adapter, 0xFF), nullptr);
            const std::string cause = usb.FailureCause();
            EXPECT_EQ(cause.rfind("USB adapter support could not be loaded: ", 0), 0U) << cause;
            EXPECT_NE(cause.find(c.reasonNames), std::string::npos) << cause;
        }
    }
}

// The library the program was built against loads: opening an adapter that is not there
// fails in libftdi or at the device file, not in loading.
TEST(LibFtdiLoadedOnFirstOpen, TheBuiltAgainstLibraryLoads)
{
    LibFtdiUsb usb;
    EXPECT_EQ(usb.Open(AdapterAt(255, 255), 0xFF), nullptr);
    const std::string cause = usb.FailureCause();
    EXPECT_FALSE(cause.empty());
    EXPECT_EQ(cause.find("could not be loaded"), std::string::npos) << cause;
}

// The stable name leads to the tty, and the USB device above the tty gives ids and names.
TEST(UsbSerialAdapters, AreListedByStableNameWithDeviceAndMaker)
{
    testing::TempFolder root;
    const fs::path usbDevice = root / "devices/pci0000:00/usb1/1-1";
    WriteAttributes(usbDevice, {{"idVendor", "0403"}, {"idProduct", "6001"}, {"manufacturer", "FTDI"},
                                {"product", "FT232R USB UART"}});
    fs::create_directories(usbDevice / "1-1:1.0/ttyUSB3");
    fs::create_directories(root / "class/tty/ttyUSB3");
    fs::create_directory_symlink(usbDevice / "1-1:1.0/ttyUSB3", root / "class/tty/ttyUSB3/device");
    std::ofstream(root / "ttyUSB3") << "";
    std::ofstream(root / "ttyS9") << "";
    fs::create_directories(root / "by-id");
    fs::create_symlink(root / "ttyUSB3", root / "by-id/usb-FTDI_FT232R_USB_UART_A1-if00-port0");
    fs::create_symlink(root / "ttyS9", root / "by-id/pci-serial-card");

    const auto adapters = FindUsbSerialAdapters(root / "by-id", root / "class/tty");
    ASSERT_EQ(adapters.size(), 2U);
    EXPECT_EQ(adapters[0].stableName, (root / "by-id/pci-serial-card").string());
    EXPECT_EQ(adapters[0].usbId, "") << "no USB device above it";
    EXPECT_EQ(adapters[1].stableName, (root / "by-id/usb-FTDI_FT232R_USB_UART_A1-if00-port0").string());
    EXPECT_EQ(adapters[1].device, (root / "ttyUSB3").string());
    EXPECT_EQ(adapters[1].usbId, "0403:6001");
    EXPECT_EQ(adapters[1].manufacturer, "FTDI");
    EXPECT_EQ(adapters[1].product, "FT232R USB UART");

    EXPECT_TRUE(FindUsbSerialAdapters(root / "no-by-id", root / "class/tty").empty());
}

} // namespace
} // namespace zav
