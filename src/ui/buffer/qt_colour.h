#pragma once

#include <QColor>

#include "buffer/colour.h"

namespace zav {

[[nodiscard]] inline QColor ToQColor(Colour colour)
{
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

} // namespace zav
