#pragma once

#include <set>
#include <string>

#include "devices/sequence_option.h"
#include "sequences/sequence_plan.h"

namespace zav {

// What of a program sequence needs a person at the programmer, known before it starts: the
// CONFIG question of the MC68HC11 parts (asked before any erase, program, lock or unlock)
// and the WPO jumper boxes of the TMS parts (shown when an erase or program finds a block
// write-protected). Empty when the run needs nobody. A tool without a person refuses such a
// run up front rather than answer a box nobody saw.
[[nodiscard]] std::string PersonNeededFor(const SequencePlan& plan,
                                          const std::set<SequenceOption>& optionsDown);

} // namespace zav
