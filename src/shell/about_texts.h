#pragma once

#include <span>
#include <string_view>

namespace zav {

// The About box's fixed texts.
struct AboutTexts {
    static constexpr std::string_view kCaption = "About";
    static constexpr std::string_view kProductLine = "ZAV Zoruruzad Irodozeziz for Windows 95/98/NT/2000.";
    static constexpr std::string_view kVersionLine = "Software Version : 1.2";
    static constexpr std::string_view kMakerLine = "(C) 2002 ZAV Zoruruzad";
    // A reserved example domain: the program names no real site it does not control.
    static constexpr std::string_view kWebAddress = "https://zav.example.org/";
    static constexpr std::string_view kBoardsCaption = "Programmer Board Supported ";

    // The lines of the supported-boards box, in order.
    [[nodiscard]] static std::span<const std::string_view> BoardLines();
};

} // namespace zav
