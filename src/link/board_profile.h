#pragma once

#include <cstdint>

#include "link/board_commands.h"

namespace zav {

// How the programmer board of one board code is reset and signals ready.
enum class BoardReset { Standard, Hc11, Tms };
enum class ReadySignal { None, StatusActiveLow, StatusOrClock };

// What sets the board of one board code apart on the parallel port: one row per code in
// board_profile.cpp, so the link asks the row instead of comparing code numbers. Code 1 is
// the serial board; its row only matters for the few rules shared with the others.
struct BoardProfile {
    // Bytes go most significant bit first.
    bool msbFirst = false;
    // Each byte travels between a start and a stop bit.
    bool framed = false;
    // The clock idles low and pulses high (the others the reverse).
    bool clockIdlesLow = false;
    // A received bit is presented after the clock pulse rather than before it.
    bool clockBeforeSample = false;
    // The TMS370 boards' ways: the board's identification read from memory, a trailing
    // clock pulse after reset.
    bool tmsCommands = false;
    // Whether a read and a write send the address's high byte.
    bool readHighAddress = false;
    bool writeHighAddress = false;
    // Extra clock pulses, multiplied on a fast port: the TMS boards' slower logic.
    bool tmsTiming = false;
    // Received bytes arrive inverted.
    bool invertedReceive = false;
    // Writes are paced by the ready signal; boards without one wait the settle delay.
    ReadySignal ready = ReadySignal::None;
    BoardReset reset = BoardReset::Standard;
    // The identification the board answers; 0 for boards that are not asked for one.
    std::uint8_t boardId = 0;
    // The code of the older board that may answer in this one's place (the TMS boards); 0 for none.
    std::uint8_t olderBoardCode = 0;
    // The command bytes that read and write one cell.
    std::uint8_t readCommand = 0xA0;
    std::uint8_t writeCommand = 0xC0;
};

// The row of `boardCode` (0 to 8); an unknown code gets the row of code 0.
[[nodiscard]] const BoardProfile& BoardProfileFor(std::uint8_t boardCode);

// The line changes and waits of a parallel board's reset.
[[nodiscard]] ResetWaveform ResetWaveformFor(BoardReset reset);

} // namespace zav
