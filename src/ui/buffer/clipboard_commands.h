#pragma once

namespace zav {

class THexEdit;
struct EditorActionTable;

// Copy, Copy As, Paste and Select All. Copy without a selection asks for a range; Paste
// follows the clipboard, enabled while it holds text and the editor is open.
class ClipboardCommands {
public:
    ClipboardCommands(THexEdit& editor, EditorActionTable& table);

    void SetLive(bool live);

private:
    void Copy();
    void Paste();
    void FollowClipboard();

    THexEdit& editor_;
    EditorActionTable& actions_;
};

} // namespace zav
