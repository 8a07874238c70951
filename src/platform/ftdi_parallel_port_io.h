#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/ftdi_target.h"
#include "link/ftdi_usb.h"
#include "link/parallel_port_io.h"
#include "link/ports_map.h"

namespace zav {

// The parallel ports that the ports map puts on a USB FTDI adapter (LPTn=ftdi:...), driven in
// synchronous bit-bang mode through the pin map, so that the board protocol above sees the
// registers of a real port: the strobe, autofeed and select-in lines and the busy input are
// inverted between register and pin as on a PC, a read of the control register gives the
// lines' levels, and unwired inputs read as the pulled-up lines of an open connector.
//
// Every pin update costs a USB transfer, so writes are queued: a run of writes with no read
// between them goes out as one transfer (split only where the chip's buffer ends), and a
// register read sends the queue with one more update that samples the inputs. Reads made with
// ReadLater only add their sampling update, so a received byte's eight samples and the clock
// pulses between them are one transfer. Whoever waits
// between writes must call Flush first, or the lines would change only after the wait;
// FlushingClock does that for the link.
//
// A port the map gives another target has no base address here: nothing falls back to ppdev.
class FtdiParallelPortIo final : public ParallelPortIo {
public:
    FtdiParallelPortIo(const PortsMap& map, FtdiUsb& usb);
    FtdiParallelPortIo(const FtdiParallelPortIo&) = delete;
    FtdiParallelPortIo& operator=(const FtdiParallelPortIo&) = delete;
    ~FtdiParallelPortIo() override;

    [[nodiscard]] std::uint16_t BaseAddress(int portNumber) override;
    [[nodiscard]] bool Claim(int portNumber) override;
    void Release(int portNumber) override;
    [[nodiscard]] std::uint8_t Read(std::uint16_t address) override;
    void Write(std::uint16_t address, std::uint8_t value) override;
    void ReadLater(std::uint16_t address, std::uint8_t& into) override;
    void CompleteReads() override;
    [[nodiscard]] bool ReadsControlLines(int portNumber) override;
    // A write reaches the pins only with a USB transfer: never fast.
    [[nodiscard]] int SlowClockTest() override { return 1; }
    [[nodiscard]] std::string FailureCause() const override { return failureCause_; }
    [[nodiscard]] bool Lost() const override;
    [[nodiscard]] std::string LostCause() const override;

    // Sends the queued writes of every claimed port.
    void Flush();
    // The adapter LPTn's target selects, found on the bus now: nullopt with FailureCause when
    // there is none, several without a serial number to choose, or no permission.
    [[nodiscard]] std::optional<FtdiAdapterInfo> FindAdapter(int portNumber);
    // Transfers made so far, for the benchmarks.
    [[nodiscard]] std::int64_t Transfers() const { return transfers_; }

private:
    // A register read waiting for the sample of update `index` of the queue.
    struct PendingRead {
        std::uint8_t* into;
        std::size_t index;
        std::uint16_t offset;
        // The control register when the read was made, for its bits that have no pin.
        std::uint8_t control;
    };

    struct Port {
        std::optional<FtdiTarget> target;
        std::unique_ptr<FtdiConnection> connection;
        std::string adapterName;
        std::size_t transferLimit = 0;
        int claims = 0;
        std::uint8_t data = 0;
        std::uint8_t control = 0;
        std::vector<std::uint8_t> queued;
        std::vector<std::uint8_t> samples;
        std::vector<PendingRead> reads;
        bool lost = false;
        std::string lostCause;
    };

    [[nodiscard]] Port* PortAt(std::uint16_t address, std::uint16_t& offset);
    [[nodiscard]] std::uint8_t PinLevels(const Port& port) const;
    [[nodiscard]] std::uint8_t StatusFrom(const Port& port, std::uint8_t sample) const;
    [[nodiscard]] std::uint8_t ControlFrom(const Port& port, std::uint8_t control, std::uint8_t sample) const;
    void Queue(Port& port);
    void AnswerReads(Port& port, bool sent);
    void Send(Port& port);
    void Close(Port& port);

    FtdiUsb& usb_;
    std::array<Port, 3> ports_{};
    std::string failureCause_;
    std::int64_t transfers_ = 0;
};

} // namespace zav
