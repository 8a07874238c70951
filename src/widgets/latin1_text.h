#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace zav {

// The core keeps texts as 8-bit byte strings, exactly as files and the clipboard carry
// them; the windows show every byte as its Latin-1 character, so a round trip through a
// widget never changes a byte.
[[nodiscard]] QString FromLatin1(std::string_view text);
[[nodiscard]] std::string ToLatin1(const QString& text);
// Takes the characters Latin-1 cannot carry out of `text` (where ToLatin1 would give "?")
// and returns them, each once, in order; empty when there were none.
QString TakeOutsideLatin1(QString& text);

} // namespace zav
