#pragma once

#include <cstdint>
#include <optional>

#include "operations/history_field.h"

namespace zav {

class MessageBoxes;

// The "Go To Address" dialog.
class GoToDialog {
public:
    [[nodiscard]] HistoryField& Address() { return address_; }

    // The field shows the editor's cursor address at every showing.
    void Preset(std::int32_t cursorAddress);
    // The address the editor's cursor goes to; empty when the text was refused (its message
    // shown) and the dialog stays open.
    [[nodiscard]] std::optional<std::int32_t> Ok(std::int32_t lastAddress, MessageBoxes& boxes);

private:
    HistoryField address_;
};

} // namespace zav
