#pragma once

#include <memory>

#include "ui/buffer/editor_dialogs.h"
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
    [[nodiscard]] bool FindDialogExists() const override { return find_ != nullptr; }
    void SearchAgain() override;
    void ShowGoTo(std::int32_t cursorAddress) override;
    void ShowSwap() override;
    void ShowReplace(std::int32_t cursorAddress) override;

private:
    // The editor's selection in selection mode, otherwise the cursor's cell alone, which
    // makes a dialog take its typed range.
    [[nodiscard]] Selection SelectionFor(std::int32_t cursorAddress, bool selectionMode) const;
    // After a search found a match: the editor marks every match of it in view.
    void MarkMatches();

    THexEdit& editor_;
    // Owned by the editor as their parent window; created on first use.
    TForm2* copyRange_ = nullptr;
    TForm5* fill_ = nullptr;
    TForm6* copyAs_ = nullptr;
    TForm7* find_ = nullptr;
    TForm3* goTo_ = nullptr;
    TForm4* swap_ = nullptr;
    TReplaceForm* replace_ = nullptr;
};

} // namespace zav
