#include "operations/fill.h"

#include "buffer/memory_buffer.h"
#include "operations/selection.h"

namespace zav {

namespace {

void FillCell(MemoryBuffer& buffer, std::int32_t address, std::uint8_t value)
{
    buffer.Undo().Push(address);
    buffer.SetByte(address, value);
}

} // namespace

std::int32_t FillRange(MemoryBuffer& buffer, AddressRange range, std::uint8_t value)
{
    const MemoryBuffer::ChangeBatch batch(buffer);
    UndoStack& undo = buffer.Undo();
    undo.BeginGroup();
    for (std::int32_t address = range.first; address <= range.last; ++address)
        FillCell(buffer, address, value);
    undo.EndGroup();
    return range.last;
}

std::int32_t FillSelection(MemoryBuffer& buffer, const Selection& selection, std::uint8_t value)
{
    const MemoryBuffer::ChangeBatch batch(buffer);
    UndoStack& undo = buffer.Undo();
    undo.BeginGroup();
    selection.ForEachAddress([&](std::int32_t address) { FillCell(buffer, address, value); });
    undo.EndGroup();
    return selection.BottomRightAddress();
}

} // namespace zav
