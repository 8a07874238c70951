#include "link/ports_map.h"

#include <functional>

#include "link/ftdi_target.h"
#include "link/port_name.h"

namespace zav {

namespace {

// Why a port name cannot take this target; empty when it can. Only an FTDI adapter's
// target has a grammar of its own; device paths are checked when the port is opened.
std::string TargetProblem(std::string_view name, std::string_view target)
{
    if (!FtdiTarget::IsFtdiTarget(target)) return {};
    if (!PortName::IsOfKind(name, PortName::Kind::Parallel))
        return "an FTDI adapter in bit-bang mode stands in for " + PortName::RangeText(PortName::Kind::Parallel) +
               "; a serial port on a USB adapter is named by its device (/dev/serial/by-id/...)";
    std::string error;
    if (!FtdiTarget::Parse(target, error)) return error;
    return {};
}

std::string_view Trim(std::string_view text)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

} // namespace

PortsMap PortsMap::Parse(std::string_view text)
{
    PortsMap map;
    std::map<std::string, int, std::less<>> lineOfName;
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        std::string_view line = text.substr(0, end);
        if (end == std::string_view::npos) {
            text = {};
        } else {
            const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
            text.remove_prefix(end + (crLf ? 2 : 1));
        }
        ++number;

        line = Trim(line);
        if (line.empty() || line.front() == '#') continue;
        const auto unreadable = [&](std::string reason) {
            map.unreadable_.push_back({number, std::string(line), std::move(reason)});
        };
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            unreadable("not NAME=TARGET");
            continue;
        }
        const std::string_view name = Trim(line.substr(0, equals));
        const std::string_view target = Trim(line.substr(equals + 1));
        if (!PortName::IsValid(name)) {
            unreadable("NAME is one of " + PortName::RangeText(PortName::Kind::Parallel) + " or " +
                       PortName::RangeText(PortName::Kind::Serial) + ", in capitals");
        } else if (target.empty()) {
            unreadable("no TARGET after the =");
        } else if (std::string problem = TargetProblem(name, target); !problem.empty()) {
            unreadable(std::move(problem));
        } else {
            const auto [earlier, first] = lineOfName.try_emplace(std::string(name), number);
            if (!first) {
                map.repeated_.push_back({std::string(name), earlier->second, number});
                earlier->second = number;
            }
            map.entries_[std::string(name)] = std::string(target);
        }
    }
    return map;
}

std::optional<std::string> PortsMap::TargetOf(const std::string& portName) const
{
    const auto found = entries_.find(portName);
    if (found == entries_.end()) return std::nullopt;
    return found->second;
}

bool PortsMap::IsSimulated(const std::string& portName) const
{
    const auto found = entries_.find(portName);
    return found != entries_.end() && found->second == kSimulatorTarget;
}

void PortsMap::SetTarget(const std::string& portName, const std::string& target)
{
    if (PortName::IsValid(portName) && !target.empty()) entries_[portName] = target;
}

} // namespace zav
