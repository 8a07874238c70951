#pragma once

#include <cstdint>
#include <deque>
#include <limits>
#include <optional>
#include <string>

#include "boardsim/simulated_serial_target.h"
#include "link/clock.h"
#include "link/serial_port_base.h"

namespace zav {

// The simulated PC's serial ports COM1-COM8, with the MC68HC05L28 board on the line,
// judged on the clock:
// - a frame sent at anything but 9600 baud, 8 data bits, one stop bit and no parity arrives
//   garbled and is ignored;
// - the target listens only after a reset, which needs RTS high for 300 ms with DTR on,
//   then RTS falling; it stays in reset until DTR falls and hears nothing for 100 ms more;
// - the loader needs 1 ms after each byte; a byte sent sooner is lost;
// - the bytes of one command must follow each other within 5 ms, or the loader drops the
//   command and takes the late byte for a new one;
// - with options.strayByte a stray byte follows each answer, for a read to discard;
// - a port left with XON/XOFF on (as a Linux terminal starts) swallows the replies 0x11 and
//   0x13, and after 0x13 its writes stall until the write timeout;
// - a read with nothing to receive waits the read timeout on the clock and times out.
class SimulatedSerialBoard final : public SerialPortBase {
public:
    SimulatedSerialBoard(SimulatedSerialTarget& target, Clock& clock, const BoardSimOptions& options);

    [[nodiscard]] bool Open(const std::string& portName) override;
    [[nodiscard]] bool IsOpen() const override { return open_; }
    void Close() override;
    [[nodiscard]] bool GetLineSettings(SerialLineSettings& settings) override;
    [[nodiscard]] bool SetLineSettings(const SerialLineSettings& settings) override;
    [[nodiscard]] bool SetDtr(bool on) override;
    [[nodiscard]] bool SetRts(bool on) override;
    [[nodiscard]] bool PurgeReceive() override;
    [[nodiscard]] bool PurgeTransmit() override;
    [[nodiscard]] bool WriteByte(std::uint8_t value) override;
    [[nodiscard]] SerialReadResult ReadByte(std::uint8_t& value) override;

    [[nodiscard]] const std::string& PortName() const { return portName_; }
    [[nodiscard]] const SerialLineSettings& LineSettings() const { return settings_; }

private:
    void ChangeRts(bool on);
    void ChangeDtr(bool on);
    [[nodiscard]] bool TargetHears(std::int64_t nowUs) const;
    void DeliverReply(std::uint8_t reply);

    SimulatedSerialTarget& target_;
    Clock& clock_;
    bool strayByte_;
    bool open_ = false;
    std::string portName_;
    // What a port looks like before anyone configured it.
    SerialLineSettings settings_{19200, 7,     1,    SerialParity::Even, true, true, false, false,
                                 true,  false, false};
    std::deque<std::uint8_t> received_;
    bool outputStopped_ = false;
    std::int64_t rtsRoseUs_ = 0;
    bool heldInReset_ = false;
    // Until its first reset the target runs whatever it ran and ignores the line.
    std::int64_t hearsFromUs_ = std::numeric_limits<std::int64_t>::max();
    std::optional<std::int64_t> lastByteUs_;
};

} // namespace zav
