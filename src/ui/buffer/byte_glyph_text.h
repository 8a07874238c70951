#pragma once

#include <QChar>
#include <QString>

#include <cstdint>
#include <optional>

#include "buffer/byte_glyph.h"

namespace zav {

// The byte's glyph as a character of the windows (every glyph lies in the first plane).
inline QChar GlyphOf(std::uint8_t value)
{
    return QChar(static_cast<char16_t>(ByteGlyph(value)));
}

// Every glyph the character pane can show, for measuring its font.
inline QString AllGlyphs()
{
    QString all;
    for (int value = 0; value < 256; ++value) all.append(GlyphOf(static_cast<std::uint8_t>(value)));
    return all;
}

inline std::optional<std::uint8_t> ByteOfCharacter(QChar character)
{
    return ByteOfCharacter(static_cast<char32_t>(character.unicode()));
}

} // namespace zav
