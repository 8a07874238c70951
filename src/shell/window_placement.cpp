#include "shell/window_placement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace zav {

namespace {

// Stored values are any 32-bit numbers: sums are taken in 64 bits.
struct Box {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;

    [[nodiscard]] std::int64_t Right() const { return left + width; }
    [[nodiscard]] std::int64_t Bottom() const { return top + height; }
};

Box BoxOf(const ScreenRect& rect)
{
    return {rect.left, rect.top, std::max(rect.width, 0), std::max(rect.height, 0)};
}

std::int64_t Overlap(const Box& a, const Box& b)
{
    const std::int64_t width = std::min(a.Right(), b.Right()) - std::max(a.left, b.left);
    const std::int64_t height = std::min(a.Bottom(), b.Bottom()) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

// Squared gap between the window's title-bar corner and the screen (0 when it is on it), in
// floating point, since the gaps of a damaged file's values would overflow the square.
double Distance(const Box& window, const Box& screen)
{
    const auto gap = [](std::int64_t value, std::int64_t low, std::int64_t high) {
        if (value < low) return static_cast<double>(low - value);
        if (value > high) return static_cast<double>(value - high);
        return 0.0;
    };
    const double dx = gap(window.left, screen.left, screen.Right());
    const double dy = gap(window.top, screen.top, screen.Bottom());
    return dx * dx + dy * dy;
}

const Box& ChooseScreen(const Box& window, const std::vector<Box>& screens)
{
    const auto most = std::max_element(screens.begin(), screens.end(), [&window](const Box& a, const Box& b) {
        return Overlap(window, a) < Overlap(window, b);
    });
    if (Overlap(window, *most) > 0) return *most;
    return *std::min_element(screens.begin(), screens.end(), [&window](const Box& a, const Box& b) {
        return Distance(window, a) < Distance(window, b);
    });
}

// Keeps [start, start + length) inside [low, high); where it is longer, its start stays on.
std::int64_t FitStart(std::int64_t start, std::int64_t length, std::int64_t low, std::int64_t high)
{
    return std::max(low, std::min(start, high - length));
}

int ToInt(std::int64_t value)
{
    return static_cast<int>(
        std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

WindowBounds FitWindowOnScreens(const WindowBounds& stored, StoredCorner corner, const FrameMargins& frame,
                                const std::vector<ScreenRect>& screens)
{
    if (screens.empty()) return stored;
    const std::int64_t frameWidth = std::int64_t{frame.left} + frame.right;
    const std::int64_t frameHeight = std::int64_t{frame.top} + frame.bottom;
    // The whole window as the desktop sees it: client area and frame.
    Box outer{stored.left, stored.top, std::max(stored.width, 0) + frameWidth,
              std::max(stored.height, 0) + frameHeight};
    if (corner == StoredCorner::Client) {
        outer.left -= frame.left;
        outer.top -= frame.top;
    }
    std::vector<Box> boxes;
    boxes.reserve(screens.size());
    for (const ScreenRect& screen : screens) boxes.push_back(BoxOf(screen));
    const Box& screen = ChooseScreen(outer, boxes);

    outer.width = std::min(outer.width, std::max(screen.width, frameWidth));
    outer.height = std::min(outer.height, std::max(screen.height, frameHeight));
    outer.left = FitStart(outer.left, outer.width, screen.left, screen.Right());
    outer.top = FitStart(outer.top, outer.height, screen.top, screen.Bottom());

    WindowBounds fitted;
    fitted.width = ToInt(outer.width - frameWidth);
    fitted.height = ToInt(outer.height - frameHeight);
    fitted.left = ToInt(corner == StoredCorner::Client ? outer.left + frame.left : outer.left);
    fitted.top = ToInt(corner == StoredCorner::Client ? outer.top + frame.top : outer.top);
    return fitted;
}

ScreenPoint CentredFramePosition(int frameWidth, int frameHeight, const ScreenRect& screen)
{
    const Box area = BoxOf(screen);
    const Box window{0, 0, std::max(frameWidth, 0), std::max(frameHeight, 0)};
    return {ToInt(std::max(area.left, area.left + (area.width - window.width) / 2)),
            ToInt(std::max(area.top, area.top + (area.height - window.height) / 2))};
}

ScreenPoint FramePositionBeside(const ScreenRect& other, int frameWidth, int frameHeight,
                                const std::vector<ScreenRect>& screens)
{
    const Box anchor = BoxOf(other);
    const std::int64_t width = std::max(frameWidth, 0);
    const std::int64_t height = std::max(frameHeight, 0);
    if (screens.empty()) return {ToInt(anchor.Right()), ToInt(anchor.top)};
    std::vector<Box> boxes;
    boxes.reserve(screens.size());
    for (const ScreenRect& screen : screens) boxes.push_back(BoxOf(screen));
    const Box& screen = ChooseScreen(anchor, boxes);
    const std::int64_t alignedTop = FitStart(anchor.top, height, screen.top, screen.Bottom());
    const std::int64_t alignedLeft = FitStart(anchor.left, width, screen.left, screen.Right());
    const Box sides[] = {
        {anchor.Right(), alignedTop, width, height},
        {alignedLeft, anchor.Bottom(), width, height},
        {anchor.left - width, alignedTop, width, height},
        {alignedLeft, anchor.top - height, width, height},
    };
    for (const Box& side : sides) {
        if (side.left >= screen.left && side.Right() <= screen.Right() && side.top >= screen.top &&
            side.Bottom() <= screen.Bottom()) {
            return {ToInt(side.left), ToInt(side.top)};
        }
    }
    return {ToInt(FitStart(anchor.Right(), width, screen.left, screen.Right())), ToInt(alignedTop)};
}

int WidthForCaption(int captionWidth, int titleBarHeight)
{
    constexpr int kButtonSlots = 6;
    return std::max(captionWidth, 0) + kButtonSlots * std::max(titleBarHeight, 0);
}

} // namespace zav
