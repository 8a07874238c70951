#include "boardsim/simulated_board.h"

#include "link/real_time_clock.h"

namespace zav {

namespace {

std::unique_ptr<Clock> MakeClock(const BoardSimOptions& options)
{
    if (options.realTime) return std::make_unique<RealTimeClock>();
    return std::make_unique<VirtualClock>();
}

} // namespace

SimulatedBoard::SimulatedBoard(const BoardSimOptions& options)
    : options_(options), clock_(MakeClock(options)),
      virtualClock_(options.realTime ? nullptr : static_cast<VirtualClock*>(clock_.get())),
      target_(*clock_, options.eepromWriteMs, options.stuckCell),
      parallel_(target_, options_, *clock_, virtualClock_), serialTarget_(target_, options_),
      serial_(serialTarget_, *clock_, options_)
{
}

PortAccess SimulatedBoard::Access()
{
    return PortAccess{&parallel_, &serial_, clock_.get()};
}

} // namespace zav
