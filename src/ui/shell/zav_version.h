#pragma once

#include <QString>

namespace zav {

// The project's version, the one zavprog, zavtool, the manual and the package all show.
[[nodiscard]] QString ZavVersion();

} // namespace zav
