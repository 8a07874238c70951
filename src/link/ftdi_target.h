#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "link/ftdi_pin_map.h"

namespace zav {

// A ports map target naming a USB FTDI adapter that drives a parallel board by bit-bang:
//
//     ftdi:VID:PID[:SERIAL][:PINMAP]
//
// VID and PID in hexadecimal (0403:6001 is the usual FT232R); SERIAL the adapter's USB
// serial number, needed when several adapters with those ids are plugged in; PINMAP as
// FtdiPinMap reads it (it holds '=' where a serial number cannot), the default wiring
// when absent.
struct FtdiTarget {
    static constexpr std::string_view kPrefix = "ftdi:";

    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
    // Empty: whichever single adapter has the ids.
    std::string serial;
    FtdiPinMap pins = FtdiPinMap::Default();

    [[nodiscard]] static bool IsFtdiTarget(std::string_view target) { return target.starts_with(kPrefix); }
    // Nullopt with `error` saying what is wrong.
    [[nodiscard]] static std::optional<FtdiTarget> Parse(std::string_view target, std::string& error);

    // "0403:6001", with ":SERIAL" when one is given.
    [[nodiscard]] std::string IdText() const;

    bool operator==(const FtdiTarget&) const = default;
};

// Four lower-case hexadecimal digits.
[[nodiscard]] std::string UsbIdText(std::uint16_t id);

} // namespace zav
