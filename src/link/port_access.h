#pragma once

#include "link/clock.h"
#include "link/parallel_port_io.h"
#include "link/serial_port.h"

namespace zav {

// What a ProgrammerLink talks through. Not owned by the link; every pointer must outlive
// it. A null port means that kind of port is unavailable (its names fail to open); a
// null clock means real time.
struct PortAccess {
    ParallelPortIo* parallel = nullptr;
    SerialPort* serial = nullptr;
    Clock* clock = nullptr;
};

} // namespace zav
