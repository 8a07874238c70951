#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "sequences/link_endpoint.h"

namespace zav {

// Where a sequence's links come from. The front end decides what stands behind a port name
// (the Linux backends, or the simulated board where the ports map says so), so the
// sequences never see platform code. Called on the worker thread.
class LinkFactory {
public:
    virtual ~LinkFactory() = default;
    // The ports for portName as the settings spell it, for a board of boardCode. Never null:
    // a name that leads nowhere gives ports the link then fails to open.
    [[nodiscard]] virtual std::unique_ptr<LinkEndpoint> PortsFor(const std::string& portName,
                                                                 std::uint8_t boardCode) = 0;
};

} // namespace zav
