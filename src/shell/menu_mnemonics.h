#pragma once

#include <string>
#include <vector>

namespace zav {

// Gives each caption of one menu an underlined letter ("&" before it) that no other caption
// of the menu has, so Alt and the menu's letter, then the item's letter, reach every item.
// A caption that has its mnemonic already keeps it; the first letters of words are preferred,
// then any letter or digit; a caption left without a free letter stays as it is. "&&" is a
// literal ampersand, not a mnemonic. The captions' text is unchanged but for the "&".
[[nodiscard]] std::vector<std::string> WithMnemonics(const std::vector<std::string>& captions);

} // namespace zav
