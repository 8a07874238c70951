#include "operations/history_field.h"

#include <algorithm>

#include "buffer/numeric_helpers.h"

namespace zav {

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return LowerCaseChar(x) == LowerCaseChar(y); });
}

void HistoryField::RememberText()
{
    const bool known = std::any_of(history_.begin(), history_.end(), [this](const std::string& entry) {
        return EqualIgnoringCase(entry, text_);
    });
    if (!known) history_.push_back(text_);
}

} // namespace zav
