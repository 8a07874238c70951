#include "ui/buffer/inspector_binding.h"

#include <QAction>

#include "ui/buffer/hex_edit_window.h"

namespace zav {

InspectorBinding::InspectorBinding(THexEdit& editor, EditorActionTable& table) : editor_(editor)
{
    toggle_ = table[EditorExtraAction::DataInspector] = AddEditorAction(
        editor, {"WindowDataInspector", "Data Inspector", {}, "Data Inspector window Show/Close", false});
    toggle_->setCheckable(true);
    QObject::connect(toggle_, &QAction::triggered, &editor, [this] {
        TDataInspector& window = Window();
        window.setVisible(!window.isVisible());
    });
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
