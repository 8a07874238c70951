#pragma once

#include <vector>

#include "buffer/address_range.h"
#include "sequences/sequence_plan.h"

namespace zav {

// The buffer cells a program sequence takes values from: the EEPROM range for Program and
// for Verify, and the MC68HC11's CONFIG register for Program. A tool that loads a file for
// the sequence checks these against what the file gave, so a cell the file never mentioned
// is not programmed with whatever the buffer happened to hold.
[[nodiscard]] std::vector<AddressRange> BufferCellsUsed(const SequencePlan& plan, bool program, bool verify);

// The runs of `cells` whose addresses are not marked in `given` (one flag per buffer
// address), in address order.
[[nodiscard]] std::vector<AddressRange> CellsNotGiven(const std::vector<AddressRange>& cells,
                                                      const std::vector<bool>& given);

} // namespace zav
