#pragma once

#include <functional>
#include <string>

#include "sequences/link_factory.h"

namespace zav {

class StatusSink;

// Hands out the links of another factory and, when a port is the simulated board, first
// says so in a Normal line, so that nobody mistakes a simulated run for a programmed part.
// The line goes through the worker's own status sink, so it lands in order among the
// sequence's lines, before its first operation.
class SimulationNoticeLinkFactory final : public LinkFactory {
public:
    using IsSimulated = std::function<bool(const std::string& portName)>;

    SimulationNoticeLinkFactory(LinkFactory& links, IsSimulated isSimulated, StatusSink& workerStatus);

    [[nodiscard]] std::unique_ptr<LinkEndpoint> PortsFor(const std::string& portName,
                                                         std::uint8_t boardCode) override;

    [[nodiscard]] static std::string NoticeFor(const std::string& portName);

private:
    LinkFactory& links_;
    IsSimulated isSimulated_;
    StatusSink& workerStatus_;
};

} // namespace zav
