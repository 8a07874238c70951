#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "operations/copy_as.h"
#include "operations/history_field.h"

namespace zav {

class MemoryBuffer;
class MessageBoxes;
class Selection;

// The "Copy As " dialog: converts a typed range, or the editor's selection when it holds
// more than one cell, into the chosen format. The format is kept from one use to the next.
class CopyAsDialog {
public:
    [[nodiscard]] CopyAsFormat Format() const { return format_; }
    void SetFormat(CopyAsFormat format) { format_ = format; }
    [[nodiscard]] HistoryField& From() { return from_; }
    [[nodiscard]] HistoryField& To() { return to_; }

    // Both address fields show the editor's cursor address.
    void Preset(std::int32_t cursorAddress);
    // The text for the clipboard, which then closes the dialog; empty when a typed address
    // was refused (its message shown) and the dialog stays open. `title` heads the HTML page.
    [[nodiscard]] std::optional<std::string> Ok(const MemoryBuffer& buffer, const Selection& selection,
                                                std::string_view title, MessageBoxes& boxes);

private:
    CopyAsFormat format_ = CopyAsFormat::CArray;
    HistoryField from_;
    HistoryField to_;
};

} // namespace zav
