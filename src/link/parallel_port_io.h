#pragma once

#include <atomic>
#include <cstdint>
#include <string>

namespace zav {

// Where a parallel port's registers sit, counted from its base I/O address.
inline constexpr std::uint16_t kDataOffset = 0;
inline constexpr std::uint16_t kStatusOffset = 1;
inline constexpr std::uint16_t kControlOffset = 2;

// Register-level access to the PC parallel ports, the way the board's bit-banged
// protocol needs it: a port is a base I/O address with the data, status and control
// registers at the offsets above. Implemented over the kernel (ppdev), by the
// simulated board and by recording fakes in tests.
//
// Read and Write sit on the clock-pulse path: implementations must not allocate, log
// or sleep there.
class ParallelPortIo {
public:
    virtual ~ParallelPortIo() = default;

    // I/O base address of parallel port n (1 to 3); 0 when that port does not exist.
    [[nodiscard]] virtual std::uint16_t BaseAddress(int portNumber) = 0;
    // Takes port n for exclusive use before its registers are touched. False when the
    // port cannot be used; FailureCause then says why.
    [[nodiscard]] virtual bool Claim(int portNumber) = 0;
    // Gives back a port taken with Claim. Claims nest: every Claim needs one Release.
    virtual void Release(int portNumber) = 0;

    [[nodiscard]] virtual std::uint8_t Read(std::uint16_t address) = 0;
    virtual void Write(std::uint16_t address, std::uint8_t value) = 0;

    // Writes `value` to one register `count` times in a row: a clock pulse's half lasts as
    // many writes as the delay asks. Before each write `stop`, unless null, is looked at;
    // returns the writes made, fewer than `count` once it is set. A port whose writes take no
    // time of their own (the simulated board) may make the repeats as one.
    virtual int WriteRepeated(std::uint16_t address, std::uint8_t value, int count, const std::atomic<bool>* stop)
    {
        int made = 0;
        for (; made < count; ++made) {
            if (stop != nullptr && stop->load(std::memory_order_acquire)) break;
            Write(address, value);
        }
        return made;
    }

    // A read whose value is not needed before the next writes: `into` gets the register as
    // it is after the writes so far, at the latest when CompleteReads returns (it must stay
    // valid until then). A port that reads at once does so here; one on USB sends the reads
    // and the writes between them as one transfer.
    virtual void ReadLater(std::uint16_t address, std::uint8_t& into) { into = Read(address); }
    virtual void CompleteReads() {}

    // Whether a read of claimed port n's control register gives the lines' levels rather
    // than the value last written. A board that signals ready through the clock line's
    // read-back cannot be paced without the levels; when they are out of reach,
    // FailureCause says what would give them.
    [[nodiscard]] virtual bool ReadsControlLines(int portNumber) = 0;

    // Zero when one port write is fast (well under a microsecond), which is when the TMS
    // boards need ten times as many writes per clock half; any other value otherwise.
    [[nodiscard]] virtual int SlowClockTest() = 0;

    // Why the last BaseAddress or Claim found the port unusable, for a warning line or a
    // port check; empty when nothing is known.
    [[nodiscard]] virtual std::string FailureCause() const = 0;

    // Whether a claimed port stopped answering (a USB adapter unplugged mid-sequence), and
    // why. Once lost, a port's reads and writes do nothing until it is released.
    [[nodiscard]] virtual bool Lost() const { return false; }
    [[nodiscard]] virtual std::string LostCause() const { return {}; }
};

} // namespace zav
