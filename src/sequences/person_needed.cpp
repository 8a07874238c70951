#include "sequences/person_needed.h"

namespace zav {

std::string PersonNeededFor(const SequencePlan& plan, const std::set<SequenceOption>& optionsDown)
{
    const auto down = [&](SequenceOption option) { return optionsDown.count(option) != 0; };
    const bool writes = down(SequenceOption::Erase) || down(SequenceOption::Program);
    if (plan.IsMc68hc11() && (writes || down(SequenceOption::Lock) || down(SequenceOption::Unlock)))
        return "the question whether to change the CONFIG register";
    if (plan.IsTms() && writes) return "the WPO jumper changes when the device is write-protected";
    return {};
}

} // namespace zav
