#pragma once

#include <QAction>
#include <QKeySequence>
#include <QList>

#include <array>
#include <cstddef>
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

// Where the editor's command controllers put the actions they own, so that the main window
// finds each by its command.
struct EditorActionTable {
    std::array<QAction*, kEditorActionCount> actions{};
    std::array<QAction*, kEditorExtraActionCount> extras{};

    QAction*& operator[](EditorAction action) { return actions[static_cast<std::size_t>(action)]; }
    QAction*& operator[](EditorExtraAction action) { return extras[static_cast<std::size_t>(action)]; }

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
