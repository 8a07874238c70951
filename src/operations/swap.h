#pragma once

namespace zav {

class MemoryBuffer;

// The units the Swap dialog reorders, in the order of its choices.
enum class SwapUnit {
    Byte,      // the bit order of every byte reversed
    Word,      // the two bytes of every 16-bit word exchanged
    DoubleWord // the four bytes of every 32-bit double word reversed
};

// Reorders the whole buffer as one undo step. Every cell is recorded before it is written,
// and the buffer refuses writes to read-only and unimplemented cells, so a protected cell
// keeps its value while its partner still receives it.
void SwapBuffer(MemoryBuffer& buffer, SwapUnit unit);

} // namespace zav
