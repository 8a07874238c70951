#include "shell/ports_setup_model.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "link/port_name.h"
#include "shell/main_window_flow.h"

namespace zav {

namespace {

bool SameIgnoringCase(const std::string& left, const std::string& right)
{
    return std::equal(left.begin(), left.end(), right.begin(), right.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

PortChoice ChoiceOf(const std::vector<PortStatus>& ports, const std::string& current)
{
    PortChoice choice;
    choice.names = PresentPortNames(ports);
    const auto found = std::find_if(choice.names.begin(), choice.names.end(),
                                    [&current](const std::string& name) { return SameIgnoringCase(name, current); });
    choice.selected = found == choice.names.end() ? 0 : static_cast<int>(found - choice.names.begin());
    choice.whyMissing = PortsSetupModel::WhyMissing(ports);
    return choice;
}

// "COM2-COM8" for a run of consecutive ports, so the line stays short; names in list order.
std::string JoinNames(const std::vector<const PortStatus*>& ports)
{
    const auto follows = [](const std::string& earlier, const std::string& later) {
        const std::optional<PortName> before = PortName::Parse(earlier);
        const std::optional<PortName> after = PortName::Parse(later);
        return before && after && before->PortKind() == after->PortKind() && after->Number() == before->Number() + 1;
    };
    std::string names;
    for (std::size_t first = 0; first < ports.size();) {
        std::size_t last = first;
        while (last + 1 < ports.size() && follows(ports[last]->name, ports[last + 1]->name)) ++last;
        if (!names.empty()) names += ", ";
        names += ports[first]->name;
        if (last >= first + 2) {
            names += "-" + ports[last]->name;
        } else if (last == first + 1) {
            names += ", " + ports[last]->name;
        }
        first = last + 1;
    }
    return names;
}

} // namespace

void PortsSetupModel::Show(PortListing& listing, MainWindowFlow& flow)
{
    flow.SetPortIdle(false);
    const std::vector<PortStatus> parallel = listing.ParallelPorts();
    const std::vector<PortStatus> serial = listing.SerialPorts();
    usbAdapters_ = UsbAdapterLines(listing.UsbAdapters());
    flow.SetPortIdle(true);
    const ProgramSettings& settings = flow.Settings().program;
    parallel_ = ChoiceOf(parallel, settings.lptPort);
    serial_ = ChoiceOf(serial, settings.comPort);
    delay_ = std::clamp(settings.lptDelay, kMinDelay, kMaxDelay);
    backup_ = settings.backupBeforeWrite;
}

void PortsSetupModel::AcceptBackup(bool backup, MainWindowFlow& flow) const
{
    flow.Settings().program.backupBeforeWrite = backup;
}

void PortsSetupModel::Accept(int parallelIndex, int serialIndex, int delay, MainWindowFlow& flow) const
{
    ProgramSettings& settings = flow.Settings().program;
    const auto pick = [](const PortChoice& choice, int index) {
        return choice.names[static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(choice.names.size()) - 1))];
    };
    settings.lptPort = pick(parallel_, parallelIndex);
    settings.comPort = pick(serial_, serialIndex);
    settings.lptDelay = std::clamp(delay, kMinDelay, kMaxDelay);
}

std::vector<std::string> PortsSetupModel::UsbAdapterLines(const std::vector<UsbAdapterStatus>& adapters)
{
    std::vector<std::string> lines;
    for (const UsbAdapterStatus& adapter : adapters) {
        const PortName::Kind kind = adapter.bitBang ? PortName::Kind::Parallel : PortName::Kind::Serial;
        std::string line = std::string(PortName::Prefix(kind)) + "n=" + adapter.target;
        if (!adapter.description.empty()) line += "  " + adapter.description;
        if (!adapter.problem.empty()) line += ": not usable: " + adapter.problem;
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string PortsSetupModel::WhyMissing(const std::vector<PortStatus>& ports)
{
    // One clause per kind of trouble, in the order a user can act on them, naming the ports.
    constexpr std::array kOrder{PortProblem::NoPermission, PortProblem::HeldByDriver, PortProblem::Unsuitable,
                                PortProblem::NoDevice, PortProblem::Unknown};
    std::string line;
    for (const PortProblem problem : kOrder) {
        std::vector<const PortStatus*> affected;
        for (const PortStatus& port : ports) {
            if (port.present) continue;
            const PortProblem seen = port.problem == PortProblem::None ? PortProblem::Unknown : port.problem;
            if (seen == problem) affected.push_back(&port);
        }
        if (affected.empty()) continue;
        std::string clause;
        switch (problem) {
        case PortProblem::NoPermission:
            clause = JoinNames(affected) + ": no permission";
            if (!affected.front()->group.empty()) {
                clause += " (join the group " + affected.front()->group + ", then log in again)";
            }
            break;
        case PortProblem::HeldByDriver:
            clause = JoinNames(affected) + ": held by another driver or program";
            break;
        case PortProblem::Unsuitable:
            clause = JoinNames(affected) + ": " +
                     (affected.front()->cause.empty() ? "not a usable port" : affected.front()->cause);
            break;
        case PortProblem::NoDevice:
            clause = JoinNames(affected) + ": no device";
            break;
        default:
            clause = JoinNames(affected) + ": cannot be opened";
            if (!affected.front()->cause.empty()) clause += " (" + affected.front()->cause + ")";
            break;
        }
        if (!line.empty()) line += "; ";
        line += clause;
    }
    return line;
}

} // namespace zav
