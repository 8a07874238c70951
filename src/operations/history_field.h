#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zav {

// An editable dialog field with a drop-down history of the texts it accepted before.
class HistoryField {
public:
    HistoryField() = default;
    explicit HistoryField(std::string text) : text_(std::move(text)) {}

    [[nodiscard]] const std::string& Text() const { return text_; }
    void SetText(std::string text) { text_ = std::move(text); }
    [[nodiscard]] const std::vector<std::string>& History() const { return history_; }

    // Appends the current text unless the history holds it already, letters compared
    // without regard to case ("0xff" and "0xFF" are one entry).
    void RememberText();

private:
    std::string text_;
    std::vector<std::string> history_;
};

// A-Z and a-z compare equal; every other character only to itself.
[[nodiscard]] bool EqualIgnoringCase(std::string_view a, std::string_view b);

} // namespace zav
