#include "sequences/shared_ports_link_factory.h"

namespace zav {

namespace {

class BorrowedPorts final : public LinkEndpoint {
public:
    explicit BorrowedPorts(const PortAccess& ports) : ports_(ports) {}
    [[nodiscard]] PortAccess Access() override { return ports_; }

private:
    PortAccess ports_;
};

} // namespace

std::unique_ptr<LinkEndpoint> SharedPortsLinkFactory::PortsFor(const std::string&, std::uint8_t)
{
    return std::make_unique<BorrowedPorts>(ports_);
}

} // namespace zav
