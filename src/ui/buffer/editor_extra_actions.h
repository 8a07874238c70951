#pragma once

namespace zav {

// The editor's commands beside its eleven: Redo, Replace, the bookmarks and
// the data inspector.
enum class EditorExtraAction {
    Redo,
    Replace,
    ToggleBookmark,
    NextBookmark,
    PreviousBookmark,
    DataInspector,
};
inline constexpr int kEditorExtraActionCount = 6;

} // namespace zav
