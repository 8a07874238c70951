#include "ports/ports_map_link_factory.h"

#include <utility>

#include "boardsim/simulated_board.h"
#include "link/ftdi_target.h"
#include "platform/flushing_clock.h"
#include "platform/ftdi_parallel_port_io.h"
#include "platform/lib_ftdi_usb.h"
#include "platform/linux_serial_port.h"
#include "platform/ppdev_parallel_port_io.h"
#include "link/real_time_clock.h"
#include "ports/refused_ports.h"

namespace zav {

namespace {

// The Linux backends for one sequence, on real time.
class RealPorts final : public LinkEndpoint {
public:
    explicit RealPorts(const PortsMap& map) : parallel_(map), serial_(map) {}
    [[nodiscard]] PortAccess Access() override { return PortAccess{&parallel_, &serial_, &clock_}; }

private:
    PpdevParallelPortIo parallel_;
    LinuxSerialPort serial_;
    RealTimeClock clock_;
};

// A parallel port on a USB FTDI adapter, on real time; its waits send the queued writes first.
class FtdiPorts final : public LinkEndpoint {
public:
    explicit FtdiPorts(const PortsMap& map) : parallel_(map, usb_), serial_(map), clock_(realTime_, parallel_) {}
    [[nodiscard]] PortAccess Access() override { return PortAccess{&parallel_, &serial_, &clock_}; }

private:
    LibFtdiUsb usb_;
    FtdiParallelPortIo parallel_;
    LinuxSerialPort serial_;
    RealTimeClock realTime_;
    FlushingClock clock_;
};

// A board the factory keeps attached to its port.
class AttachedBoardPorts final : public LinkEndpoint {
public:
    explicit AttachedBoardPorts(SimulatedBoard& board) : board_(board) {}
    [[nodiscard]] PortAccess Access() override { return board_.Access(); }

private:
    SimulatedBoard& board_;
};

} // namespace

PortsMapLinkFactory::PortsMapLinkFactory(PortsMap map, std::optional<BoardSimOptions> simulate)
    : map_(std::move(map)), simulate_(std::move(simulate))
{
}

PortsMapLinkFactory::~PortsMapLinkFactory() = default;

bool PortsMapLinkFactory::Simulates(const std::string& portName) const
{
    return simulate_.has_value() || map_.IsSimulated(portName);
}

std::unique_ptr<LinkEndpoint> PortsMapLinkFactory::PortsFor(const std::string& portName, std::uint8_t boardCode)
{
    // An unreadable map may have meant any name for the simulator or another adapter.
    if (!map_.FileError().empty()) return std::make_unique<RefusedPorts>(map_.FileError());
    if (!Simulates(portName)) {
        // An LPTn on an adapter is reached only through it, never through a parallel port.
        if (const auto target = map_.TargetOf(portName); target && FtdiTarget::IsFtdiTarget(*target))
            return std::make_unique<FtdiPorts>(map_);
        return std::make_unique<RealPorts>(map_);
    }
    return std::make_unique<AttachedBoardPorts>(AttachedBoard(portName, boardCode));
}

SimulatedBoard* PortsMapLinkFactory::SimulatedBoardOn(const std::string& portName, std::uint8_t boardCode)
{
    if (!map_.FileError().empty() || !Simulates(portName)) return nullptr;
    return &AttachedBoard(portName, boardCode);
}

SimulatedBoard& PortsMapLinkFactory::AttachedBoard(const std::string& portName, std::uint8_t boardCode)
{
    std::lock_guard lock(mutex_);
    std::unique_ptr<SimulatedBoard>& board = boards_[portName];
    if (!board || board->Options().boardCode != boardCode) {
        BoardSimOptions options = simulate_.value_or(BoardSimOptions{});
        options.boardCode = boardCode;
        board = std::make_unique<SimulatedBoard>(options);
    }
    return *board;
}

} // namespace zav
