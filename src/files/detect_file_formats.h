#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

// How much of a file's start the open dialog looks at.
inline constexpr std::size_t kFormatDetectionLength = 100;

// The display names of the formats a file can be read as, the likeliest first: "Intel HEX"
// when `fileStart` (the file's first bytes) opens with a ":" record, then the first X or S
// record tag among them picks "ZAV Extended Format" or "Motorola S"; "Binary" always comes
// last.
[[nodiscard]] std::vector<std::string> DetectFileFormats(std::string_view fileStart);

} // namespace zav
