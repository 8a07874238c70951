#pragma once

#include "link/port_access.h"

namespace zav {

// The ports behind one port name for one sequence, and whatever owns them (a simulated
// board, the Linux backends). Every link of the sequence on that port talks through
// Access(); the endpoint outlives them.
class LinkEndpoint {
public:
    virtual ~LinkEndpoint() = default;
    [[nodiscard]] virtual PortAccess Access() = 0;
};

} // namespace zav
