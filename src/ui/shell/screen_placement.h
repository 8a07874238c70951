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

// Gives a window the size asked for, made smaller where its screen's area (its parent's
// screen, or the primary one) is smaller, frame included, and centres it on that screen.
void FitAndCentreOnScreen(QWidget& window, int width, int height);

// Puts a window, frame included, beside another window's frame without covering it, whole on
// that window's screen where any side has room (see FramePositionBeside).
void PlaceBeside(QWidget& window, const ScreenRect& otherFrame);

// The frame around a client area of the window, as the window manager draws it.
[[nodiscard]] ScreenRect FrameAround(const QWidget& window, const WindowBounds& client);

} // namespace zav
