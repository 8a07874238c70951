#include "sequences/simulation_notice_link_factory.h"

#include "messages/status_sink.h"

namespace zav {

SimulationNoticeLinkFactory::SimulationNoticeLinkFactory(LinkFactory& links, IsSimulated isSimulated,
                                                         StatusSink& workerStatus)
    : links_(links), isSimulated_(std::move(isSimulated)), workerStatus_(workerStatus)
{
}

std::unique_ptr<LinkEndpoint> SimulationNoticeLinkFactory::PortsFor(const std::string& portName,
                                                                    std::uint8_t boardCode)
{
    if (isSimulated_ && isSimulated_(portName)) workerStatus_.AddStatusMessage(NoticeFor(portName), StatusKind::Normal);
    return links_.PortsFor(portName, boardCode);
}

std::string SimulationNoticeLinkFactory::NoticeFor(const std::string& portName)
{
    return portName + " is the simulated board: no real device is read or programmed.";
}

} // namespace zav
