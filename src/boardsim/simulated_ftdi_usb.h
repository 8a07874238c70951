#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/ftdi_pin_map.h"
#include "link/ftdi_usb.h"
#include "link/parallel_port_io.h"
#include "link/virtual_clock.h"

namespace zav {

// A USB FTDI adapter in synchronous bit-bang mode whose eight pins are wired, as `wiring`
// says, to the parallel connector of a board (the simulated board, on its LPT1): each byte
// written drives the output pins and samples all eight just before, and the board sees the
// lines' changes as register writes on a real port would give them. A connector input
// without a wire floats high; a wired line on a pin the adapter does not drive too.
//
// Each transfer costs one USB frame of the virtual clock: a millisecond for a full-speed
// chip (FT232R), 125 us for a high-speed one (FT232H), on top of the board's own
// microsecond per register access.
class SimulatedFtdiUsb final : public FtdiUsb {
public:
    static constexpr std::int64_t kFullSpeedFrameUs = 1000;
    static constexpr std::int64_t kHighSpeedMicroframeUs = 125;

    // One FT232R 0403:6001 with serial "ZAVSIM01", accessible, at bus 1 address 4.
    SimulatedFtdiUsb(ParallelPortIo& board, FtdiPinMap wiring, VirtualClock* clock);
    SimulatedFtdiUsb(const SimulatedFtdiUsb&) = delete;
    SimulatedFtdiUsb& operator=(const SimulatedFtdiUsb&) = delete;

    [[nodiscard]] bool Find(std::uint16_t vendor, std::uint16_t product,
                            std::vector<FtdiAdapterInfo>& found) override;
    [[nodiscard]] std::unique_ptr<FtdiConnection> Open(const FtdiAdapterInfo& adapter,
                                                       std::uint8_t outputMask) override;
    [[nodiscard]] std::string FailureCause() const override { return failureCause_; }

    // What the bus shows; the first adapter is the one wired to the board.
    std::vector<FtdiAdapterInfo> adapters;
    // The virtual time one transfer costs; the frame of the first adapter's chip by default.
    std::int64_t transferUs = kFullSpeedFrameUs;
    // The adapter is pulled out after this many transfers.
    std::optional<std::int64_t> unplugAfterTransfers;

    [[nodiscard]] std::int64_t Transfers() const { return transfers_; }
    [[nodiscard]] std::int64_t PinUpdates() const { return pinUpdates_; }
    [[nodiscard]] bool Plugged() const { return plugged_; }
    // The pins the backend set as outputs when it opened the adapter.
    [[nodiscard]] std::uint8_t OutputMask() const { return outputMask_; }
    [[nodiscard]] bool IsOpen() const { return open_; }

private:
    class Connection;

    bool TransferOnBoard(std::span<const std::uint8_t> out, std::span<std::uint8_t> in);
    [[nodiscard]] std::uint8_t SamplePins();
    void Drive(std::uint8_t pins);

    ParallelPortIo& board_;
    FtdiPinMap wiring_;
    VirtualClock* clock_;
    std::uint16_t base_;
    std::string failureCause_;
    std::uint8_t outputMask_ = 0;
    std::uint8_t driven_ = 0;
    // The registers as the board last saw them; a board starts with every line at rest.
    std::uint8_t boardData_ = 0;
    std::uint8_t boardControl_ = 0;
    std::int64_t transfers_ = 0;
    std::int64_t pinUpdates_ = 0;
    bool plugged_ = true;
    bool open_ = false;
};

} // namespace zav
