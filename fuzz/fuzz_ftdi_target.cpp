// The ports map's FTDI adapter target on arbitrary text: it must never crash, and a target
// it accepts must give a pin map with every needed line that reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "link/ftdi_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = "ftdi:" + std::string(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto target = zav::FtdiTarget::Parse(text, error);
    if (!target) {
        if (error.empty()) std::abort();
        return 0;
    }
    if (target->vendor == 0 || target->product == 0) std::abort();
    for (const zav::ConnectorLineInfo& line : zav::ConnectorLines()) {
        if (line.required && !target->pins.PinOf(line.line)) std::abort();
    }
    const auto again = zav::FtdiPinMap::Parse(target->pins.Text(), error);
    if (!again || !(*again == target->pins)) std::abort();
    return 0;
}
