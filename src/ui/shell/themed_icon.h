#pragma once

#include <QIcon>

namespace zav {

// The desktop theme's icon of that freedesktop name, looked up when first drawn, or the
// program's own drawing of it (":/icons/<name>.svg"), which stays sharp at any scale.
[[nodiscard]] QIcon ThemedIcon(const char* themeName);

// The program's own drawing ":/icons/<fileName>", without asking the theme: as the pictures
// drawn from it at build time where there are, else the SVG drawing itself.
[[nodiscard]] QIcon OwnIcon(const char* fileName);

} // namespace zav
