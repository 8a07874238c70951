#pragma once

#include <memory>

class QAction;

namespace zav {

class TDataInspector;
class THexEdit;
struct EditorActionTable;

// The data inspector beside the editor: built on first use, shown and closed by its checkable
// Window menu command, and reading the cells at the cursor as it moves.
class InspectorBinding {
public:
    InspectorBinding(THexEdit& editor, EditorActionTable& table);
    ~InspectorBinding();

    [[nodiscard]] TDataInspector& Window();
    void Refresh();

private:
    THexEdit& editor_;
    QAction* toggle_ = nullptr;
    std::unique_ptr<TDataInspector> window_;
};

} // namespace zav
