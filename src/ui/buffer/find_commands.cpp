#include "ui/buffer/find_commands.h"

#include <QAction>

#include "operations/find_matches.h"
#include "ui/buffer/editor_actions.h"
#include "ui/buffer/editor_dialogs.h"
#include "ui/buffer/hex_edit_window.h"

namespace zav {

FindCommands::FindCommands(THexEdit& editor, EditorActionTable& table) : editor_(editor), actions_(table)
{
    table.Add(editor, EditorAction::Find, [this] { Find(); });
    table.Add(editor, EditorAction::SearchAgain, [this] {
        if (editor_.Dialogs().FindDialogExists()) editor_.Dialogs().SearchAgain();
        editor_.RepaintGrids();
    });
    table.Add(editor, EditorExtraAction::Replace, [this] {
        editor_.Dialogs().ShowReplace(editor_.CursorAddress());
        editor_.RepaintGrids();
    });
}

void FindCommands::SetLive(bool live)
{
    actions_[EditorAction::Find]->setEnabled(live);
    actions_[EditorAction::SearchAgain]->setEnabled(live && editor_.Dialogs().FindDialogExists());
    SetReplaceLive(live);
}

void FindCommands::SetReplaceLive(bool live)
{
    actions_[EditorExtraAction::Replace]->setEnabled(live);
}

void FindCommands::FollowDialogs()
{
    actions_[EditorAction::SearchAgain]->setEnabled(editor_.isVisible() &&
                                                    editor_.Dialogs().FindDialogExists());
}

void FindCommands::Find()
{
    editor_.Dialogs().ShowFind(editor_.CursorAddress());
    FollowDialogs();
    editor_.RepaintGrids();
}

void FindCommands::SetHighlight(std::vector<std::uint8_t> pattern, bool textMode)
{
    pattern_ = std::move(pattern);
    textMode_ = textMode;
    editor_.RepaintGrids();
}

std::vector<bool> FindCommands::HighlightedCells(std::int32_t first, std::int32_t last) const
{
    return MatchedCells(editor_.Buffer(), first, last, pattern_, textMode_);
}

} // namespace zav
