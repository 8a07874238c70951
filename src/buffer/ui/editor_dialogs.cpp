#include "buffer/ui/editor_dialogs.h"

namespace zav {

namespace {

class NoEditorDialogs : public EditorDialogs {
public:
    void ShowCopyRange(std::int32_t) override {}
    void ShowFill(std::int32_t, bool) override {}
    void ShowCopyAs(std::int32_t, bool) override {}
    void ShowFind(std::int32_t) override {}
    [[nodiscard]] bool FindDialogExists() const override { return false; }
    void SearchAgain() override {}
    void ShowGoTo(std::int32_t) override {}
    void ShowSwap() override {}
};

} // namespace

std::unique_ptr<EditorDialogs> CreateEditorDialogs(THexEdit&)
{
    return std::make_unique<NoEditorDialogs>();
}

} // namespace zav
