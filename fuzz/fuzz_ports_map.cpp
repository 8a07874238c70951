// The ports map parser on arbitrary file contents: it must never crash, every entry it keeps
// must be a valid port name with a non-empty target that holds no line end, and a name
// mapped again must name a line before its own.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "link/ports_map.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const zav::PortsMap map = zav::PortsMap::Parse(text);
    for (const auto& [name, target] : map.Entries()) {
        if (!zav::PortsMap::IsPortName(name) || target.empty()) std::abort();
        if (target.find_first_of("\r\n") != std::string::npos) std::abort();
    }
    for (const zav::PortsMap::RepeatedName& repeated : map.RepeatedNames()) {
        if (repeated.earlierLine <= 0 || repeated.earlierLine >= repeated.line) std::abort();
    }
    return 0;
}
