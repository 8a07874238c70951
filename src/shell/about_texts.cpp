#include "shell/about_texts.h"

#include <array>

namespace zav {

std::span<const std::string_view> AboutTexts::BoardLines()
{
    // The board list names the boards, which is not the catalogue's board order.
    static constexpr std::array<std::string_view, 8> kLines{
        "Vesion 1.0", "MC68HC705B16", "MC68HC05B6", "MC68HC05L28",
        "MC68HC11E9", "MC68HC11PA8",  "TMS370Cx5x", "TMS375C006",
    };
    return kLines;
}

} // namespace zav
