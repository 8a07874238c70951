#pragma once

#include <utility>

namespace zav {

// A dialog made on its first use, as a child of the window it is given, which deletes it; kept
// from then on, so it remembers its history and choices.
template <typename Dialog> class LazyDialog {
public:
    // The arguments build the dialog the first time only.
    template <typename... Args> Dialog& Get(Args&&... args)
    {
        if (dialog_ == nullptr) dialog_ = new Dialog(std::forward<Args>(args)...);
        return *dialog_;
    }
    [[nodiscard]] Dialog* Existing() const { return dialog_; }

private:
    Dialog* dialog_ = nullptr;
};

} // namespace zav
