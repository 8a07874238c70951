#include "ui/buffer/editor_placement.h"

#include <QSplitter>
#include <QStyle>
#include <QWidget>

#include <algorithm>

#include "ui/buffer/editor_panes.h"
#include "ui/buffer/hex_grid_view.h"

namespace zav {

EditorPlacement::EditorPlacement(QWidget& window, EditorPanes& panes) : window_(window), panes_(panes) {}

void EditorPlacement::PlaceOnBuild()
{
    if (pending_) {
        WindowLayout layout = *pending_;
        const QRect placed = window_.geometry();
        layout.editor = {placed.left(), placed.top(), placed.height(), placed.width()};
        Apply(layout);
        return;
    }
    const HexViewLayout& layout = panes_.Layout();
    requestedPaneWidth_ = layout.HexPaneContentWidth() + 2 * panes_.Hex().frameWidth();
    panes_.Splitter().setSizes({requestedPaneWidth_, layout.CharPaneContentWidth() +
                                                         2 * panes_.Char().frameWidth() + ScrollBarWidth()});
    UpdateSizeLimits();
}

void EditorPlacement::Keep(const WindowLayout& layout)
{
    pending_ = layout;
    window_.setGeometry(layout.editor.left, layout.editor.top, layout.editor.width, layout.editor.height);
}

void EditorPlacement::UpdateSizeLimits()
{
    const HexViewLayout& layout = panes_.Layout();
    const int hexFrames = 2 * panes_.Hex().frameWidth();
    const int frames = hexFrames + 2 * panes_.Char().frameWidth();
    // A hex pane set wider than its digits (the stored design width) widens the window by as
    // much, so that the character pane keeps room for its sixteen characters.
    const int hexPaneExtra = std::max(0, requestedPaneWidth_ - layout.HexPaneContentWidth() - hexFrames);
    const int widest = layout.HexPaneContentWidth() + hexPaneExtra + layout.CharPaneContentWidth() +
                       ScrollBarWidth() + frames + panes_.Splitter().handleWidth();
    // At the design size the window may be 390 to 555 pixels wide.
    window_.setMaximumWidth(widest);
    window_.setMinimumWidth(widest * 390 / 555);
    panes_.Hex().setMinimumWidth(layout.MinimumHexPaneWidth());
}

void EditorPlacement::Apply(const WindowLayout& layout)
{
    const int minimumPane = panes_.Layout().MinimumHexPaneWidth();
    const int ownScrollBar = panes_.ScrollBarOwner() == EditorGrid::Hex ? ScrollBarWidth() : 0;
    requestedPaneWidth_ = std::max(layout.editorPaneWidth, minimumPane - ownScrollBar);
    UpdateSizeLimits();
    const WindowBounds& editor = layout.editor;
    const int width = std::clamp(editor.width, window_.minimumWidth(), window_.maximumWidth());
    window_.setGeometry(editor.left, editor.top, width,
                        std::max(editor.height, window_.minimumSizeHint().height()));
    window_.setVisible(layout.editorVisible);
    // The splitter spans the window; it may not be laid out yet while the window is hidden,
    // so the panes are sized from the window's width. The character pane takes any change.
    QSplitter& splitter = panes_.Splitter();
    const int total = width - splitter.handleWidth();
    const int hexWidth = std::clamp(requestedPaneWidth_ + ownScrollBar, minimumPane, std::max(total, 1));
    splitter.setSizes({hexWidth, std::max(0, total - hexWidth)});
    requestedPaneWidth_ = hexWidth - ownScrollBar;
    UpdateSizeLimits();
}

void EditorPlacement::ReadInto(WindowLayout& layout, bool shown) const
{
    const QRect editor = window_.geometry();
    layout.editor = {editor.left(), editor.top(), editor.height(), editor.width()};
    layout.editorPaneWidth = HexPaneWidthWithoutScrollBar(shown);
    layout.editorVisible = window_.isVisible();
}

int EditorPlacement::ScrollBarWidth() const
{
    return window_.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

// The hex pane's width is kept as it is while the character pane has the scroll bar, so that
// the focus at the moment of saving does not widen the pane at every start.
int EditorPlacement::HexPaneWidthWithoutScrollBar(bool shown) const
{
    // Until the window is first shown the splitter has not been laid out and its sizes say
    // nothing; the width asked for is what it will take.
    if (!shown) return requestedPaneWidth_;
    const int width = panes_.Splitter().sizes().value(0);
    return panes_.ScrollBarOwner() == EditorGrid::Hex ? width - ScrollBarWidth() : width;
}

} // namespace zav
