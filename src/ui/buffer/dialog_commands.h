#pragma once

namespace zav {

class THexEdit;
struct EditorActionTable;

// Fill, Go To Address and Swap: each opens its buffer dialog, preset from the cursor and the
// selection, and repaints what it changed.
class DialogCommands {
public:
    DialogCommands(THexEdit& editor, EditorActionTable& table);

    void SetLive(bool live);

private:
    EditorActionTable& actions_;
};

} // namespace zav
