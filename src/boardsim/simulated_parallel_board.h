#pragma once

#include <array>
#include <cstdint>
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
class SimulatedParallelBoard final : public ParallelPortIo {
public:
    static constexpr std::array<std::uint16_t, 3> kBaseAddresses = {0x378, 0x278, 0x3BC};

    // `virtualClock`, when given, advances by one microsecond per register access, the
    // time a port access takes on real hardware.
    SimulatedParallelBoard(SimulatedTarget& target, const BoardSimOptions& options,
                           VirtualClock* virtualClock);

    [[nodiscard]] std::uint16_t BaseAddress(int portNumber) override;
    [[nodiscard]] bool Claim(int portNumber) override;
    void Release(int portNumber) override;
    [[nodiscard]] std::uint8_t Read(std::uint16_t address) override;
    void Write(std::uint16_t address, std::uint8_t value) override;
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

private:
    enum class Mode : std::uint8_t { Receiving, Sending, Skipping };
    enum class Phase : std::uint8_t { Command, AddressHigh, AddressLow, Value, EraseConfirm };
    enum class Operation : std::uint8_t { Read, Write };

    [[nodiscard]] int RegisterOffset(std::uint16_t address) const;
    [[nodiscard]] bool Busy() const;
    [[nodiscard]] std::uint8_t Status() const;
    [[nodiscard]] std::uint8_t ControlReadBack() const;
    void OnControlWrite(std::uint8_t value);
    void OnReleaseFromReset();
    void OnClockPulse();
    void ReceiveBit(std::uint8_t bit);
    void OnByte(std::uint8_t byte);
    void OnCommand(std::uint8_t byte);
    void StartSending(std::uint8_t value);
    void PresentNextBit();
    [[nodiscard]] std::uint8_t ValueAt(std::uint16_t address);
    [[nodiscard]] std::optional<std::uint8_t> Hc11RomByte(std::uint16_t address) const;
    [[nodiscard]] std::uint8_t LowAddressPage() const;

    SimulatedTarget& target_;
    BoardSimOptions options_;
    VirtualClock* virtualClock_;
    std::uint8_t code_;
    std::array<int, 3> claims_{};

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
};

} // namespace zav
