#pragma once

#include <QIcon>
#include <QString>

namespace zav {

// The icon whose pictures were drawn at build time as ":/icons/raster/<name>-<size>.argb",
// or a null icon where there are none. Each picture is read when first drawn, straight into
// an image: no image decoder or plugin takes part.
[[nodiscard]] QIcon RasterIcon(const QString& name);

} // namespace zav
