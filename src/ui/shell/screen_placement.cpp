#include "ui/shell/screen_placement.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <optional>

namespace zav {

namespace {

// A window manager's usual borders and title bar, for windows it has not framed yet.
constexpr FrameMargins kTypicalFrame{4, 30, 4, 4};

ScreenRect RectOf(const QRect& rect)
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

// The frame of a window that was shown at least once, as the window manager drew it.
std::optional<FrameMargins> DrawnFrame(const QWidget* window)
{
    if (window == nullptr || window->windowHandle() == nullptr) return std::nullopt;
    const QMargins margins = window->windowHandle()->frameMargins();
    return FrameMargins{margins.left(), margins.top(), margins.right(), margins.bottom()};
}

} // namespace

std::vector<ScreenRect> AvailableScreens()
{
    std::vector<ScreenRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.push_back(RectOf(screen->availableGeometry()));
    return screens;
}

FrameMargins FrameMarginsOf(const QWidget& window)
{
    return DrawnFrame(&window).value_or(kTypicalFrame);
}

namespace {

const QScreen* OwnersScreen(const QWidget& window)
{
    const QWidget* owner = window.parentWidget() != nullptr ? window.parentWidget()->window() : nullptr;
    return owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
}

} // namespace

void FitAndCentreOnScreen(QWidget& window, int width, int height)
{
    if (const QScreen* screen = OwnersScreen(window)) {
        const FrameMargins frame = DrawnFrame(&window).value_or(kTypicalFrame);
        const QRect area = screen->availableGeometry();
        width = std::min(width, area.width() - frame.left - frame.right);
        height = std::min(height, area.height() - frame.top - frame.bottom);
    }
    window.resize(std::max(width, window.minimumWidth()), std::max(height, window.minimumHeight()));
    CentreOnDesktop(window);
}

ScreenRect FrameAround(const QWidget& window, const WindowBounds& client)
{
    const FrameMargins frame = FrameMarginsOf(window);
    return {client.left - frame.left, client.top - frame.top, client.width + frame.left + frame.right,
            client.height + frame.top + frame.bottom};
}

void PlaceBeside(QWidget& window, const ScreenRect& otherFrame)
{
    const FrameMargins frame = FrameMarginsOf(window);
    const ScreenPoint corner =
        FramePositionBeside(otherFrame, window.width() + frame.left + frame.right,
                            window.height() + frame.top + frame.bottom, AvailableScreens());
    // By its client area, for the reason CentreOnDesktop gives.
    window.setGeometry(corner.left + frame.left, corner.top + frame.top, window.width(), window.height());
}

void CentreOnDesktop(QWidget& dialog)
{
    // A layout of fixed size gives the dialog its size only when it is activated.
    if (QLayout* layout = dialog.layout()) layout->activate();
    const QWidget* owner = dialog.parentWidget() != nullptr ? dialog.parentWidget()->window() : nullptr;
    const QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    // Before its first showing the dialog has no frame yet; its owner's is the best guess.
    const FrameMargins frame = DrawnFrame(&dialog).value_or(DrawnFrame(owner).value_or(kTypicalFrame));
    const ScreenPoint corner =
        CentredFramePosition(dialog.width() + frame.left + frame.right,
                             dialog.height() + frame.top + frame.bottom, RectOf(screen->availableGeometry()));
    // Placed by its client area: move() would take the position as the frame's, but Qt
    // applies a hidden window's stale frame to it, shifting a dialog at every opening.
    dialog.setGeometry(corner.left + frame.left, corner.top + frame.top, dialog.width(), dialog.height());
}

} // namespace zav
