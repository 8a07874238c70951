#pragma once

#include "link/port_access.h"
#include "sequences/link_factory.h"

namespace zav {

// Every port name leads to the same ports, owned elsewhere: a simulated board a test or a
// benchmark holds, or backends the front end keeps for the program's life.
class SharedPortsLinkFactory final : public LinkFactory {
public:
    explicit SharedPortsLinkFactory(const PortAccess& ports) : ports_(ports) {}
    [[nodiscard]] std::unique_ptr<LinkEndpoint> PortsFor(const std::string& portName,
                                                         std::uint8_t boardCode) override;

private:
    PortAccess ports_;
};

} // namespace zav
