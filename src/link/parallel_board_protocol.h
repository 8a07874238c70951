#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "link/board_commands.h"
#include "link/board_profile.h"
#include "link/board_protocol.h"
#include "link/link_context.h"
#include "link/parallel_port_io.h"

namespace zav {

// The bit-banged protocol of the boards on a parallel port: the data, clock, reset and
// ready lines, bytes clocked out and in with the bit order and framing of the board's
// profile row, and the byte commands built on them. Used through ProgrammerLink.
class ParallelBoardProtocol final : public BoardProtocol {
public:
    ParallelBoardProtocol(ParallelPortIo& io, const BoardProfile& profile, LinkContext& context);

    enum class OpenOutcome : std::uint8_t { Open, Unusable, ClockReadyUnreadable };
    // Claims LPTn and finds the board's ready line. `cause` says why the port is unusable,
    // or for ClockReadyUnreadable what would make the clock line's level readable.
    OpenOutcome Open(int portNumber, int delayCount, std::string& cause);
    // Zeroes the data lines and gives the port back.
    void Close() override;

    bool WaitReady(std::optional<std::int64_t> deadlineUs) override;
    void ResetTarget() override;

    std::uint8_t ReadByteAt(std::uint16_t address) override;
    // Boards without a ready signal wait the settle delay after the value.
    void WriteByteAt(std::uint16_t address, std::uint8_t value) override;
    std::uint8_t ReadBoardId() override;
    std::string IdentifyHc11() override;
    // No parallel board takes a loader: "Communication Error.".
    bool UploadLoader() override;
    // Only the MC68HC11E9 board has an erase command of its own.
    void SendEraseCommand() override;
    void SendUnlockCommand() override;
    // Doubles the settle delay (from 30 ms up to at most 1920 ms) until a write to `address`
    // reads back, then writes the cell's first value back.
    void CalibrateSettleDelay(std::uint16_t address) override;

    // The bit-level primitives the byte commands are made of: one clock pulse (a stop ends
    // it at once, "Programmer Not Ready."), a byte clocked out in the board's bit order and
    // framing, and one clocked in after a ready wait (0 when the wait fails).
    void ClockPulse();
    void SendByte(std::uint8_t value);
    std::uint8_t ReceiveByte();

    // The timing state found at open and by calibration: the clock pulse width in port
    // writes, the wait after a write, and whether the ready signal comes on the status line
    // (or the clock line).
    [[nodiscard]] std::uint16_t BaseAddress() const { return baseAddress_; }
    [[nodiscard]] int PulseCount() const { return pulseCount_; }
    [[nodiscard]] int SettleDelayMs() const { return settleDelayMs_; }
    [[nodiscard]] bool ReadyOnStatusLine() const { return readyOnStatusLine_; }

private:
    void SetDataLine(std::uint8_t bit);
    void DetectReadyLine();
    [[nodiscard]] bool ReadyConditionHolds();
    // The line a timed-out wait names.
    [[nodiscard]] const char* ReadyLineName() const;
    void WriteControl(std::uint8_t value);
    void SendAddress(std::uint16_t address, bool highByte);
    // True when the port was lost; the operation then fails with "Communication Error." and
    // the cause, so the sequence stops as it would on a port that vanished.
    bool FailIfLost();

    ParallelPortIo& io_;
    const BoardProfile& profile_;
    LinkContext& context_;
    std::uint16_t baseAddress_ = 0;
    int claimedPort_ = 0;
    int pulseCount_ = 0;
    int settleDelayMs_ = kInitialSettleDelayMs;
    bool readyOnStatusLine_ = true;
};

} // namespace zav
