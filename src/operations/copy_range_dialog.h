#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "operations/history_field.h"

namespace zav {

class MemoryBuffer;
class MessageBoxes;

// The "Copy Array" dialog: copies a typed address range as one line of hex values.
class CopyRangeDialog {
public:
    [[nodiscard]] HistoryField& From() { return from_; }
    [[nodiscard]] HistoryField& To() { return to_; }

    // Both fields show the editor's cursor address.
    void Preset(std::int32_t cursorAddress);
    // The text for the clipboard; empty when the input was refused (its message shown) or
    // the memory ran out, and the dialog stays open.
    [[nodiscard]] std::optional<std::string> Ok(const MemoryBuffer& buffer, MessageBoxes& boxes);

private:
    HistoryField from_;
    HistoryField to_;
};

} // namespace zav
