#include "shell/status_line.h"

namespace zav {

std::string MakeStatusLine(std::string_view text, StatusKind kind)
{
    char tag = '0';
    if (kind == StatusKind::Warning) tag = '1';
    if (kind == StatusKind::Error) tag = '2';
    std::string line;
    line.reserve(text.size() + 1);
    line.push_back(tag);
    line.append(text);
    return line;
}

Colour StatusLineColour(std::string_view line)
{
    if (line.empty()) return 0x000000;
    if (line.front() == '1') return 0x800080;
    if (line.front() == '2') return 0x0000FF;
    return 0x000000;
}

std::string StatusLineDisplayText(std::string_view line)
{
    if (line.empty()) return " ";
    std::string shown(line);
    shown.front() = ' ';
    return shown;
}

} // namespace zav
