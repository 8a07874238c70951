#include "link/ftdi_usb.h"

namespace zav {

FtdiChip FtdiChipFromRelease(std::uint16_t bcdDevice)
{
    switch (bcdDevice) {
    case 0x0200:
        return FtdiChip::Ft232Am;
    case 0x0400:
        return FtdiChip::Ft232Bm;
    case 0x0500:
        return FtdiChip::Ft2232C;
    case 0x0600:
        return FtdiChip::Ft232R;
    case 0x0700:
        return FtdiChip::Ft2232H;
    case 0x0800:
        return FtdiChip::Ft4232H;
    case 0x0900:
        return FtdiChip::Ft232H;
    case 0x1000:
        return FtdiChip::Ft230X;
    default:
        return FtdiChip::Unknown;
    }
}

std::string_view FtdiChipName(FtdiChip chip)
{
    switch (chip) {
    case FtdiChip::Ft232Am:
        return "FT232AM";
    case FtdiChip::Ft232Bm:
        return "FT232BM";
    case FtdiChip::Ft2232C:
        return "FT2232C/D";
    case FtdiChip::Ft232R:
        return "FT232R";
    case FtdiChip::Ft2232H:
        return "FT2232H";
    case FtdiChip::Ft4232H:
        return "FT4232H";
    case FtdiChip::Ft232H:
        return "FT232H";
    case FtdiChip::Ft230X:
        return "FT-X series";
    case FtdiChip::Unknown:
        break;
    }
    return "unknown FTDI chip";
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
    switch (chip) {
    case FtdiChip::Ft2232H:
    case FtdiChip::Ft4232H:
    case FtdiChip::Ft232H:
        return 1024;
    default:
        return 128;
    }
}

} // namespace zav
