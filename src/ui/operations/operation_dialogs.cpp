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
    if (copyRange_ == nullptr) copyRange_ = new TForm2(editor_.Buffer(), editor_.Boxes(), &editor_);
    copyRange_->Preset(cursorAddress);
    copyRange_->exec();
}

void OperationDialogs::ShowFill(std::int32_t cursorAddress, bool selectionMode)
{
    if (fill_ == nullptr) fill_ = new TForm5(editor_.Buffer(), editor_.Boxes(), &editor_);
    fill_->Preset(cursorAddress, SelectionFor(cursorAddress, selectionMode));
    if (fill_->exec() == QDialog::Accepted && fill_->CursorTarget())
        editor_.SelectAddress(*fill_->CursorTarget());
}

void OperationDialogs::ShowCopyAs(std::int32_t cursorAddress, bool selectionMode)
{
    if (copyAs_ == nullptr) copyAs_ = new TForm6(editor_.Buffer(), editor_.Boxes(), &editor_);
    copyAs_->Preset(cursorAddress, SelectionFor(cursorAddress, selectionMode), editor_.windowTitle());
    copyAs_->exec();
}

void OperationDialogs::ShowFind(std::int32_t cursorAddress)
{
    if (find_ == nullptr) find_ = new TForm7(editor_.Buffer(), editor_.Boxes(), cursorAddress, &editor_);
    find_->SetCursorAddress(cursorAddress);
    if (find_->exec() == QDialog::Accepted && find_->Match()) {
        editor_.SelectAddress(*find_->Match());
        MarkMatches();
    }
}

void OperationDialogs::SearchAgain()
{
    if (find_ == nullptr) return;
    if (const auto match = find_->SearchAgain(editor_.CursorAddress())) {
        editor_.SelectAddress(*match);
        MarkMatches();
        if (find_->Model().Wrapped()) editor_.ShowPassingNote(QString::fromLatin1(find_->Model().WrapNote().c_str()));
    }
}

void OperationDialogs::MarkMatches()
{
    editor_.SetFindHighlight(find_->Model().LastPattern(), find_->Model().DataType() == SearchDataType::Text);
}

void OperationDialogs::ShowGoTo(std::int32_t cursorAddress)
{
    if (goTo_ == nullptr) goTo_ = new TForm3(editor_.Buffer().LastAddress(), editor_.Boxes(), &editor_);
    goTo_->Preset(cursorAddress);
    if (goTo_->exec() == QDialog::Accepted && goTo_->Target()) editor_.SelectAddress(*goTo_->Target());
}

void OperationDialogs::ShowSwap()
{
    if (swap_ == nullptr) swap_ = new TForm4(editor_.Buffer(), &editor_);
    swap_->exec();
}

void OperationDialogs::ShowReplace(std::int32_t cursorAddress)
{
    if (replace_ == nullptr) replace_ = new TReplaceForm(editor_, cursorAddress, &editor_);
    replace_->exec();
}

} // namespace zav
