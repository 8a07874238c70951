#pragma once

#include <memory>

#include "ui/buffer/editor_dialogs.h"
#include "ui/operations/lazy_dialog.h"
#include "operations/selection.h"

namespace zav {

class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TReplaceForm;

// The editor's buffer dialogs: each made on its first use with the editor as its parent and
// kept, so it remembers its history and choices; after one closes with OK the editor's
// cursor goes where the dialog says.
class OperationDialogs final : public EditorDialogs {
public:
    explicit OperationDialogs(THexEdit& editor);
    ~OperationDialogs() override;

    void ShowCopyRange(std::int32_t cursorAddress) override;
    void ShowFill(std::int32_t cursorAddress, bool selectionMode) override;
    void ShowCopyAs(std::int32_t cursorAddress, bool selectionMode) override;
    void ShowFind(std::int32_t cursorAddress) override;
    [[nodiscard]] bool FindDialogExists() const override { return find_.Existing() != nullptr; }
    void SearchAgain() override;
    void ShowGoTo(std::int32_t cursorAddress) override;
    void ShowSwap() override;
    void ShowReplace(std::int32_t cursorAddress) override;

private:
    // The editor's selection in selection mode, otherwise the cursor's cell alone, which
    // makes a dialog take its typed range.
    [[nodiscard]] Selection SelectionFor(std::int32_t cursorAddress, bool selectionMode) const;
    // After a search found a match: the editor marks every match of it in view.
    void MarkMatches(TForm7& dialog);

    THexEdit& editor_;
    LazyDialog<TForm2> copyRange_;
    LazyDialog<TForm5> fill_;
    LazyDialog<TForm6> copyAs_;
    LazyDialog<TForm7> find_;
    LazyDialog<TForm3> goTo_;
    LazyDialog<TForm4> swap_;
    LazyDialog<TReplaceForm> replace_;
};

} // namespace zav
