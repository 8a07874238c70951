#pragma once

#include <cstdint>

#include "buffer/address_range.h"

namespace zav {

class MemoryBuffer;
class Selection;

// Writes one value into every cell of a range or a selection as one undo step; read-only
// and unimplemented cells keep their values. Returns the last cell written, where the
// editor's cursor goes.
std::int32_t FillRange(MemoryBuffer& buffer, AddressRange range, std::uint8_t value);
std::int32_t FillSelection(MemoryBuffer& buffer, const Selection& selection, std::uint8_t value);

} // namespace zav
