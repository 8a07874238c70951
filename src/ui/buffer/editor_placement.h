#pragma once

#include <optional>

#include "shell/app_settings.h"

class QWidget;

namespace zav {

class EditorPanes;

// Where the editor window stands and how wide its hex pane is: the size limits its fonts
// set, the layout the settings file keeps, and a layout given before the window was ever
// built, kept as given until it is.
class EditorPlacement {
public:
    EditorPlacement(QWidget& window, EditorPanes& panes);

    // The first build: the layout kept, with the window's own place (it may have been moved
    // since), or the defaults a first start shows.
    void PlaceOnBuild();
    // A layout for a window not built yet: placed as given, its limits not known yet.
    void Keep(const WindowLayout& layout);
    void Apply(const WindowLayout& layout);
    // The editor's part of the layout; `shown` says whether the panes were ever laid out.
    void ReadInto(WindowLayout& layout, bool shown) const;
    void UpdateSizeLimits();

private:
    [[nodiscard]] int ScrollBarWidth() const;
    [[nodiscard]] int HexPaneWidthWithoutScrollBar(bool shown) const;

    QWidget& window_;
    EditorPanes& panes_;
    std::optional<WindowLayout> pending_;
    // The hex pane's width without the scroll bar, as last set, while the window was never shown.
    int requestedPaneWidth_ = 0;
};

} // namespace zav
