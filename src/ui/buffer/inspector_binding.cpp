#include "ui/buffer/inspector_binding.h"

#include <QAction>

#include "ui/buffer/hex_edit_window.h"

namespace zav {

InspectorBinding::InspectorBinding(THexEdit& editor, EditorActionTable& table) : editor_(editor)
{
    toggle_ = table.Add(editor, EditorExtraAction::DataInspector, [this] {
        TDataInspector& window = Window();
        window.setVisible(!window.isVisible());
    });
    toggle_->setCheckable(true);
}

TDataInspector& InspectorBinding::Window()
{
    if (!window_) {
        window_ = std::make_unique<TDataInspector>(editor_, &editor_);
        window_->SetToggleAction(toggle_);
    }
    return *window_;
}

void InspectorBinding::Refresh()
{
    if (window_) window_->Refresh();
}

} // namespace zav
