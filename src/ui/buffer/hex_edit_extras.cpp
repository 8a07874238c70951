// The editor's commands beside its eleven: Redo, Replace, the bookmarks, the data inspector,
// the marks of the last search, the selection panel and files dropped on the window.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMimeData>

#include "buffer/memory_buffer.h"
#include "ui/buffer/data_inspector_window.h"
#include "ui/buffer/file_drop_target.h"
#include "ui/buffer/editor_dialogs.h"
#include "ui/buffer/hex_edit_window.h"
#include "operations/find_matches.h"
#include "operations/selection_panel.h"

namespace zav {

namespace {

struct ExtraActionText {
    const char* name;
    const char* caption;
    QList<QKeySequence> shortcuts;
    const char* hint;
};

} // namespace

QAction* THexEdit::ExtraAction(EditorExtraAction action) const
{
    return extraActions_[static_cast<std::size_t>(action)];
}

void THexEdit::CreateExtraActions()
{
    using Handler = void (THexEdit::*)();
    const std::array<std::pair<ExtraActionText, Handler>, kEditorExtraActionCount> actions{{
        {{"EditRedo", "Redo", {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))},
          "Redo the last undone action"},
         &THexEdit::EditRedoExecute},
        {{"EditReplace", "Replace ...", {QKeySequence(QStringLiteral("Ctrl+H"))}, "Replace cells in memory dump"},
         &THexEdit::EditReplaceExecute},
        {{"EditToggleBookmark", "Toggle Bookmark", {QKeySequence(QStringLiteral("Ctrl+B"))},
          "Set or remove a bookmark on the cursor's cell"},
         &THexEdit::ToggleBookmarkExecute},
        // Alt+Up/Down: the desktops take Ctrl+Alt+arrows for their workspaces.
        {{"EditNextBookmark", "Next Bookmark", {QKeySequence(QStringLiteral("Alt+Down"))},
          "Go to the next bookmark"},
         nullptr},
        {{"EditPreviousBookmark", "Previous Bookmark", {QKeySequence(QStringLiteral("Alt+Up"))},
          "Go to the previous bookmark"},
         nullptr},
        {{"WindowDataInspector", "Data Inspector", {}, "Data Inspector window Show/Close"}, nullptr},
    }};
    for (std::size_t index = 0; index < actions.size(); ++index) {
        const ExtraActionText& text = actions[index].first;
        auto* action = new QAction(QString::fromLatin1(text.caption), this);
        action->setObjectName(QString::fromLatin1(text.name));
        action->setShortcuts(text.shortcuts);
        action->setStatusTip(QString::fromLatin1(text.hint));
        if (actions[index].second != nullptr) connect(action, &QAction::triggered, this, actions[index].second);
        addAction(action);
        extraActions_[index] = action;
    }
    connect(ExtraAction(EditorExtraAction::NextBookmark), &QAction::triggered, this, [this] { JumpToBookmark(true); });
    connect(ExtraAction(EditorExtraAction::PreviousBookmark), &QAction::triggered, this,
            [this] { JumpToBookmark(false); });
    QAction* inspector = ExtraAction(EditorExtraAction::DataInspector);
    inspector->setCheckable(true);
    connect(inspector, &QAction::triggered, this, [this] {
        TDataInspector& window = DataInspector();
        window.setVisible(!window.isVisible());
    });
    connect(new FileDropTarget(*this), &FileDropTarget::FileDropped, this, &THexEdit::FileDropped);
}

void THexEdit::SetExtraActionsEnabled(bool enabled)
{
    for (QAction* action : extraActions_) action->setEnabled(enabled);
    ExtraAction(EditorExtraAction::Redo)->setEnabled(enabled && !buffer_->Undo().IsRedoEmpty());
    ExtraAction(EditorExtraAction::DataInspector)->setEnabled(true);
}

void THexEdit::ShowCursorExtras()
{
    selectionPanel_->setText(QString::fromLatin1(SelectionPanelText(cursor_.GetSelection()).c_str()));
    LayOutSelectionLine();
    if (inspector_) inspector_->Refresh();
}

void THexEdit::EditRedoExecute()
{
    if (!buffer_->Undo().IsRedoEmpty()) ReplayHistoryStep([this] { return buffer_->Undo().Redo(); });
    RepaintGrids();
}

void THexEdit::EditReplaceExecute()
{
    dialogs_->ShowReplace(CursorAddress());
    RepaintGrids();
}

void THexEdit::ToggleBookmarkExecute()
{
    bookmarks_.Toggle(CursorAddress());
    RepaintGrids();
}

void THexEdit::JumpToBookmark(bool forward)
{
    const auto target = forward ? bookmarks_.Next(CursorAddress()) : bookmarks_.Previous(CursorAddress());
    if (!target) {
        QApplication::beep();
        return;
    }
    SelectAddress(*target);
}

void THexEdit::SetFindHighlight(std::vector<std::uint8_t> pattern, bool textMode)
{
    highlightPattern_ = std::move(pattern);
    highlightTextMode_ = textMode;
    RepaintGrids();
}

std::vector<bool> THexEdit::HighlightedCells(std::int32_t first, std::int32_t last) const
{
    return MatchedCells(*buffer_, first, last, highlightPattern_, highlightTextMode_);
}

} // namespace zav
