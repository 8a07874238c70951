#pragma once

#include <cstdint>
#include <functional>

namespace zav {

class THexEdit;
struct EditorActionTable;

// Undo and Redo: each step replayed as one change to the buffer, under the busy cursor, the
// cursor put on the address the step returns.
class HistoryCommands {
public:
    HistoryCommands(THexEdit& editor, EditorActionTable& table);

    void SetLive(bool live);
    void SetUndoLive(bool live, bool available);
    void SetRedoLive(bool live);

private:
    void Replay(const std::function<std::int32_t()>& step);

    THexEdit& editor_;
    EditorActionTable& actions_;
};

} // namespace zav
