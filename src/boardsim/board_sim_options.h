#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zav {

// Which bootstrap ROM signature a simulated MC68HC11 target (board code 3) carries.
enum class Hc11Variant : std::uint8_t { None, PA8, P2, KA4 };

// Everything the simulated programmer board can be told: which board it is, which faults
// it shows and whether it runs on virtual or real time. A plain struct so that the
// command-line tool's --simulate=... list maps straight onto it (ParseBoardSimOptions).
struct BoardSimOptions {
    // The protocol the board speaks: the board code of the device being worked on.
    std::uint8_t boardCode = 0;
    // TMS boards (codes 6 and 8): the older board, which speaks code 5 or 7 and answers
    // with the older identification byte.
    bool oldBoard = false;
    // Nothing hangs on the port: the inputs float high, nothing ever answers.
    bool noBoard = false;
    // The board answers every identification (and the loader's sum) with a wrong byte.
    bool wrongId = false;
    // The ready line never signals ready (codes 0, 2, 3).
    bool neverReady = false;
    // Codes 0 and 3: the board kind whose ready signal is the clock line's read-back
    // rather than status bit 3.
    bool clockReadback = false;
    Hc11Variant hc11 = Hc11Variant::None;
    // The MC68HC05L28 loader stays silent for this many uploads before it works.
    int loaderFailures = 0;
    // A cell that never takes a write.
    std::optional<std::uint16_t> stuckCell;
    // The serial board sends a stray byte after each answer, as a noisy line does: a read
    // that does not discard what came before its command takes it for the answer.
    bool strayByte = false;
    // Run on the wall clock instead of virtual time.
    bool realTime = false;
    // Port writes count as slow, so the TMS pulse count is not multiplied by 10.
    bool slowPortWrites = false;
    // How long an EEPROM cell takes to program; reads before then see the old value.
    int eepromWriteMs = 10;

    friend bool operator==(const BoardSimOptions&, const BoardSimOptions&) = default;
};

// Reads a comma-separated list of simulator switches into `options` (fields not named
// keep their value): old-board, no-board, wrong-id, never-ready, clock-readback,
// hc11=PA8|P2|KA4|none, loader-fails=N, stuck-cell=ADDR, write-ms=N, slow-port,
// stray-byte, realtime. Numbers are decimal, or hexadecimal after "0x". An empty text changes
// nothing. Returns false with `error` naming the first item it cannot read.
[[nodiscard]] bool ParseBoardSimOptions(std::string_view text, BoardSimOptions& options, std::string& error);

} // namespace zav
