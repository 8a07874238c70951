#include "link/board_profile.h"

#include <array>

namespace zav {

namespace {

constexpr BoardProfile Row(bool msbFirst, bool framed, bool clockIdlesLow, bool clockBeforeSample,
                           bool tmsCommands, bool readHighAddress, bool writeHighAddress, bool tmsTiming,
                           bool invertedReceive, ReadySignal ready, BoardReset reset,
                           std::uint8_t readCommand, std::uint8_t writeCommand, std::uint8_t boardId = 0,
                           std::uint8_t olderBoardCode = 0)
{
    return BoardProfile{msbFirst, framed,  clockIdlesLow, clockBeforeSample, tmsCommands,    readHighAddress,
                        writeHighAddress, tmsTiming, invertedReceive, ready, reset, boardId, olderBoardCode,
                        readCommand, writeCommand};
}

constexpr bool T = true;
constexpr bool F = false;
using Ready = ReadySignal;
using Reset = BoardReset;

//     msb framed clkLow clkFirst tms readHi writeHi tmsTime invert ready reset read write [id older]
constexpr std::array<BoardProfile, 9> kProfiles{
    // 0 MC68HC05B6: its EEPROM lies in one page, so neither direction sends a high byte.
    Row(F, F, T, T, F, F, F, F, F, Ready::StatusOrClock, Reset::Standard, 0xA0, 0xC0),
    // 1 the serial board (MC68HC05L28).
    Row(F, F, T, F, F, T, T, F, F, Ready::None, Reset::Standard, 0xC0, 0xA0),
    // 2 MC68HC705B16: one page, as code 0.
    Row(F, F, T, F, F, F, F, F, F, Ready::StatusActiveLow, Reset::Standard, 0xA0, 0xC0, 0xA1),
    // 3 the K/P-board MC68HC11s: bytes come back inverted.
    Row(F, F, T, T, F, T, T, F, T, Ready::StatusOrClock, Reset::Standard, 0xA0, 0xC0),
    // 4 MC68HC11E9.
    Row(T, F, F, F, F, T, T, F, F, Ready::None, Reset::Hc11, 0xA0, 0xC0, 0x7B),
    // 5 the older TMS370 board: reads send the high address byte, writes do not (this board's
    //   write command has no high-byte field).
    Row(T, F, F, F, T, T, F, T, F, Ready::None, Reset::Tms, 0xC0, 0xA0, 0x40),
    // 6 the TMS370 board.
    Row(T, F, F, F, T, T, T, T, F, Ready::None, Reset::Tms, 0xC0, 0xA0, 0xA7, 5),
    // 7 the older TMS375 board: framed bytes, low address bytes only in both directions.
    Row(F, T, F, T, F, F, F, T, F, Ready::None, Reset::Tms, 0xA0, 0xC0, 0x66),
    // 8 the TMS375 board: framed bytes, full addresses.
    Row(F, T, F, T, F, T, T, T, F, Ready::None, Reset::Tms, 0xA0, 0xC0, 0x3A, 7),
};

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
