#pragma once

#include <memory>
#include <optional>
#include <string>

#include "shell/app_settings.h"

namespace zav {

class TExplaine;
class THexEdit;
struct EditorActionTable;

// The editor's description window: built on first use (Property shows and closes it), placed
// where the settings last put it, and told the device whose checksums it adds up.
class DescriptionBinding {
public:
    DescriptionBinding(THexEdit& editor, EditorActionTable& table);
    ~DescriptionBinding();

    [[nodiscard]] TExplaine& Window();
    // Nothing until first used.
    [[nodiscard]] TExplaine* Existing() const { return window_.get(); }
    void SetChecksumDevice(const std::string& deviceName);

    // A window not built yet and not to be shown keeps the place given until it is built.
    void Place(const WindowBounds& bounds, bool visible);
    // Its part of the layout; a window never built hands back the place it was given.
    void ReadInto(WindowLayout& layout);

private:
    THexEdit& editor_;
    std::unique_ptr<TExplaine> window_;
    std::string checksumDevice_;
    std::optional<WindowBounds> givenPlace_;
};

} // namespace zav
