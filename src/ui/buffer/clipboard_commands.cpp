#include "ui/buffer/clipboard_commands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>

#include "buffer/memory_buffer.h"
#include "operations/clipboard_text.h"
#include "operations/paste_text.h"
#include "ui/buffer/editor_actions.h"
#include "ui/buffer/editor_dialogs.h"
#include "ui/buffer/hex_edit_window.h"
#include "widgets/busy_cursor.h"

namespace zav {

namespace {

bool ClipboardHasText()
{
    return !QApplication::clipboard()->text().isEmpty();
}

} // namespace

ClipboardCommands::ClipboardCommands(THexEdit& editor, EditorActionTable& table)
    : editor_(editor), actions_(table)
{
    QAction* copy = table[EditorAction::Copy] =
        AddEditorAction(editor, {"EditCopy",
                                 "Copy",
                                 {QKeySequence(QKeyCombination(Qt::ControlModifier, Qt::Key_Insert))},
                                 "Copy selected memory cells to clipboard"});
    QAction* paste = table[EditorAction::Paste] =
        AddEditorAction(editor, {"EditPaste",
                                 "Paste",
                                 {QKeySequence(QKeyCombination(Qt::ShiftModifier, Qt::Key_Insert))},
                                 "Paste contents of clipboard"});
    QAction* selectAll = table[EditorAction::SelectAll] =
        AddEditorAction(editor, {"EditSelectAll",
                                 "Select All",
                                 {QKeySequence(QKeyCombination(Qt::ControlModifier, Qt::Key_A))},
                                 "Select all memory cell"});
    QAction* copyAs = table[EditorAction::CopyAs] = AddEditorAction(
        editor, {"EditCopyAs", "Copy As ...", {}, "Copy selected memory cells to clipboard with conversion"});
    QObject::connect(copy, &QAction::triggered, &editor, [this] { Copy(); });
    QObject::connect(paste, &QAction::triggered, &editor, [this] { Paste(); });
    QObject::connect(selectAll, &QAction::triggered, &editor, [this] { editor_.SelectAll(); });
    // Shown with the normal cursor: a modal dialog under the busy cursor would look as if it
    // could not be used.
    QObject::connect(copyAs, &QAction::triggered, &editor, [this] {
        editor_.Dialogs().ShowCopyAs(editor_.CursorAddress(), editor_.HasSelection());
    });
    QObject::connect(QApplication::clipboard(), &QClipboard::dataChanged, &editor,
                     [this] { FollowClipboard(); });
}

void ClipboardCommands::SetLive(bool live)
{
    actions_.SetEnabled({EditorAction::Copy, EditorAction::CopyAs, EditorAction::SelectAll}, live);
    actions_[EditorAction::Paste]->setEnabled(live && ClipboardHasText());
}

void ClipboardCommands::Copy()
{
    if (!editor_.HasSelection()) {
        editor_.Dialogs().ShowCopyRange(editor_.CursorAddress());
        return;
    }
    const BusyCursor busy;
    const std::optional<std::string> text =
        SelectionClipboardText(editor_.Buffer(), editor_.CurrentSelection(), editor_.Boxes());
    if (text) {
        QApplication::clipboard()->setText(
            QString::fromLatin1(text->data(), static_cast<qsizetype>(text->size())));
    }
}

void ClipboardCommands::Paste()
{
    {
        const BusyCursor busy;
        // Only as much of the text as a paste can use is converted.
        const QByteArray text =
            QApplication::clipboard()->text().left(static_cast<qsizetype>(kPasteTextLimit)).toLatin1();
        const PasteResult result = PasteText(
            editor_.Buffer(), std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
            editor_.CursorAddress());
        if (result.nextAddress) editor_.SelectAddress(*result.nextAddress);
    }
    editor_.RepaintGrids();
}

void ClipboardCommands::FollowClipboard()
{
    // While the editor is closed its commands stay disabled, whatever the clipboard holds.
    if (!editor_.isVisible()) return;
    actions_[EditorAction::Paste]->setEnabled(ClipboardHasText());
}

} // namespace zav
