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
    table.Add(editor, EditorAction::Copy, [this] { Copy(); });
    table.Add(editor, EditorAction::Paste, [this] { Paste(); });
    table.Add(editor, EditorAction::SelectAll, [this] { editor_.SelectAll(); });
    // Shown with the normal cursor: a modal dialog under the busy cursor would look as if it
    // could not be used.
    table.Add(editor, EditorAction::CopyAs,
              [this] { editor_.Dialogs().ShowCopyAs(editor_.CursorAddress(), editor_.HasSelection()); });
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
