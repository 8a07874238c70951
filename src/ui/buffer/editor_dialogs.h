#pragma once

#include <cstdint>
#include <memory>

namespace zav {

class THexEdit;

// The buffer dialogs the editor's commands open: each is created on first use, kept until
// the editor is destroyed and shown modal. The editor computes what each one is preset with;
// the dialogs reach the buffer, the selection and the cursor through the editor.
class EditorDialogs {
public:
    virtual ~EditorDialogs() = default;

    // Copy range ("Copy Array"): both address fields show the cursor address.
    virtual void ShowCopyRange(std::int32_t cursorAddress) = 0;
    // Fill: value := the byte at the cursor, both addresses := the cursor address; with a
    // selection of several cells the address fields and their labels are disabled.
    virtual void ShowFill(std::int32_t cursorAddress, bool selectionMode) = 0;
    // Copy As: both addresses := the cursor address; disabled as for Fill.
    virtual void ShowCopyAs(std::int32_t cursorAddress, bool selectionMode) = 0;
    // Find: the search text is preset with the byte at the cursor only when the dialog is
    // created here.
    virtual void ShowFind(std::int32_t cursorAddress) = 0;
    [[nodiscard]] virtual bool FindDialogExists() const = 0;
    // Search Again: runs the find dialog's search without showing it.
    virtual void SearchAgain() = 0;
    // Go To Address: the field := the cursor address.
    virtual void ShowGoTo(std::int32_t cursorAddress) = 0;
    virtual void ShowSwap() = 0;
    // Replace: its search text is preset with the byte at the cursor when it is created.
    virtual void ShowReplace(std::int32_t cursorAddress) = 0;
};

// The program's dialogs for this editor. Defined with them in the operations windows, so the
// editor opens them without including their folder, which includes the editor's.
[[nodiscard]] std::unique_ptr<EditorDialogs> CreateEditorDialogs(THexEdit& editor);

} // namespace zav
