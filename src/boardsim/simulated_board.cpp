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
    // Each part's EEPROM as its data sheet has it. The other boards' firmware erases a byte
    // before programming it (their parts are erased by writing 0xFF), so a write there
    // simply replaces the cell.
    switch (options.boardCode) {
    case 1:
        target_.SetProgramming(0x0300, 0x03FF, CellProgramming::ClearBitsOnly);
        break;
    case 4:
        target_.SetProgramming(0xB600, 0xB7FF, CellProgramming::ClearBitsOnly);
        break;
    case 5:
    case 6:
    case 7:
    case 8:
        target_.SetProgramming(0x1E00, 0x1FFF, CellProgramming::OnesThenZeros);
        break;
    default:
        break;
    }
}

PortAccess SimulatedBoard::Access()
{
    return PortAccess{&parallel_, &serial_, clock_.get()};
}

} // namespace zav
