#pragma once

#include <cstdint>
#include <optional>

#include "boardsim/board_sim_options.h"
#include "boardsim/simulated_target.h"

namespace zav {

// The MC68HC05L28 behind the serial board, byte by byte: after a reset its bootstrap
// ROM takes the count byte 0x66 and the 101 loader bytes and answers with their 8-bit
// sum; the loader then serves read (0xC0 low), write (0xA0 low value) and erase
// (0xE0 0x00 0xFF) of the EEPROM page 0x0300-0x03FF. A loader that differs from
// LoaderImage gets its sum answered but never runs. Free of any transport, so the same
// target serves the in-process serial port and a pseudo-terminal.
class SimulatedSerialTarget {
public:
    SimulatedSerialTarget(SimulatedTarget& target, const BoardSimOptions& options);

    // The reset pulse on the modem lines: back to the bootstrap ROM.
    void Reset();
    // One byte from the PC; the reply byte, if the target sends one.
    [[nodiscard]] std::optional<std::uint8_t> Receive(std::uint8_t byte);
    // The running loader gave up waiting for the rest of a command: the next byte is a
    // command byte again.
    void AbandonCommand() { phase_ = Phase::Command; }

    // The line is closed: the EEPROM finishes the write it has started.
    void CompleteStartedWrite() { target_.CompleteStartedWrite(); }

    [[nodiscard]] int UploadCount() const { return uploads_; }
    [[nodiscard]] bool LoaderRunning() const { return state_ == State::Running; }

private:
    enum class State : std::uint8_t { AwaitCount, Loading, Running, Silent };
    enum class Phase : std::uint8_t { Command, ReadAddress, WriteAddress, WriteValue, EraseZero, EraseFF };

    std::optional<std::uint8_t> Load(std::uint8_t byte);
    std::optional<std::uint8_t> RunCommand(std::uint8_t byte);

    SimulatedTarget& target_;
    BoardSimOptions options_;
    State state_ = State::AwaitCount;
    Phase phase_ = Phase::Command;
    std::size_t loaded_ = 0;
    std::uint8_t sum_ = 0;
    bool imageMatches_ = true;
    int uploads_ = 0;
    std::uint8_t address_ = 0;
};

} // namespace zav
