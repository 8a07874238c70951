#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

// The FTDI chips, told apart by their USB device release number.
enum class FtdiChip : std::uint8_t { Unknown, Ft232Am, Ft232Bm, Ft2232C, Ft232R, Ft2232H, Ft4232H, Ft232H, Ft230X };

[[nodiscard]] FtdiChip FtdiChipFromRelease(std::uint16_t bcdDevice);
[[nodiscard]] std::string_view FtdiChipName(FtdiChip chip);
// Why `chip` cannot drive a parallel board in synchronous bit-bang mode; empty when it can.
[[nodiscard]] std::string FtdiChipRefusal(FtdiChip chip);
// How many pin updates one transfer may carry: no more than the chip's receive buffer holds,
// or the chip stops updating the pins until the samples are read.
[[nodiscard]] std::size_t FtdiTransferLimit(FtdiChip chip);

// One FTDI adapter plugged in, as the USB bus describes it without opening it.
struct FtdiAdapterInfo {
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
    FtdiChip chip = FtdiChip::Unknown;
    std::string serial;
    std::string manufacturer;
    std::string description;
    std::uint8_t bus = 0;
    std::uint8_t address = 0;
    // The device file that opening it needs read and write access to.
    std::string devicePath;
    // Whether this user may open it.
    bool accessible = true;
};

// An adapter opened in synchronous bit-bang mode. Closed when destroyed.
class FtdiConnection {
public:
    virtual ~FtdiConnection() = default;
    // Puts each byte of `out` on the pins in turn and fills `in` (as long as `out`) with the
    // pins as sampled at each update, just before the byte took effect. At most the chip's
    // FtdiTransferLimit bytes. False when the adapter does not answer in time (unplugged,
    // lost power); FailureCause then says what went wrong.
    [[nodiscard]] virtual bool Transfer(std::span<const std::uint8_t> out, std::span<std::uint8_t> in) = 0;
    [[nodiscard]] virtual std::string FailureCause() const = 0;
};

// The USB side of the FTDI adapters: finding them and opening one. Implemented over libftdi
// and, for tests and benchmarks, by an adapter wired to the simulated board.
class FtdiUsb {
public:
    virtual ~FtdiUsb() = default;
    // The adapters plugged in with these ids; vendor and product 0 mean every FTDI adapter
    // with one of FTDI's own ids. False when the bus cannot be looked at (FailureCause).
    [[nodiscard]] virtual bool Find(std::uint16_t vendor, std::uint16_t product,
                                    std::vector<FtdiAdapterInfo>& found) = 0;
    // Opens `adapter` in synchronous bit-bang mode with the pins of `outputMask` driven (and
    // the others read), the smallest latency timer and about a microsecond per pin update.
    // Null, with FailureCause, when that fails.
    [[nodiscard]] virtual std::unique_ptr<FtdiConnection> Open(const FtdiAdapterInfo& adapter,
                                                               std::uint8_t outputMask) = 0;
    [[nodiscard]] virtual std::string FailureCause() const = 0;
};

} // namespace zav
