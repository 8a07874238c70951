#pragma once

#include <string>
#include <string_view>

#include "buffer/colour.h"
#include "messages/status_sink.h"

namespace zav {

// A message-list line as the list stores it: one tag character for its kind, then the text.
[[nodiscard]] std::string MakeStatusLine(std::string_view text, StatusKind kind);

// The text colour a line's tag asks for (0x00BBGGRR): black for Normal and any unknown tag,
// purple for Warning, red for Error.
[[nodiscard]] Colour StatusLineColour(std::string_view line);

// What the list shows: the line with its tag turned into a leading blank.
[[nodiscard]] std::string StatusLineDisplayText(std::string_view line);

} // namespace zav
