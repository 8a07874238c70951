#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "link/board_profile.h"
#include "link/link_context.h"
#include "link/parallel_port_io.h"

namespace zav {

// The bit-banged protocol of the boards on a parallel port: the data, clock, reset and
// ready lines, bytes clocked out and in with the bit order and framing of the board's
// profile row, and the byte commands built on them. Used through ProgrammerLink.
class ParallelBoardProtocol {
public:
    ParallelBoardProtocol(ParallelPortIo& io, const BoardProfile& profile, LinkContext& context);
    ParallelBoardProtocol(const ParallelBoardProtocol&) = delete;
    ParallelBoardProtocol& operator=(const ParallelBoardProtocol&) = delete;

    enum class OpenOutcome : std::uint8_t { Open, Unusable, ClockReadyUnreadable };
    // Claims LPTn and finds the board's ready line. `cause` says why the port is unusable,
    // or for ClockReadyUnreadable what would make the clock line's level readable.
    OpenOutcome Open(int portNumber, int delayCount, std::string& cause);
    // Zeroes the data lines and gives the port back.
    void Close();

    void SetDataLine(std::uint8_t bit);
    [[nodiscard]] std::uint8_t ReadDataLine();
    void ClockPulse();
    bool WaitReady(std::optional<std::int64_t> deadlineUs);
    void SendByte(std::uint8_t value);
    std::uint8_t ReceiveByte();
    void ResetTarget();

    std::uint8_t ReadByteAt(std::uint16_t address);
    void WriteByteAt(std::uint16_t address, std::uint8_t value, int settleDelayMs);
    std::uint8_t ReadBoardId();
    void SendEraseCommand();
    void SendUnlockCommand();

    [[nodiscard]] std::uint16_t BaseAddress() const { return baseAddress_; }
    [[nodiscard]] int PulseCount() const { return pulseCount_; }
    [[nodiscard]] bool ReadyOnStatusLine() const { return readyOnStatusLine_; }

private:
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
    bool readyOnStatusLine_ = true;
};

} // namespace zav
