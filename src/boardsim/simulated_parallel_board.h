#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "boardsim/board_sim_options.h"
#include "boardsim/simulated_target.h"
#include "link/parallel_port_io.h"
#include "link/virtual_clock.h"

namespace zav {

// The programmer board on a parallel port, at register level: it decodes the clock edges
// with the bit order and framing of its board code, answers on status bit 5 when that
// code samples, signals ready the way its board kind does, and runs the read, write,
// erase and unlock commands against a SimulatedTarget. The simulated PC has LPT1-LPT3 at
// the usual addresses and the board answers on whichever of them is used.
//
// It holds the host to the board's timing, on the clock: it runs after a reset only if held
// long enough (100 ms on codes 0 to 3, 1 ms on code 4, 50 ms on codes 5 to 8) with the
// data line steady at its level (high on codes 5 to 8, low otherwise), and takes clock
// pulses only once it has started (800 ms, 1500 ms, 500 ms after the reset); a bad reset
// leaves it silent. Its answer shares the data line with the host, so a host that does not
// release the line (unframed codes) reads zeros. A command that arrives while the target
// is still programming is refused. The MC68HC11 bootstrap ROM answers 1600 ms after the
// reset at the earliest.
class SimulatedParallelBoard final : public ParallelPortIo {
public:
    static constexpr std::array<std::uint16_t, 3> kBaseAddresses = {0x378, 0x278, 0x3BC};

    // `virtualClock`, when given, advances by one microsecond per register access, the
    // time a port access takes on real hardware.
    SimulatedParallelBoard(SimulatedTarget& target, const BoardSimOptions& options, const Clock& clock,
                           VirtualClock* virtualClock);

    [[nodiscard]] std::uint16_t BaseAddress(int portNumber) override;
    [[nodiscard]] bool Claim(int portNumber) override;
    void Release(int portNumber) override;
    [[nodiscard]] std::uint8_t Read(std::uint16_t address) override;
    void Write(std::uint16_t address, std::uint8_t value) override;
    // Writing a register the value it holds changes no line, so the repeats after the first
    // write only take their time: a clock pulse costs the same whatever its length.
    int WriteRepeated(std::uint16_t address, std::uint8_t value, int count, const std::atomic<bool>* stop) override;
    // The simulated PC reads every line directly.
    [[nodiscard]] bool ReadsControlLines(int) override { return true; }
    [[nodiscard]] int SlowClockTest() override;
    [[nodiscard]] std::string FailureCause() const override;

    // The identification byte this board answers with.
    [[nodiscard]] std::uint8_t BoardId() const;
    // The board code whose protocol the board actually speaks (an older TMS board speaks
    // 5 or 7 where the device's code is 6 or 8).
    [[nodiscard]] std::uint8_t ProtocolCode() const { return code_; }
    [[nodiscard]] int ClaimCount(int portNumber) const;
    [[nodiscard]] int UnlockCount() const { return unlockCount_; }
    // Commands refused because the target was still programming.
    [[nodiscard]] int RefusedCommands() const { return refusedCommands_; }
    // The data register when the port was last given back (the last claim released);
    // nullopt while it never was.
    [[nodiscard]] std::optional<std::uint8_t> DataAtRelease() const { return dataAtRelease_; }
    // What the board tells of how the port was last given back: data lines left high keep a
    // board that draws its power from them half on, its part out of reset. Empty when they
    // were low or the port was never given back.
    [[nodiscard]] std::string ReleaseFault() const;
    // Whether the last reset woke the board.
    [[nodiscard]] bool Awake() const { return awakeFromUs_ != kNever; }

private:
    enum class Mode : std::uint8_t { Receiving, Sending, Skipping };
    enum class Phase : std::uint8_t { Command, AddressHigh, AddressLow, Value, EraseConfirm };
    enum class Operation : std::uint8_t { Read, Write };

    [[nodiscard]] int RegisterOffset(std::uint16_t address) const;
    [[nodiscard]] bool Busy() const;
    [[nodiscard]] std::uint8_t Status() const;
    [[nodiscard]] std::uint8_t ControlReadBack() const;
    void OnControlWrite(std::uint8_t value);
    void OnResetStart();
    void OnReleaseFromReset();
    [[nodiscard]] bool ResetWasValid() const;
    void OnClockPulse();
    void ReceiveBit(std::uint8_t bit);
    void OnByte(std::uint8_t byte);
    void OnCommand(std::uint8_t byte);
    void StartSending(std::uint8_t value);
    void PresentNextBit();
    [[nodiscard]] std::uint8_t ValueAt(std::uint16_t address);
    [[nodiscard]] std::optional<std::uint8_t> Hc11RomByte(std::uint16_t address) const;
    [[nodiscard]] std::uint8_t LowAddressPage() const;

    static constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();

    SimulatedTarget& target_;
    BoardSimOptions options_;
    const Clock& clock_;
    VirtualClock* virtualClock_;
    std::uint8_t code_;
    std::array<int, 3> claims_{};
    std::optional<std::uint8_t> dataAtRelease_;

    std::uint8_t data_ = 0;
    std::uint8_t control_ = 0;
    std::uint8_t dataOut_ = 1;

    Mode mode_ = Mode::Receiving;
    Mode afterSkip_ = Mode::Receiving;
    int skipPulses_ = 0;
    int bitIndex_ = 0;
    std::uint8_t shift_ = 0;
    std::uint8_t sendWire_ = 0;
    int bitsSent_ = 0;

    Phase phase_ = Phase::Command;
    Operation operation_ = Operation::Read;
    bool withHighByte_ = false;
    std::uint8_t addressHigh_ = 0;
    std::uint16_t address_ = 0;
    int unlockCount_ = 0;
    int refusedCommands_ = 0;

    std::int64_t resetStartUs_ = 0;
    std::uint8_t dataAtResetStart_ = 0;
    bool dataMovedInReset_ = false;
    std::int64_t resetEndUs_ = 0;
    // Powered up, the board runs; a bad reset silences it until a good one.
    std::int64_t awakeFromUs_ = 0;
};

} // namespace zav
