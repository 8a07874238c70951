// The read and the erase+program+verify of two devices with the board behind a USB adapter,
// on the simulated board and virtual time: the MC68HC11E9's parallel board through an FTDI
// adapter in synchronous bit-bang mode, the MC68HC05L28's serial board through a USB serial
// adapter (the same chips in UART mode). Each USB transfer costs the modelled frame: 1 ms for
// a full-speed FT232R, 125 us for a high-speed FT232H's microframe; "port" is the simulated
// port itself, for comparison.
//
// Reported per run (virtual time, deterministic, so one iteration):
//   virtual_ms    the sequence's duration;
//   mandated_ms   the waits the protocol itself makes (resets, settle delays, the serial
//                 line's gaps), the floor any port must pay;
//   over_waits_ms virtual_ms - mandated_ms: what the port adds (USB transfers, and the board's
//                 microsecond per register access);
//   transfers     USB transfers (bit-bang round trips, or serial calls).
//
// A run of register writes, and a received byte's eight samples with the pulses between
// them, go out as one transfer, split where the chip's buffer ends: at the default delay of 5
// a cell operation is some 400 pin updates, four transfers on an FT232R (128 updates), one on
// an FT232H (1024). A poll of a ready line needs a round trip of its own.
#include <benchmark/benchmark.h>

#include <set>

#include "boardsim/simulated_board.h"
#include "boardsim/simulated_ftdi_usb.h"
#include "buffer/memory_buffer.h"
#include "devices/device_catalogue.h"
#include "platform/flushing_clock.h"
#include "platform/ftdi_parallel_port_io.h"
#include "sequences/buffer_sequence_host.h"
#include "sequences/program_sequence_control.h"
#include "sequences/read_sequence_control.h"
#include "sequences/shared_ports_link_factory.h"
#include "threads/hand_over_queue.h"

namespace zav {
namespace {

enum class Adapter { Port, Ft232R, Ft232H };

std::int64_t FrameUs(Adapter adapter)
{
    return adapter == Adapter::Ft232H ? SimulatedFtdiUsb::kHighSpeedMicroframeUs : SimulatedFtdiUsb::kFullSpeedFrameUs;
}

class BenchHost final : public BufferSequenceHost {
public:
    BenchHost(std::string device, std::set<SequenceOption> down)
        : BufferSequenceHost(buffer), device_(std::move(device)), options_(std::move(down))
    {
        for (std::int32_t a = 0; a <= 0xFFFF; ++a) buffer.SetByte(a, static_cast<std::uint8_t>(a * 13 + 7));
    }
    void AddStatusMessage(const std::string& text, StatusKind) override { lastLine = text; }
    BoxAnswer Show(const BoxRequest&) override { return BoxAnswer::Yes; }
    bool PortIdle() override { return portIdle_; }
    void SetPortIdle(bool idle) override { portIdle_ = idle; }
    void SetProgressMaximum(int) override {}
    void SetProgressPosition(int position) override { position_ = position; }
    int ProgressPosition() override { return position_; }
    void PutStartButtonUp(SequenceKind) override {}
    bool IsOptionDown(SequenceOption option) override { return options_.count(option) != 0; }
    std::string DeviceIdText() override { return device_; }
    ProgramSettings GetProgramSettings() override { return {}; }
    void Beep() override {}

    MemoryBuffer buffer;
    std::string lastLine;

private:
    std::string device_;
    std::set<SequenceOption> options_;
    bool portIdle_ = true;
    int position_ = 0;
};

// The serial board behind a USB serial adapter: every call that reaches the wire (a byte
// out, a byte in, a purge, a modem line) is one USB transfer.
class UsbSerialAdapter final : public SerialPort {
public:
    UsbSerialAdapter(SerialPort& inner, VirtualClock& clock, std::int64_t frameUs)
        : inner_(inner), clock_(clock), frameUs_(frameUs)
    {
    }
    bool Open(const std::string& portName) override { return inner_.Open(portName); }
    bool IsOpen() const override { return inner_.IsOpen(); }
    void Close() override { inner_.Close(); }
    bool GetTimeouts(SerialTimeouts& timeouts) override { return inner_.GetTimeouts(timeouts); }
    bool SetTimeouts(const SerialTimeouts& timeouts) override { return inner_.SetTimeouts(timeouts); }
    bool GetLineSettings(SerialLineSettings& settings) override { return inner_.GetLineSettings(settings); }
    bool SetLineSettings(const SerialLineSettings& settings) override { return inner_.SetLineSettings(settings); }
    bool SetDtr(bool on) override { return Transfer(), inner_.SetDtr(on); }
    bool SetRts(bool on) override { return Transfer(), inner_.SetRts(on); }
    bool PurgeReceive() override { return Transfer(), inner_.PurgeReceive(); }
    bool PurgeTransmit() override { return Transfer(), inner_.PurgeTransmit(); }
    bool WriteByte(std::uint8_t value) override { return Transfer(), inner_.WriteByte(value); }
    SerialReadResult ReadByte(std::uint8_t& value) override { return Transfer(), inner_.ReadByte(value); }
    std::string FailureCause() const override { return inner_.FailureCause(); }

    std::int64_t transfers = 0;

private:
    void Transfer()
    {
        ++transfers;
        clock_.AdvanceUs(frameUs_);
    }

    SerialPort& inner_;
    VirtualClock& clock_;
    std::int64_t frameUs_;
};

struct Run {
    std::int64_t virtualUs = 0;
    std::int64_t sleptMs = 0;
    std::int64_t transfers = 0;
    std::string lastLine;
};

Run RunSequence(const std::string& device, bool program, Adapter adapter)
{
    const DeviceInfo* info = DeviceCatalogue::FindDevice(device);
    BoardSimOptions options;
    options.boardCode = info->boardCode;
    SimulatedBoard board(options);
    SimulatedFtdiUsb usb(board.Parallel(), FtdiPinMap::Default(), board.Virtual());
    usb.transferUs = FrameUs(adapter);
    PortsMap map;
    map.SetTarget("LPT1", "ftdi:0403:6001");
    if (adapter == Adapter::Ft232H) {
        // Its larger buffer takes more pin updates a transfer.
        usb.adapters.front().chip = FtdiChip::Ft232H;
        usb.adapters.front().product = 0x6014;
        map.SetTarget("LPT1", "ftdi:0403:6014");
    }
    FtdiParallelPortIo ftdi(map, usb);
    FlushingClock flushing(board.BoardClock(), ftdi);
    UsbSerialAdapter serial(board.Serial(), *board.Virtual(), FrameUs(adapter));

    PortAccess access = board.Access();
    if (adapter != Adapter::Port) {
        access = info->portKind == PortKind::Lpt ? PortAccess{&ftdi, nullptr, &flushing}
                                                 : PortAccess{nullptr, &serial, &board.BoardClock()};
    }
    const std::set<SequenceOption> down = program ? std::set{SequenceOption::Erase, SequenceOption::Program,
                                                             SequenceOption::Verify}
                                                  : std::set{SequenceOption::Read};
    BenchHost host(device, down);
    const auto queue = HandOverQueue::Create();
    SharedPortsLinkFactory links(access);
    if (program) {
        ProgramSequenceControl control(host, queue, links);
        control.Start();
        control.WaitForEnd();
    } else {
        ReadSequenceControl control(host, queue, links);
        control.Start();
        control.WaitForEnd();
    }
    Run run;
    run.virtualUs = board.Virtual()->NowUs();
    run.sleptMs = board.Virtual()->SleptMs();
    run.transfers = info->portKind == PortKind::Lpt ? usb.Transfers() : serial.transfers;
    run.lastLine = host.lastLine;
    return run;
}

const char* const kDevices[] = {"MC68HC11E9", "MC68HC05L28"};

// Arguments: device (0 MC68HC11E9, 1 MC68HC05L28), 0 read / 1 program+verify, Adapter.
void BM_SequenceThroughUsb(benchmark::State& state)
{
    const std::string device = kDevices[state.range(0)];
    const bool program = state.range(1) != 0;
    const auto adapter = static_cast<Adapter>(state.range(2));
    Run run;
    for (auto _ : state) run = RunSequence(device, program, adapter);
    if (run.lastLine.find("completed successful") == std::string::npos) {
        state.SkipWithError(run.lastLine.c_str());
        return;
    }
    const char* const adapterNames[] = {"port", "FT232R", "FT232H"};
    state.SetLabel(device + (program ? " program+verify via " : " read via ") + adapterNames[state.range(2)]);
    state.counters["virtual_ms"] = static_cast<double>(run.virtualUs) / 1000.0;
    state.counters["mandated_ms"] = static_cast<double>(run.sleptMs);
    state.counters["over_waits_ms"] = static_cast<double>(run.virtualUs) / 1000.0 - static_cast<double>(run.sleptMs);
    state.counters["transfers"] = static_cast<double>(run.transfers);
}
BENCHMARK(BM_SequenceThroughUsb)
    ->ArgsProduct({{0, 1}, {0, 1}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
} // namespace zav

BENCHMARK_MAIN();
