#include "platform/lib_ftdi_usb.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <unistd.h>

#include "platform/lib_ftdi_functions.h"

namespace zav {

namespace {

constexpr std::uint16_t kFtdiVendor = 0x0403;
constexpr std::array<std::uint16_t, 5> kFtdiProducts = {0x6001, 0x6010, 0x6011, 0x6014, 0x6015};
// About a microsecond per pin update: the chips update the pins at sixteen times this rate.
constexpr int kBitBangBaud = 62'500;
constexpr unsigned char kSmallestLatencyMs = 1;
// A transfer's samples are back within a few milliseconds; this long without them and the
// adapter is gone.
constexpr int kUsbTimeoutMs = 500;
constexpr auto kAnswerDeadline = std::chrono::milliseconds(kUsbTimeoutMs);

std::string ReadAttribute(const std::filesystem::path& device, const char* name)
{
    std::ifstream file(device / name);
    std::string value;
    std::getline(file, value);
    return value;
}

std::optional<unsigned> HexAttribute(const std::filesystem::path& device, const char* name)
{
    const std::string text = ReadAttribute(device, name);
    if (text.empty()) return std::nullopt;
    try {
        std::size_t used = 0;
        const unsigned long value = std::stoul(text, &used, 16);
        if (used != text.size() || value > 0xFFFF) return std::nullopt;
        return static_cast<unsigned>(value);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<unsigned> DecimalAttribute(const std::filesystem::path& device, const char* name)
{
    const std::string text = ReadAttribute(device, name);
    if (text.empty()) return std::nullopt;
    try {
        std::size_t used = 0;
        const unsigned long value = std::stoul(text, &used, 10);
        if (used != text.size() || value > 0xFF) return std::nullopt;
        return static_cast<unsigned>(value);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// Holds the library for as long as a context of it is open.
struct ContextDeleter {
    std::shared_ptr<const LibFtdiFunctions> ftdi;

    void operator()(ftdi_context* context) const
    {
        ftdi->close(context);
        ftdi->freeContext(context);
    }
};
using Context = std::unique_ptr<ftdi_context, ContextDeleter>;

class LibFtdiConnection final : public FtdiConnection {
public:
    explicit LibFtdiConnection(Context context) : context_(std::move(context)), ftdi_(*context_.get_deleter().ftdi) {}

    bool Transfer(std::span<const std::uint8_t> out, std::span<std::uint8_t> in) override
    {
        const int count = static_cast<int>(out.size());
        if (ftdi_.writeData(context_.get(), out.data(), count) != count) return Fail("writing");
        // libftdi returns what has arrived so far; the samples come in over a few frames.
        int received = 0;
        const auto deadline = std::chrono::steady_clock::now() + kAnswerDeadline;
        while (received < count) {
            const int got = ftdi_.readData(context_.get(), in.data() + received, count - received);
            if (got < 0) return Fail("reading");
            received += got;
            if (got == 0 && std::chrono::steady_clock::now() > deadline) {
                failureCause_ = "no answer within " + std::to_string(kUsbTimeoutMs) + " ms";
                return false;
            }
        }
        return true;
    }
    std::string FailureCause() const override { return failureCause_; }

private:
    bool Fail(const char* what)
    {
        failureCause_ = std::string(what) + " failed: " + ftdi_.errorString(context_.get());
        return false;
    }

    Context context_;
    const LibFtdiFunctions& ftdi_;
    std::string failureCause_;
};

} // namespace

bool IsFtdiId(std::uint16_t vendor, std::uint16_t product)
{
    if (vendor != kFtdiVendor) return false;
    for (const std::uint16_t id : kFtdiProducts) {
        if (id == product) return true;
    }
    return false;
}

LibFtdiUsb::LibFtdiUsb(std::filesystem::path usbDevices, std::string libFtdi)
    : usbDevices_(std::move(usbDevices)), libFtdi_(libFtdi.empty() ? kLibFtdiLibrary : std::move(libFtdi))
{
}

bool LibFtdiUsb::Find(std::uint16_t vendor, std::uint16_t product, std::vector<FtdiAdapterInfo>& found)
{
    failureCause_.clear();
    found.clear();
    std::error_code error;
    std::filesystem::directory_iterator devices(usbDevices_, error);
    // A machine (or container) without a USB bus has no adapter plugged in.
    if (error == std::errc::no_such_file_or_directory) return true;
    if (error) {
        failureCause_ = "the USB devices cannot be listed (" + usbDevices_.string() + ": " + error.message() + ")";
        return false;
    }
    for (const auto& entry : devices) {
        const std::filesystem::path device = entry.path();
        const auto idVendor = HexAttribute(device, "idVendor");
        const auto idProduct = HexAttribute(device, "idProduct");
        if (!idVendor || !idProduct) continue;
        const auto v = static_cast<std::uint16_t>(*idVendor);
        const auto p = static_cast<std::uint16_t>(*idProduct);
        const bool wanted = vendor == 0 && product == 0 ? IsFtdiId(v, p) : v == vendor && p == product;
        if (!wanted) continue;
        FtdiAdapterInfo adapter;
        adapter.vendor = v;
        adapter.product = p;
        adapter.chip = FtdiChipFromRelease(static_cast<std::uint16_t>(HexAttribute(device, "bcdDevice").value_or(0)));
        adapter.serial = ReadAttribute(device, "serial");
        adapter.manufacturer = ReadAttribute(device, "manufacturer");
        adapter.description = ReadAttribute(device, "product");
        adapter.bus = static_cast<std::uint8_t>(DecimalAttribute(device, "busnum").value_or(0));
        adapter.address = static_cast<std::uint8_t>(DecimalAttribute(device, "devnum").value_or(0));
        char path[32];
        std::snprintf(path, sizeof path, "/dev/bus/usb/%03u/%03u", unsigned{adapter.bus}, unsigned{adapter.address});
        adapter.devicePath = path;
        adapter.accessible = access(path, R_OK | W_OK) == 0;
        found.push_back(std::move(adapter));
    }
    return true;
}

std::unique_ptr<FtdiConnection> LibFtdiUsb::Open(const FtdiAdapterInfo& adapter, std::uint8_t outputMask)
{
    failureCause_.clear();
    const std::shared_ptr<const LibFtdiFunctions> functions = LoadLibFtdi(libFtdi_, failureCause_);
    if (!functions) return nullptr;
    const LibFtdiFunctions& ftdi = *functions;
    Context context(ftdi.newContext(), ContextDeleter{functions});
    if (!context) {
        failureCause_ = "libftdi could not be started";
        return nullptr;
    }
    const auto fail = [&](const char* step) -> std::unique_ptr<FtdiConnection> {
        failureCause_ = std::string(step) + ": " + ftdi.errorString(context.get());
        return nullptr;
    };
    // The multi-channel chips bit-bang on their first channel (ADBUS).
    if (ftdi.setInterface(context.get(), INTERFACE_A) < 0) return fail("choosing the adapter's first channel");
    const int opened = ftdi.openBusAddress(context.get(), adapter.bus, adapter.address);
    if (opened < 0) {
        if (access(adapter.devicePath.c_str(), R_OK | W_OK) != 0) {
            failureCause_ = "no permission to use the adapter (" + adapter.devicePath +
                            "): install the udev rule 60-zav-usb-adapters.rules, then plug the adapter in again";
            return nullptr;
        }
        return fail("the adapter cannot be opened (another program may hold it)");
    }
    context->usb_read_timeout = kUsbTimeoutMs;
    context->usb_write_timeout = kUsbTimeoutMs;
    if (ftdi.reset(context.get()) < 0) return fail("resetting the adapter");
    if (ftdi.flushBuffers(context.get()) < 0) return fail("emptying the adapter's buffers");
    if (ftdi.setLatencyTimer(context.get(), kSmallestLatencyMs) < 0) return fail("setting the latency timer");
    if (ftdi.setBaudRate(context.get(), kBitBangBaud) < 0) return fail("setting the bit-bang rate");
    if (ftdi.setBitMode(context.get(), outputMask, BITMODE_SYNCBB) < 0) return fail("starting synchronous bit-bang mode");
    // Samples taken while the mode changed would be read as the first transfer's.
    if (ftdi.flushBuffers(context.get()) < 0) return fail("emptying the adapter's buffers");
    return std::make_unique<LibFtdiConnection>(std::move(context));
}

} // namespace zav
