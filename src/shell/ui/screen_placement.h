#pragma once

#include <vector>

#include "shell/window_placement.h"

class QWidget;

namespace zav {

// The screens present, by the area windows may take (panels left out).
[[nodiscard]] std::vector<ScreenRect> AvailableScreens();

// What the window manager draws around the window; a typical frame while the window was
// never shown, so that placement keeps room for a title bar.
[[nodiscard]] FrameMargins FrameMarginsOf(const QWidget& window);

// Puts a dialog, frame included, in the middle of the screen its parent window is on (no
// parent: the primary screen), at every showing, so it opens in the same place each time.
void CentreOnDesktop(QWidget& dialog);

} // namespace zav
