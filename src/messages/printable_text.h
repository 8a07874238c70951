#pragma once

#include <string>
#include <string_view>

namespace zav {

// Text from a file, fit for one line of a message: each control character (codes 0 to 31
// and 127) is written as "\xNN", so a stray CR cannot overwrite the line on a terminal and
// a zero byte cannot cut it short. Other bytes pass unchanged.
[[nodiscard]] std::string PrintableText(std::string_view text);

// Whether `text` holds a control character other than a tab: binary data, not a line of text.
[[nodiscard]] bool HoldsBinaryData(std::string_view text);

} // namespace zav
