#pragma once

#include <memory>

#include "boardsim/board_sim_options.h"
#include "boardsim/simulated_parallel_board.h"
#include "boardsim/simulated_serial_board.h"
#include "boardsim/simulated_serial_target.h"
#include "boardsim/simulated_target.h"
#include "link/port_access.h"
#include "link/virtual_clock.h"

namespace zav {

// A whole simulated programmer setup: the target's memory, the board on the parallel
// ports and the one on the serial ports, and the clock they all run on (virtual unless
// options.realTime). Hand Access() to a ProgrammerLink; the board and the link must then
// be used from one thread at a time.
class SimulatedBoard {
public:
    explicit SimulatedBoard(const BoardSimOptions& options);
    SimulatedBoard(const SimulatedBoard&) = delete;
    SimulatedBoard& operator=(const SimulatedBoard&) = delete;

    [[nodiscard]] PortAccess Access();
    [[nodiscard]] SimulatedParallelBoard& Parallel() { return parallel_; }
    [[nodiscard]] SimulatedSerialBoard& Serial() { return serial_; }
    [[nodiscard]] SimulatedSerialTarget& SerialTarget() { return serialTarget_; }
    [[nodiscard]] SimulatedTarget& Target() { return target_; }
    [[nodiscard]] Clock& BoardClock() { return *clock_; }
    // Null when running on real time.
    [[nodiscard]] VirtualClock* Virtual() { return virtualClock_; }
    [[nodiscard]] const BoardSimOptions& Options() const { return options_; }

private:
    BoardSimOptions options_;
    std::unique_ptr<Clock> clock_;
    VirtualClock* virtualClock_ = nullptr;
    SimulatedTarget target_;
    SimulatedParallelBoard parallel_;
    SimulatedSerialTarget serialTarget_;
    SimulatedSerialBoard serial_;
};

} // namespace zav
