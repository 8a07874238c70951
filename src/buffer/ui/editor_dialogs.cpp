#include "buffer/ui/editor_dialogs.h"

#include "operations/ui/operation_dialogs.h"

namespace zav {

std::unique_ptr<EditorDialogs> CreateEditorDialogs(THexEdit& editor)
{
    return std::make_unique<OperationDialogs>(editor);
}

} // namespace zav
