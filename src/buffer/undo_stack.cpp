#include "buffer/undo_stack.h"

#include "buffer/memory_buffer.h"

namespace zav {

namespace {

// Both arrays are rings, so dropping the oldest group when the stack is full costs nothing.
std::size_t RingIndex(int base, int offset)
{
    return static_cast<std::size_t>(static_cast<std::uint32_t>(base + offset) & (UndoStack::kCapacity - 1));
}

} // namespace

UndoStack::UndoStack(MemoryBuffer& buffer)
    : buffer_(buffer), values_(buffer.bytes_.data()), states_(buffer.states_.data()),
      lastAddress_(static_cast<std::uint32_t>(buffer.LastAddress())), entries_(std::make_unique_for_overwrite<std::uint32_t[]>(kCapacity)),
      groupSizes_(std::make_unique_for_overwrite<std::int32_t[]>(kCapacity))
{
}

void UndoStack::BeginGroup()
{
    // A group left open is closed as an action of its own, so no entry is ever orphaned.
    EndGroup();
    groupStart_ = entryCount_;
    groupOpen_ = true;
    groupOverflowed_ = false;
}

void UndoStack::PushRare(std::int32_t address)
{
    if (static_cast<std::uint32_t>(address) > lastAddress_) return;
    if (!groupOpen_) BeginGroup();
    if (groupOverflowed_) return;

    if (entryCount_ == kCapacity) {
        if (groupCount_ == 0) {
            // This action alone touches more cells than the stack holds. Recording it partly
            // would make its undo restore only some cells, and undoing anything older across
            // it would rebuild a buffer that never existed, so nothing is kept.
            DiscardAll();
            groupOverflowed_ = true;
            return;
        }
        DropOldestGroup();
    }

    Record(address);
    SetAvailable(true);
}

void UndoStack::EndGroup()
{
    if (!groupOpen_) return;
    groupOpen_ = false;
    const int size = entryCount_ - groupStart_;
    if (size == 0) return;
    // A new edit branches off the undone history, which can no longer be redone.
    if (!redoing_) redoGroups_.clear();
    if (groupCount_ == kCapacity) DropOldestGroup();
    groupSizes_[RingIndex(groupBase_, groupCount_)] = size;
    ++groupCount_;
}

std::int32_t UndoStack::Undo()
{
    EndGroup();
    if (groupCount_ == 0) return -1;

    MemoryBuffer::ChangeBatch batch(buffer_);
    --groupCount_;
    const std::size_t group = RingIndex(groupBase_, groupCount_);
    std::int32_t address = -1;
    RedoGroup redo;
    redo.reserve(static_cast<std::size_t>(groupSizes_[group]));
    // Newest first; the old state goes back after the value, because writing the value
    // marks the cell as edited.
    while (groupSizes_[group] > 0) {
        --groupSizes_[group];
        --entryCount_;
        const std::uint32_t entry = entries_[RingIndex(entryBase_, entryCount_)];
        address = static_cast<std::int32_t>(entry >> 16);
        redo.push_back(static_cast<std::uint32_t>(address) << 16 |
                       static_cast<std::uint32_t>(buffer_.GetCellState(address)) << 8 | buffer_.GetByte(address));
        buffer_.SetByte(address, static_cast<std::uint8_t>(entry & 0xFFu));
        buffer_.SetCellState(address, static_cast<std::uint8_t>((entry >> 8) & 0xFFu));
    }
    redoGroups_.push_back(std::move(redo));
    groupStart_ = entryCount_;
    if (groupCount_ == 0 && entryCount_ == 0) SetAvailable(false);
    return address;
}

std::int32_t UndoStack::Redo()
{
    EndGroup();
    if (redoGroups_.empty()) return -1;

    const RedoGroup redo = std::move(redoGroups_.back());
    redoGroups_.pop_back();
    MemoryBuffer::ChangeBatch batch(buffer_);
    redoing_ = true;
    BeginGroup();
    // Undo collected the cells newest first, so walking back replays the action in its own
    // order. Each cell gets back exactly the value and state it had: the flags are lifted
    // for the write and restored with the state, as a cell refused then is unchanged anyway.
    for (auto entry = redo.rbegin(); entry != redo.rend(); ++entry) {
        const auto address = static_cast<std::int32_t>(*entry >> 16);
        Push(address);
        buffer_.SetCellState(address, 0);
        buffer_.SetByte(address, static_cast<std::uint8_t>(*entry & 0xFFu));
        buffer_.SetCellState(address, static_cast<std::uint8_t>((*entry >> 8) & 0xFFu));
    }
    EndGroup();
    redoing_ = false;
    return static_cast<std::int32_t>(redo.back() >> 16);
}

bool UndoStack::IsEmpty() const
{
    return groupCount_ == 0;
}

void UndoStack::Clear()
{
    DiscardAll();
    redoGroups_.clear();
    groupOpen_ = false;
    groupOverflowed_ = false;
}

int UndoStack::EntryCount() const
{
    return entryCount_;
}

int UndoStack::GroupCount() const
{
    return groupCount_;
}

void UndoStack::DropOldestGroup()
{
    const int size = groupSizes_[static_cast<std::size_t>(groupBase_)];
    groupBase_ = static_cast<int>(RingIndex(groupBase_, 1));
    --groupCount_;
    entryBase_ = static_cast<int>(RingIndex(entryBase_, size));
    entryCount_ -= size;
    groupStart_ -= size;
}

void UndoStack::DiscardAll()
{
    entryCount_ = 0;
    groupCount_ = 0;
    groupStart_ = 0;
    entryBase_ = 0;
    groupBase_ = 0;
    SetAvailable(false);
}

void UndoStack::SetAvailable(bool available)
{
    if (available_ == available) return;
    available_ = available;
    buffer_.NotifyUndoAvailability(available);
}

} // namespace zav
