#pragma once

#include <vector>

#include "shell/app_settings.h"

namespace zav {

// A rectangle on the desktop in the windows' own (device-independent) pixels.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const ScreenRect&) const = default;
};

struct ScreenPoint {
    int left = 0;
    int top = 0;

    bool operator==(const ScreenPoint&) const = default;
};

// What the window manager draws around a window's client area; the title bar is the top.
struct FrameMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const FrameMargins&) const = default;
};

// Which corner a stored left and top name: the frame's (the main window keeps where its
// frame stands) or the client area's (the editor's windows keep their inner geometry).
enum class StoredCorner { Frame, Client };

// Fits a stored window rectangle onto the screens present, so that a removed monitor or a
// damaged settings file cannot put a window where the user cannot reach it: the window goes
// to the screen it overlaps most (none: the nearest), is shrunk to that screen's area where
// it is larger, and is moved so that its whole frame, title bar first, lies on that screen.
// A window already on a screen keeps its rectangle; without screens nothing changes.
// Sizes never go below zero; the window's own minimum size still applies afterwards.
[[nodiscard]] WindowBounds FitWindowOnScreens(const WindowBounds& stored, StoredCorner corner,
                                              const FrameMargins& frame,
                                              const std::vector<ScreenRect>& screens);

// Where the frame's top-left corner goes so that a window whose frame is this wide and high
// stands in the middle of the screen's area; a window larger than the screen keeps its
// title bar and left edge on it.
[[nodiscard]] ScreenPoint CentredFramePosition(int frameWidth, int frameHeight, const ScreenRect& screen);

// Where a window's frame goes to stand beside another window's frame without covering it:
// right of it, else below, left of it or above, on the first side where the whole frame fits
// on the other's screen, top or left edges lined up as far as the screen allows. Where no
// side has room, it goes right of the other as far as the screen allows.
[[nodiscard]] ScreenPoint FramePositionBeside(const ScreenRect& other, int frameWidth, int frameHeight,
                                              const std::vector<ScreenRect>& screens);

// The least width of a window whose caption, `captionWidth` pixels of title text, shows whole
// in a title bar `titleBarHeight` high: window managers put up to three square buttons on
// each side of the title, or centre it between the buttons and the window's menu.
[[nodiscard]] int WidthForCaption(int captionWidth, int titleBarHeight);

} // namespace zav
