#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace zav {

// The command bytes every board of a kind understands alike. The read and write command
// bytes differ per board and sit in its BoardProfile row.
inline constexpr std::array<std::uint8_t, 3> kSerialEraseCommand = {0xE0, 0x00, 0xFF};
inline constexpr std::array<std::uint8_t, 2> kHc11EraseCommand = {0xC8, 0xAA};
inline constexpr std::uint8_t kUnlockCommand = 0xA8;
// The parallel boards' erase and unlock take this long before the next command.
inline constexpr int kEraseSettleMs = 30;

// The board's identification on the TMS370 boards is read from this address.
inline constexpr std::uint16_t kBoardIdAddress = 0x7F60;

// What a board without a ready signal waits after a write until the cell holds its value,
// and the longest wait the calibration doubles it to (it stops at the first step past it).
inline constexpr int kInitialSettleDelayMs = 30;
inline constexpr int kMaxSettleDelayMs = 1000;

// The MC68HC11 bootstrap ROM answers this long after its reset has settled.
inline constexpr int kHc11RomStartMs = 800;
// The MC68HC11 variants tell themselves apart by two bytes of their bootstrap ROM: a variant
// is recognised when either byte (at `address` and the one after) holds its mark. The
// variants are tried in this order; each pair of bytes is read once.
struct Hc11VariantMark {
    std::uint16_t address;
    std::uint8_t first;
    std::uint8_t second;
    const char* name;
};
inline constexpr std::array<Hc11VariantMark, 3> kHc11Variants = {{
    {0xBFBE, 0xE0, 0x18, "MC68HC11PA8"},
    {0xBFBE, 0x52, 0x50, "MC68HC11P2"},
    {0xBFD4, 0x54, 0x4B, "MC68HC11KA4"},
}};

// The control register is written whole: bit 0 is the clock, bit 1 holds the target in
// reset (the supply switch on the TMS boards).
inline constexpr std::uint8_t kControlClock = 0x01;
inline constexpr std::uint8_t kControlReset = 0x02;
// The board answers on two status inputs: its ready (or busy) line and the data bit it
// clocks out.
inline constexpr std::uint8_t kStatusReady = 0x08;
inline constexpr std::uint8_t kStatusData = 0x20;

// One step of a reset: a whole-register write, a modem-line change or a wait. The last
// step of each waveform is the settle wait, which a stop request may cut short; nothing is
// driven during it.
enum class ResetAction : std::uint8_t { Control, Data, Dtr, Rts, Wait, Settle };
struct ResetStep {
    ResetAction action;
    int value;
};
using ResetWaveform = std::span<const ResetStep>;

namespace reset_waveforms {

using enum ResetAction;

// The MC68HC05 boards: the reset line held for 100 ms with the data line low, then the
// target's start-up.
inline constexpr std::array<ResetStep, 7> kStandard = {{
    {Control, 0},
    {Data, 0},
    {Wait, 100},
    {Control, kControlReset},
    {Wait, 100},
    {Control, 0},
    {Settle, 800},
}};
// The MC68HC11E9: a 1 ms reset pulse with the clock high, then the bootstrap ROM's start.
inline constexpr std::array<ResetStep, 6> kHc11 = {{
    {Data, 0},
    {Wait, 1},
    {Control, kControlClock | kControlReset},
    {Wait, 1},
    {Control, kControlClock},
    {Settle, 1500},
}};
// The TMS boards: the supply cut for 50 ms with the data line high.
inline constexpr std::array<ResetStep, 7> kTms = {{
    {Control, kControlClock},
    {Data, 1},
    {Wait, 1},
    {Control, kControlClock | kControlReset},
    {Wait, 50},
    {Control, kControlClock},
    {Settle, 500},
}};
// The serial board: RTS pulsed for 300 ms with DTR on puts the target into bootstrap mode;
// DTR falling ends the reset.
inline constexpr std::array<ResetStep, 9> kSerial = {{
    {Dtr, 1},
    {Rts, 0},
    {Wait, 5},
    {Rts, 1},
    {Wait, 300},
    {Rts, 0},
    {Wait, 100},
    {Dtr, 0},
    {Settle, 100},
}};

} // namespace reset_waveforms

} // namespace zav
