#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zav {

// What a settings text holds that its reading passes over without a word: lines of binary
// data, keys given on more than one line (the last line is the one read), and a stored port
// of the wrong kind or no port at all. One warning text each, without the file's name, with
// control characters shown escaped.
[[nodiscard]] std::vector<std::string> CheckSettingsText(std::string_view text);

} // namespace zav
