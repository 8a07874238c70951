#include "ui/operations/operation_dialogs.h"

#include "buffer/memory_buffer.h"
#include "ui/buffer/hex_edit_window.h"
#include "ui/operations/copy_as_form.h"
#include "ui/operations/copy_range_form.h"
#include "ui/operations/fill_form.h"
#include "ui/operations/find_form.h"
#include "ui/operations/go_to_form.h"
#include "ui/operations/replace_form.h"
#include "ui/operations/swap_form.h"

namespace zav {

std::unique_ptr<EditorDialogs> CreateEditorDialogs(THexEdit& editor)
{
    return std::make_unique<OperationDialogs>(editor);
}

OperationDialogs::OperationDialogs(THexEdit& editor) : editor_(editor) {}

// The dialogs are children of the editor, which deletes them.
OperationDialogs::~OperationDialogs() = default;

Selection OperationDialogs::SelectionFor(std::int32_t cursorAddress, bool selectionMode) const
{
    return selectionMode ? editor_.CurrentSelection() : Selection::OfAddress(cursorAddress);
}

void OperationDialogs::ShowCopyRange(std::int32_t cursorAddress)
{
    TForm2& dialog = copyRange_.Get(editor_.Buffer(), editor_.Boxes(), &editor_);
    dialog.Preset(cursorAddress);
    dialog.exec();
}

void OperationDialogs::ShowFill(std::int32_t cursorAddress, bool selectionMode)
{
    TForm5& dialog = fill_.Get(editor_.Buffer(), editor_.Boxes(), &editor_);
    dialog.Preset(cursorAddress, SelectionFor(cursorAddress, selectionMode));
    if (dialog.exec() == QDialog::Accepted && dialog.CursorTarget())
        editor_.SelectAddress(*dialog.CursorTarget());
}

void OperationDialogs::ShowCopyAs(std::int32_t cursorAddress, bool selectionMode)
{
    TForm6& dialog = copyAs_.Get(editor_.Buffer(), editor_.Boxes(), &editor_);
    dialog.Preset(cursorAddress, SelectionFor(cursorAddress, selectionMode), editor_.windowTitle());
    dialog.exec();
}

void OperationDialogs::ShowFind(std::int32_t cursorAddress)
{
    TForm7& dialog = find_.Get(editor_.Buffer(), editor_.Boxes(), cursorAddress, &editor_);
    dialog.SetCursorAddress(cursorAddress);
    if (dialog.exec() == QDialog::Accepted && dialog.Match()) {
        editor_.SelectAddress(*dialog.Match());
        MarkMatches(dialog);
    }
}

void OperationDialogs::SearchAgain()
{
    TForm7* dialog = find_.Existing();
    if (dialog == nullptr) return;
    if (const auto match = dialog->SearchAgain(editor_.CursorAddress())) {
        editor_.SelectAddress(*match);
        MarkMatches(*dialog);
        if (dialog->Model().Wrapped())
            editor_.ShowPassingNote(QString::fromLatin1(dialog->Model().WrapNote().c_str()));
    }
}

void OperationDialogs::MarkMatches(TForm7& dialog)
{
    editor_.SetFindHighlight(dialog.Model().LastPattern(), dialog.Model().DataType() == SearchDataType::Text);
}

void OperationDialogs::ShowGoTo(std::int32_t cursorAddress)
{
    TForm3& dialog = goTo_.Get(editor_.Buffer().LastAddress(), editor_.Boxes(), &editor_);
    dialog.Preset(cursorAddress);
    if (dialog.exec() == QDialog::Accepted && dialog.Target()) editor_.SelectAddress(*dialog.Target());
}

void OperationDialogs::ShowSwap()
{
    swap_.Get(editor_.Buffer(), &editor_).exec();
}

void OperationDialogs::ShowReplace(std::int32_t cursorAddress)
{
    replace_.Get(editor_, cursorAddress, &editor_).exec();
}

} // namespace zav
