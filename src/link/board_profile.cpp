#include "link/board_profile.h"

#include <array>

namespace zav {

namespace {

using enum ReadySignal;
using enum BoardReset;

// Fields not named keep their defaults: least significant bit first, no framing, the clock
// idling high, no high address byte, no ready signal, the standard reset.
constexpr std::array<BoardProfile, 9> kProfiles{{
    // 0 MC68HC05B6: its EEPROM lies in one page, so neither direction sends a high byte.
    {.clockIdlesLow = true, .clockBeforeSample = true, .ready = StatusOrClock},
    // 1 the serial board (MC68HC05L28).
    {.clockIdlesLow = true, .readHighAddress = true, .writeHighAddress = true, .readCommand = 0xC0,
     .writeCommand = 0xA0},
    // 2 MC68HC705B16: one page, as code 0.
    {.clockIdlesLow = true, .ready = StatusActiveLow, .boardId = 0xA1},
    // 3 the K/P-board MC68HC11s: bytes come back inverted.
    {.clockIdlesLow = true, .clockBeforeSample = true, .readHighAddress = true, .writeHighAddress = true,
     .invertedReceive = true, .ready = StatusOrClock},
    // 4 MC68HC11E9.
    {.msbFirst = true, .readHighAddress = true, .writeHighAddress = true, .reset = Hc11, .boardId = 0x7B},
    // 5 the older TMS370 board: reads send the high address byte, writes do not (this board's
    //   write command has no high-byte field).
    {.msbFirst = true, .tmsCommands = true, .readHighAddress = true, .tmsTiming = true, .reset = Tms,
     .boardId = 0x40, .readCommand = 0xC0, .writeCommand = 0xA0},
    // 6 the TMS370 board.
    {.msbFirst = true, .tmsCommands = true, .readHighAddress = true, .writeHighAddress = true, .tmsTiming = true,
     .reset = Tms, .boardId = 0xA7, .olderBoardCode = 5, .readCommand = 0xC0, .writeCommand = 0xA0},
    // 7 the older TMS375 board: framed bytes, low address bytes only in both directions.
    {.framed = true, .clockBeforeSample = true, .tmsTiming = true, .reset = Tms, .boardId = 0x66},
    // 8 the TMS375 board: framed bytes, full addresses.
    {.framed = true, .clockBeforeSample = true, .readHighAddress = true, .writeHighAddress = true,
     .tmsTiming = true, .reset = Tms, .boardId = 0x3A, .olderBoardCode = 7},
}};

} // namespace

ResetWaveform ResetWaveformFor(BoardReset reset)
{
    switch (reset) {
    case BoardReset::Hc11:
        return reset_waveforms::kHc11;
    case BoardReset::Tms:
        return reset_waveforms::kTms;
    case BoardReset::Standard:
        break;
    }
    return reset_waveforms::kStandard;
}

const BoardProfile& BoardProfileFor(std::uint8_t boardCode)
{
    return boardCode < kProfiles.size() ? kProfiles[boardCode] : kProfiles[0];
}

} // namespace zav
