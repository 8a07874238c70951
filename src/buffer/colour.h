#pragma once

#include <cstdint>

namespace zav {

// A 24-bit RGB value in 32 bits: red in bits 0-7, green in 8-15, blue in 16-23.
using Colour = std::uint32_t;

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
