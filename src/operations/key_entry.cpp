#include "operations/key_entry.h"

#include <cstdint>

#include "buffer/memory_buffer.h"
#include "operations/editor_cursor.h"

namespace zav {

namespace {

int DigitValue(char key)
{
    if (key >= '0' && key <= '9') return key - '0';
    if (key >= 'A' && key <= 'F') return key - 'A' + 10;
    if (key >= 'a' && key <= 'f') return key - 'a' + 10;
    return -1;
}

void StoreAsOneStep(MemoryBuffer& buffer, std::int32_t address, std::uint8_t value)
{
    UndoStack& undo = buffer.Undo();
    undo.BeginGroup();
    undo.Push(address);
    undo.EndGroup();
    buffer.SetByte(address, value);
}

} // namespace

HexKeyOutcome KeyEntry::TypeHexKey(char key, MemoryBuffer& buffer, EditorCursor& cursor)
{
    const int digit = DigitValue(key);
    if (digit < 0) return HexKeyOutcome::NotADigit;

    secondDigitPending_ = !secondDigitPending_;
    const std::int32_t address = cursor.Address();
    const std::uint8_t old = buffer.GetByte(address);
    if (secondDigitPending_) {
        StoreAsOneStep(buffer, address, static_cast<std::uint8_t>(digit * 16 + (old & 0x0F)));
        return HexKeyOutcome::FirstDigit;
    }
    StoreAsOneStep(buffer, address, static_cast<std::uint8_t>((old & 0xF0) + digit));
    cursor.StepAfterEntry();
    return HexKeyOutcome::SecondDigit;
}

void KeyEntry::TypeCharKey(char key, MemoryBuffer& buffer, EditorCursor& cursor)
{
    StoreAsOneStep(buffer, cursor.Address(), static_cast<std::uint8_t>(key));
    cursor.StepAfterEntry();
}

} // namespace zav
