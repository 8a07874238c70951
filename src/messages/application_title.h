#pragma once

#include <string_view>

namespace zav {

// The program's name in its main window's caption and on the boxes that speak for the
// program as a whole rather than for one dialog.
inline constexpr std::string_view kApplicationTitle = "ZAV Zoruruzad Irodozeziz";

} // namespace zav
