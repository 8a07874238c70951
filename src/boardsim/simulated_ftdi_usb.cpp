#include "boardsim/simulated_ftdi_usb.h"

namespace zav {

namespace {

constexpr int kBoardPort = 1;

bool PinLevel(std::uint8_t pins, int pin)
{
    return ((pins >> pin) & 1) != 0;
}

} // namespace

class SimulatedFtdiUsb::Connection final : public FtdiConnection {
public:
    explicit Connection(SimulatedFtdiUsb& usb) : usb_(usb) {}
    ~Connection() override
    {
        usb_.open_ = false;
        if (usb_.plugged_) usb_.board_.Release(kBoardPort);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool Transfer(std::span<const std::uint8_t> out, std::span<std::uint8_t> in) override
    {
        return usb_.TransferOnBoard(out, in);
    }
    std::string FailureCause() const override { return "LIBUSB_ERROR_NO_DEVICE: the device is gone"; }

private:
    SimulatedFtdiUsb& usb_;
};

SimulatedFtdiUsb::SimulatedFtdiUsb(ParallelPortIo& board, FtdiPinMap wiring, VirtualClock* clock)
    : board_(board), wiring_(wiring), clock_(clock), base_(board.BaseAddress(kBoardPort))
{
    FtdiAdapterInfo adapter;
    adapter.vendor = 0x0403;
    adapter.product = 0x6001;
    adapter.chip = FtdiChip::Ft232R;
    adapter.serial = "ZAVSIM01";
    adapter.manufacturer = "FTDI";
    adapter.description = "FT232R USB UART";
    adapter.bus = 1;
    adapter.address = 4;
    adapter.devicePath = "/dev/bus/usb/001/004";
    adapters.push_back(adapter);
}

bool SimulatedFtdiUsb::Find(std::uint16_t vendor, std::uint16_t product, std::vector<FtdiAdapterInfo>& found)
{
    found.clear();
    if (!plugged_) return true;
    for (const FtdiAdapterInfo& adapter : adapters) {
        const bool any = vendor == 0 && product == 0;
        if (any || (adapter.vendor == vendor && adapter.product == product)) found.push_back(adapter);
    }
    return true;
}

std::unique_ptr<FtdiConnection> SimulatedFtdiUsb::Open(const FtdiAdapterInfo& adapter, std::uint8_t outputMask)
{
    if (!plugged_ || adapters.empty() || adapter.serial != adapters.front().serial) {
        failureCause_ = "the adapter cannot be opened: device not found";
        return nullptr;
    }
    if (open_) {
        failureCause_ = "the adapter cannot be opened (another program may hold it)";
        return nullptr;
    }
    if (!board_.Claim(kBoardPort)) {
        failureCause_ = board_.FailureCause();
        return nullptr;
    }
    open_ = true;
    outputMask_ = outputMask;
    return std::make_unique<Connection>(*this);
}

bool SimulatedFtdiUsb::TransferOnBoard(std::span<const std::uint8_t> out, std::span<std::uint8_t> in)
{
    if (!plugged_) return false;
    if (unplugAfterTransfers && transfers_ >= *unplugAfterTransfers) {
        plugged_ = false;
        board_.Release(kBoardPort);
        return false;
    }
    ++transfers_;
    if (clock_ != nullptr) clock_->AdvanceUs(transferUs);
    for (std::size_t i = 0; i < out.size(); ++i) {
        in[i] = SamplePins();
        Drive(out[i]);
        ++pinUpdates_;
    }
    return true;
}

std::uint8_t SimulatedFtdiUsb::SamplePins()
{
    const std::uint8_t status = board_.Read(static_cast<std::uint16_t>(base_ + kStatusOffset));
    const std::uint8_t control = board_.Read(static_cast<std::uint16_t>(base_ + kControlOffset));
    // Unwired pins float high.
    std::uint8_t pins = 0xFF;
    for (const ConnectorLineInfo& info : ConnectorLines()) {
        const std::optional<int> pin = wiring_.PinOf(info.line);
        if (!pin) continue;
        bool level = true;
        if (info.registerOffset == kDataOffset) {
            level = PinLevel(outputMask_, *pin) ? PinLevel(driven_, *pin) : true;
        } else {
            // The board's inputs and the control lines it may hold are read from its side.
            const std::uint8_t reg = info.registerOffset == kStatusOffset ? status : control;
            level = ((reg & info.bit) != 0) != info.inverted;
        }
        if (!level) pins &= static_cast<std::uint8_t>(~(1U << *pin));
    }
    return pins;
}

void SimulatedFtdiUsb::Drive(std::uint8_t pins)
{
    driven_ = pins;
    std::uint8_t data = 0;
    std::uint8_t control = 0;
    for (const ConnectorLineInfo& info : ConnectorLines()) {
        if (!info.output) continue;
        const std::optional<int> pin = wiring_.PinOf(info.line);
        // The board does not see a line without a wire; one on a pin the adapter does not
        // drive floats high.
        if (!pin) continue;
        const bool level = PinLevel(outputMask_, *pin) ? PinLevel(pins, *pin) : true;
        if (level == info.inverted) continue;
        if (info.registerOffset == kDataOffset) {
            data |= info.bit;
        } else {
            control |= info.bit;
        }
    }
    // The board sees a line change, not a byte sent: only what changed is written.
    if (data != boardData_) {
        board_.Write(static_cast<std::uint16_t>(base_ + kDataOffset), data);
        boardData_ = data;
    }
    if (control != boardControl_) {
        board_.Write(static_cast<std::uint16_t>(base_ + kControlOffset), control);
        boardControl_ = control;
    }
}

} // namespace zav
