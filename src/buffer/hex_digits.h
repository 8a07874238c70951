#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zav {

// The upper-case hex digits of every text the program writes: cells, addresses, clipboard,
// copy-as, dump and record texts.
inline constexpr std::string_view kUpperHexDigits = "0123456789ABCDEF";

inline void AppendHexByte(std::string& text, std::uint8_t value)
{
    text.push_back(kUpperHexDigits[value >> 4]);
    text.push_back(kUpperHexDigits[value & 0x0F]);
}

// Four digits without prefix, as row addresses stand in dumps.
inline void AppendHexAddress(std::string& text, std::int32_t address)
{
    AppendHexByte(text, static_cast<std::uint8_t>((address >> 8) & 0xFF));
    AppendHexByte(text, static_cast<std::uint8_t>(address & 0xFF));
}

} // namespace zav
