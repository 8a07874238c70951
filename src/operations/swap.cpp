#include "operations/swap.h"

#include <array>
#include <cstdint>

#include "buffer/memory_buffer.h"

namespace zav {

namespace {

constexpr std::array<std::uint8_t, 256> MakeBitReversal()
{
    std::array<std::uint8_t, 256> table{};
    for (int value = 0; value < 256; ++value) {
        int reversed = 0;
        for (int bit = 0; bit < 8; ++bit) {
            if ((value >> bit) & 1) reversed |= 0x80 >> bit;
        }
        table[static_cast<std::size_t>(value)] = static_cast<std::uint8_t>(reversed);
    }
    return table;
}

constexpr std::array<std::uint8_t, 256> kBitReversal = MakeBitReversal();

void Write(MemoryBuffer& buffer, std::int32_t address, std::uint8_t value)
{
    buffer.Undo().Push(address);
    buffer.SetByte(address, value);
}

// Reads a block of `size` cells first, then writes it back reversed.
template <std::int32_t size> void ReverseBlocks(MemoryBuffer& buffer)
{
    std::array<std::uint8_t, size> values{};
    for (std::int32_t block = 0; block + size - 1 <= buffer.LastAddress(); block += size) {
        for (std::int32_t i = 0; i < size; ++i)
            values[static_cast<std::size_t>(i)] = buffer.GetByte(block + i);
        for (std::int32_t i = 0; i < size; ++i) {
            Write(buffer, block + i, values[static_cast<std::size_t>(size - 1 - i)]);
        }
    }
}

} // namespace

void SwapBuffer(MemoryBuffer& buffer, SwapUnit unit)
{
    const MemoryBuffer::ChangeBatch batch(buffer);
    UndoStack& undo = buffer.Undo();
    undo.BeginGroup();
    switch (unit) {
    case SwapUnit::Byte:
        for (std::int32_t address = 0; address <= buffer.LastAddress(); ++address) {
            Write(buffer, address, kBitReversal[buffer.GetByte(address)]);
        }
        break;
    case SwapUnit::Word:
        ReverseBlocks<2>(buffer);
        break;
    case SwapUnit::DoubleWord:
        ReverseBlocks<4>(buffer);
        break;
    }
    undo.EndGroup();
}

} // namespace zav
