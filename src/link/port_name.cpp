#include "link/port_name.h"

namespace zav {

std::optional<PortName> PortName::Parse(std::string_view text)
{
    // One digit after the prefix: no port number has two, and "LPT01" is no name.
    if (text.size() != 4) return std::nullopt;
    const int number = text[3] - '0';
    for (const Kind kind : {Kind::Parallel, Kind::Serial}) {
        if (text.starts_with(Prefix(kind)) && number >= 1 && number <= Count(kind)) return PortName(kind, number);
    }
    return std::nullopt;
}

bool PortName::IsOfKind(std::string_view text, Kind kind)
{
    const std::optional<PortName> name = Parse(text);
    return name && name->PortKind() == kind;
}

std::vector<PortName> PortName::All(Kind kind)
{
    std::vector<PortName> names;
    for (int n = 1; n <= Count(kind); ++n) names.emplace_back(kind, n);
    return names;
}

std::string PortName::RangeText(Kind kind)
{
    return PortName(kind, 1).Text() + " to " + PortName(kind, Count(kind)).Text();
}

std::string PortName::EveryRangeText()
{
    return RangeText(Kind::Parallel) + ", " + RangeText(Kind::Serial);
}

std::string PortName::Text() const
{
    return std::string(Prefix(kind_)) + std::to_string(number_);
}

} // namespace zav
