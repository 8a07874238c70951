#pragma once

#include <cstdint>
#include <optional>

namespace zav {

// What a byte looks like in the character pane and the data inspector: the picture of code
// page 437, the character set of the "Terminal" font, so that every byte, control codes
// included, shows something a reader can tell apart (0x01 a face, 0x0D a note, 0x1B an
// arrow). The empty cell 0x00 and the erased cell 0xFF show as ".". Display only: copies,
// dumps and saved files keep their own texts.
[[nodiscard]] char32_t ByteGlyph(std::uint8_t value);

// The byte a character typed into the character pane or the inspector stores: what the pane
// shows it as, so a typed character appears as itself. ASCII and control codes are their own
// bytes; other characters map through code page 437; one the code page lacks has no byte.
[[nodiscard]] std::optional<std::uint8_t> ByteOfCharacter(char32_t character);

} // namespace zav
