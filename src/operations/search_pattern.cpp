#include "operations/search_pattern.h"

#include "buffer/numeric_helpers.h"
#include "messages/message_boxes.h"

namespace zav {

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    const char lower = LowerCaseChar(c);
    if (lower >= 'a' && lower <= 'f') return lower - 'a' + 10;
    return -1;
}

} // namespace

std::optional<std::vector<std::uint8_t>> ParseSearchPattern(std::string_view text, SearchDataType type,
                                                            MessageBoxes& boxes)
{
    if (text.size() > kMaxSearchLength) {
        boxes.ShowError("String Length must be up to 32 characters");
        return std::nullopt;
    }
    std::vector<std::uint8_t> pattern;
    if (type == SearchDataType::Text) {
        for (const char c : text) pattern.push_back(static_cast<std::uint8_t>(LowerCaseChar(c)));
        return pattern;
    }
    if (text.size() % 2 != 0) {
        boxes.ShowError("Invalid Hexadecimal String, Must be an Even number of digits");
        return std::nullopt;
    }
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = HexValue(text[i]);
        const int low = HexValue(text[i + 1]);
        if (high < 0 || low < 0) {
            boxes.ShowError("To Enter Value do not use any prefix and letter");
            return std::nullopt;
        }
        pattern.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return pattern;
}

} // namespace zav
