#pragma once

#include <memory>

#include "ui/buffer/data_inspector_window.h"
#include "ui/buffer/editor_actions.h"

namespace zav {

// The data inspector beside the editor: built on first use, shown and closed by its checkable
// Window menu command, and reading the cells at the cursor as it moves.
class InspectorBinding {
public:
    InspectorBinding(THexEdit& editor, EditorActionTable& table);

    [[nodiscard]] TDataInspector& Window();
    void Refresh();

private:
    THexEdit& editor_;
    QAction* toggle_ = nullptr;
    std::unique_ptr<TDataInspector> window_;
};

} // namespace zav
