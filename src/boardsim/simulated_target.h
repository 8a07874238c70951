#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "link/clock.h"

namespace zav {

// How a part's memory takes a write, as its data sheet describes programming.
enum class CellProgramming : std::uint8_t {
    // The board's firmware erases the byte before it programs it: the cell takes the value.
    Replace,
    // EEPROM programming only clears bits (the cell becomes old AND value); only an erase
    // sets them to 1 again, so a cell written without an erase keeps the zeros it had.
    ClearBitsOnly,
    // The TMS370 EEPROM's own two steps, a write of the ones and then a write of the zeros,
    // each half the programming time: a read between them sees old OR value.
    OnesThenZeros,
};

// The target device's 64 KiB address space as the simulated board sees it. Writes and
// erases behave like EEPROM programming: they take effect `writeTimeMs` after they start,
// reads before then see the old contents, and the target counts as busy meanwhile.
// A write or erase that arrives while one is still in progress is lost. What a write does
// to a cell depends on the memory it lies in (SetProgramming); an erase sets 0xFF.
class SimulatedTarget {
public:
    static constexpr std::size_t kSize = 0x10000;

    SimulatedTarget(const Clock& clock, int writeTimeMs, std::optional<std::uint16_t> stuckCell);

    // Cells of [first, last] take writes as `programming` says; Replace everywhere else.
    void SetProgramming(std::uint16_t first, std::uint16_t last, CellProgramming programming);

    [[nodiscard]] std::uint8_t Read(std::uint16_t address);
    void Write(std::uint16_t address, std::uint8_t value);
    // Sets every cell of [first, last] to 0xFF, in one programming time.
    void Erase(std::uint16_t first, std::uint16_t last);
    [[nodiscard]] bool Busy() const;
    // Finishes a write or erase in progress at once: a real part completes what it has
    // started even when nobody waits for it (the link closing, the image being saved).
    void CompleteStartedWrite();

    // Immediate access for tests and images, bypassing the programming time.
    [[nodiscard]] std::uint8_t Peek(std::uint16_t address) const { return memory_[address]; }
    void Poke(std::uint16_t address, std::uint8_t value) { memory_[address] = value; }
    void Fill(std::uint8_t value) { memory_.fill(value); }

    // A 64 KiB image file, byte n holding address n. False when it cannot be read or
    // written, or is not exactly 64 KiB; the memory is then unchanged. An empty file is
    // erased memory (an image a killed run had only just created). A save first completes
    // a write in progress and replaces the file only once the new one is complete.
    [[nodiscard]] bool LoadImage(const std::filesystem::path& path);
    [[nodiscard]] bool SaveImage(const std::filesystem::path& path);

    // Writes and erases started, and those lost because the target was still busy.
    [[nodiscard]] int WriteCount() const { return writeCount_; }
    [[nodiscard]] int LostWrites() const { return lostWrites_; }
    // The value of the most recent write (taken or lost) when it went to `address`.
    [[nodiscard]] std::optional<std::uint8_t> LastWriteTo(std::uint16_t address) const;

private:
    struct Region {
        std::uint16_t first;
        std::uint16_t last;
        CellProgramming programming;
    };

    [[nodiscard]] CellProgramming ProgrammingAt(std::uint16_t address) const;
    void CompleteDueWrite();
    void FinishPending();
    void Start(std::uint16_t first, std::uint16_t last, std::uint8_t value, bool erase);

    const Clock& clock_;
    std::int64_t writeTimeUs_;
    std::optional<std::uint16_t> stuckCell_;
    std::array<std::uint8_t, kSize> memory_{};
    std::vector<Region> regions_;
    bool pending_ = false;
    bool pendingErase_ = false;
    // OnesThenZeros: the first step is done, half-way through.
    bool onesWritten_ = false;
    std::uint16_t pendingFirst_ = 0;
    std::uint16_t pendingLast_ = 0;
    std::uint8_t pendingValue_ = 0;
    std::int64_t pendingDoneUs_ = 0;
    int writeCount_ = 0;
    int lostWrites_ = 0;
    bool anyWrite_ = false;
    std::uint16_t lastWriteAddress_ = 0;
    std::uint8_t lastWriteValue_ = 0;
};

} // namespace zav
