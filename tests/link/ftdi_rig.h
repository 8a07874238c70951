#pragma once

#include <memory>
#include <string>
#include <vector>

#include "boardsim/simulated_board.h"
#include "boardsim/simulated_ftdi_usb.h"
#include "platform/flushing_clock.h"
#include "platform/ftdi_parallel_port_io.h"
#include "recording_ports.h"
#include "sequences/sequence_harness.h"

namespace zav::test {

// The board's side of the connector: every register write the board receives, whether from
// the link directly or from the adapter's pins.
class BoardSideRecorder final : public ParallelPortIo {
public:
    explicit BoardSideRecorder(ParallelPortIo& board) : board_(board) {}
    std::uint16_t BaseAddress(int portNumber) override { return board_.BaseAddress(portNumber); }
    bool Claim(int portNumber) override { return board_.Claim(portNumber); }
    void Release(int portNumber) override { board_.Release(portNumber); }
    std::uint8_t Read(std::uint16_t address) override { return board_.Read(address); }
    void Write(std::uint16_t address, std::uint8_t value) override
    {
        events.push_back({true, address, value, 0});
        board_.Write(address, value);
    }
    bool ReadsControlLines(int portNumber) override { return board_.ReadsControlLines(portNumber); }
    int SlowClockTest() override { return board_.SlowClockTest(); }
    std::string FailureCause() const override { return board_.FailureCause(); }

    std::vector<PortEvent> events;

private:
    ParallelPortIo& board_;
};

inline PortsMap AdapterMap(const std::string& target = "ftdi:0403:6001")
{
    PortsMap map;
    map.SetTarget("LPT1", target);
    return map;
}

// A sequence harness whose board is reached either through the simulated port directly or
// through the FTDI backend, the simulated adapter and its wires (the default pin map).
class AdapterRig {
public:
    AdapterRig(const std::string& deviceName, BoardSimOptions options, bool throughAdapter)
        : board(options), recorder(board.Parallel()),
          adapter(recorder, FtdiPinMap::Default(), board.Virtual()), io(AdapterMap(), adapter),
          clock(board.BoardClock(), io),
          links(throughAdapter ? PortAccess{&io, &board.Serial(), &clock}
                               : PortAccess{&recorder, &board.Serial(), &board.BoardClock()})
    {
        for (std::int32_t a = 0; a <= 0xFFFF; ++a)
            board.Target().Poke(static_cast<std::uint16_t>(a), testing::TargetPattern(a));
        host.deviceText = deviceName;
        testing::IgnoringSelectionView view;
        ApplyDeviceSelection(deviceName, host.buffer, view);
        host.settings.lptDelay = 0;
    }

    void RunRead()
    {
        host.optionsDown = {SequenceOption::Read};
        read.Start();
        read.WaitForEnd();
    }
    void RunProgram()
    {
        for (std::int32_t a = 0; a <= 0xFFFF; ++a) host.buffer.SetByte(a, testing::BufferPattern(a));
        host.optionsDown = {SequenceOption::Erase, SequenceOption::Program, SequenceOption::Verify};
        program.Start();
        program.WaitForEnd();
    }

    // The bytes the board was sent, decoded from the clock edges it saw.
    [[nodiscard]] std::vector<std::uint8_t> SentBytes()
    {
        const std::uint8_t code = board.Parallel().ProtocolCode();
        const std::uint8_t idle = code <= 3 ? 0 : 1;
        return BytesFromBits(DataBitsPerPulse(recorder.events, SimulatedParallelBoard::kBaseAddresses[0], idle),
                             code >= 4 && code <= 6, code == 7 || code == 8);
    }

    testing::FakeSequenceHost host;
    std::shared_ptr<HandOverQueue> queue = HandOverQueue::Create();
    SimulatedBoard board;
    BoardSideRecorder recorder;
    SimulatedFtdiUsb adapter;
    FtdiParallelPortIo io;
    FlushingClock clock;
    SharedPortsLinkFactory links;
    ReadSequenceControl read{host, queue, links};
    ProgramSequenceControl program{host, queue, links};
};

} // namespace zav::test
