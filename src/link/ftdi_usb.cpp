#include "link/ftdi_usb.h"

#include <algorithm>
#include <array>

namespace zav {

namespace {

// The full-speed chips take 128 bytes in one USB transfer, the high-speed ones 1024.
constexpr std::size_t kFullSpeedTransfer = 128;
constexpr std::size_t kHighSpeedTransfer = 1024;

// What sets each known chip apart: the device release its descriptor reports, its name, and
// the largest USB transfer it takes in one go.
struct ChipRow {
    FtdiChip chip;
    std::uint16_t release;
    std::string_view name;
    std::size_t transferLimit;
};

constexpr std::array<ChipRow, 8> kChips = {{
    {FtdiChip::Ft232Am, 0x0200, "FT232AM", kFullSpeedTransfer},
    {FtdiChip::Ft232Bm, 0x0400, "FT232BM", kFullSpeedTransfer},
    {FtdiChip::Ft2232C, 0x0500, "FT2232C/D", kFullSpeedTransfer},
    {FtdiChip::Ft232R, 0x0600, "FT232R", kFullSpeedTransfer},
    {FtdiChip::Ft2232H, 0x0700, "FT2232H", kHighSpeedTransfer},
    {FtdiChip::Ft4232H, 0x0800, "FT4232H", kHighSpeedTransfer},
    {FtdiChip::Ft232H, 0x0900, "FT232H", kHighSpeedTransfer},
    {FtdiChip::Ft230X, 0x1000, "FT-X series", kFullSpeedTransfer},
}};

// The row of a known chip; null for FtdiChip::Unknown.
const ChipRow* RowOf(FtdiChip chip)
{
    const auto row = std::find_if(kChips.begin(), kChips.end(), [chip](const ChipRow& r) { return r.chip == chip; });
    return row == kChips.end() ? nullptr : &*row;
}

} // namespace

FtdiChip FtdiChipFromRelease(std::uint16_t bcdDevice)
{
    for (const ChipRow& row : kChips) {
        if (row.release == bcdDevice) return row.chip;
    }
    return FtdiChip::Unknown;
}

std::string_view FtdiChipName(FtdiChip chip)
{
    const ChipRow* row = RowOf(chip);
    return row != nullptr ? row->name : "unknown FTDI chip";
}

std::string FtdiChipRefusal(FtdiChip chip)
{
    switch (chip) {
    case FtdiChip::Ft232Am:
    case FtdiChip::Ft232Bm:
        return "the " + std::string(FtdiChipName(chip)) +
               " has no synchronous bit-bang mode, so the board's data line cannot be read in step with its "
               "clock; use an FT232R, FT232H, FT2232H or FT4232H adapter";
    case FtdiChip::Ft230X:
        return "the FT-X series chips have only four bit-bang pins, one short of the board's five lines; use an "
               "FT232R, FT232H, FT2232H or FT4232H adapter";
    case FtdiChip::Unknown:
        return "the adapter's chip is not one known to do synchronous bit-bang; use an FT232R, FT232H, FT2232H "
               "or FT4232H adapter";
    default:
        return {};
    }
}

std::size_t FtdiTransferLimit(FtdiChip chip)
{
    const ChipRow* row = RowOf(chip);
    return row != nullptr ? row->transferLimit : kFullSpeedTransfer;
}

} // namespace zav
