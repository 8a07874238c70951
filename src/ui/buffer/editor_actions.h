#pragma once

#include <QAction>
#include <QKeySequence>
#include <QList>

#include <array>
#include <cstddef>
#include <functional>
#include <initializer_list>

#include "ui/buffer/editor_extra_actions.h"

class QWidget;

namespace zav {

// The eleven editor commands, in the order of the editor's action list.
enum class EditorAction {
    Undo,
    Copy,
    Paste,
    SelectAll,
    Fill,
    CopyAs,
    Find,
    SearchAgain,
    Property,
    GoToAddr,
    Swap,
};
inline constexpr int kEditorActionCount = 11;

// Where each command stands in the editor's one list of action texts.
constexpr std::size_t TextIndex(EditorAction command)
{
    return static_cast<std::size_t>(command);
}
constexpr std::size_t TextIndex(EditorExtraAction command)
{
    return kEditorActionCount + static_cast<std::size_t>(command);
}

// Makes the action of the command whose texts stand at `textIndex` in `window`, running
// `onTrigger` whenever it is triggered.
QAction* AddCommandAction(QWidget& window, std::size_t textIndex, const std::function<void()>& onTrigger);

// Where the editor's command controllers put the actions they own, so that the main window
// finds each by its command.
struct EditorActionTable {
    std::array<QAction*, kEditorActionCount> actions{};
    std::array<QAction*, kEditorExtraActionCount> extras{};

    QAction*& operator[](EditorAction action) { return actions[static_cast<std::size_t>(action)]; }
    QAction*& operator[](EditorExtraAction action) { return extras[static_cast<std::size_t>(action)]; }

    // Makes the command's action in `window`, named and keyed as the editor's list has it,
    // keeps it here and runs `onTrigger` whenever it is triggered.
    template <typename Command>
    QAction* Add(QWidget& window, Command command, const std::function<void()>& onTrigger)
    {
        return (*this)[command] = AddCommandAction(window, TextIndex(command), onTrigger);
    }

    template <typename Command> void SetEnabled(std::initializer_list<Command> commands, bool enabled)
    {
        for (const Command command : commands) (*this)[command]->setEnabled(enabled);
    }
};

struct EditorActionText {
    const char* name;
    const char* caption;
    QList<QKeySequence> shortcuts;
    const char* hint;
    // The editor's own eleven and the difference steps show the hint as a tool tip too; the
    // others only in the status bar.
    bool hintAsToolTip = true;
};

// A command of the editor's window: its shortcuts work wherever the window has the focus.
QAction* AddEditorAction(QWidget& window, const EditorActionText& text);

} // namespace zav
