#pragma once

#include <cstdint>

namespace zav {

// A 24-bit RGB value in 32 bits: red in bits 0-7, green in 8-15, blue in 16-23.
using Colour = std::uint32_t;

// The channels of a colour and back, so that no window has to know the byte order.
[[nodiscard]] constexpr int RedOf(Colour colour) { return static_cast<int>(colour & 0xFF); }
[[nodiscard]] constexpr int GreenOf(Colour colour) { return static_cast<int>((colour >> 8) & 0xFF); }
[[nodiscard]] constexpr int BlueOf(Colour colour) { return static_cast<int>((colour >> 16) & 0xFF); }
[[nodiscard]] constexpr Colour ColourFromRgb(int red, int green, int blue)
{
    return static_cast<Colour>(red & 0xFF) | static_cast<Colour>(green & 0xFF) << 8 |
           static_cast<Colour>(blue & 0xFF) << 16;
}

// A 6-bit palette index: 2 bits each for the red, green and blue level (level x 85 = channel).
using PaletteIndex = std::uint8_t;

// The editor's five colours, named after their settings keys.
struct EditorColours {
    Colour background = 0xFFFFFF;    // HE_BG_COLOR, palette 63
    Colour fixed = 0x555555;         // HE_FIX_COLOR, palette 21
    Colour notEdited = 0xFF0000;     // HE_NOFIX_COLOR, palette 48
    Colour edited = 0x0000FF;        // HE_EDIT_COLOR, palette 3
    Colour unimplemented = 0xFFAAAA; // HE_UIN_COLOR, palette 58

    bool operator==(const EditorColours&) const = default;
};

} // namespace zav
