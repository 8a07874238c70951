#include "shell/menu_mnemonics.h"

#include <cctype>
#include <optional>
#include <set>

namespace zav {

namespace {

bool IsKeyCharacter(char character)
{
    return std::isalnum(static_cast<unsigned char>(character)) != 0;
}

char KeyOf(char character)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
}

// The position of the character after a single "&", if the caption has one.
std::optional<std::size_t> ExistingMnemonic(const std::string& caption)
{
    for (std::size_t index = 0; index + 1 < caption.size(); ++index) {
        if (caption[index] != '&') continue;
        if (caption[index + 1] != '&') return index + 1;
        ++index;
    }
    return std::nullopt;
}

// Word starts first, then the other characters, each in reading order.
std::vector<std::size_t> Candidates(const std::string& caption)
{
    std::vector<std::size_t> starts;
    std::vector<std::size_t> others;
    for (std::size_t index = 0; index < caption.size(); ++index) {
        if (!IsKeyCharacter(caption[index])) continue;
        const bool wordStart = index == 0 || caption[index - 1] == ' ';
        (wordStart ? starts : others).push_back(index);
    }
    starts.insert(starts.end(), others.begin(), others.end());
    return starts;
}

} // namespace

std::vector<std::string> WithMnemonics(const std::vector<std::string>& captions)
{
    std::set<char> taken;
    for (const std::string& caption : captions) {
        if (const auto position = ExistingMnemonic(caption)) taken.insert(KeyOf(caption[*position]));
    }
    std::vector<std::string> result = captions;
    for (std::string& caption : result) {
        // "&&" would read as a literal ampersand, so a caption holding one keeps its text.
        if (ExistingMnemonic(caption) || caption.find('&') != std::string::npos) continue;
        for (const std::size_t position : Candidates(caption)) {
            if (taken.insert(KeyOf(caption[position])).second) {
                caption.insert(position, 1, '&');
                break;
            }
        }
    }
    return result;
}

} // namespace zav
