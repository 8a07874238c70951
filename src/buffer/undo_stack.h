#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace zav {

class MemoryBuffer;

// Records the old value and state of every cell an editing action touches, one group per
// action, so Undo restores the buffer an action at a time, newest first. What Undo takes back
// is kept for Redo, one step per undone action, until the next edit records a group.
// Holds at most kCapacity entries and kCapacity groups.
class UndoStack {
public:
    static constexpr int kCapacity = 65536;

    explicit UndoStack(MemoryBuffer& buffer);
    UndoStack(const UndoStack&) = delete;
    UndoStack& operator=(const UndoStack&) = delete;

    void BeginGroup();
    // Records the cell's current value and state; call before changing the cell.
    void Push(std::int32_t address)
    {
        // The common case inline: an open group with room, Undo already enabled.
        if (static_cast<std::uint32_t>(address) > lastAddress_ || !groupOpen_ || groupOverflowed_ ||
            entryCount_ == kCapacity || !available_) {
            PushRare(address);
            return;
        }
        Record(address);
    }
    void EndGroup();
    // Restores the most recent group; returns the first cell the action touched
    // (-1 when there was nothing to undo).
    std::int32_t Undo();
    [[nodiscard]] bool IsEmpty() const;
    // Writes again what the newest Undo took back, as one undoable group; returns the first
    // cell it touches (-1 when there is nothing to redo).
    std::int32_t Redo();
    [[nodiscard]] bool IsRedoEmpty() const { return redoGroups_.empty(); }
    // Empties both histories: a bulk update replaced the cells they refer to.
    void Clear();

    [[nodiscard]] int EntryCount() const;
    [[nodiscard]] int GroupCount() const;
    // Whether the editor's Undo action is enabled: from the first Push until the stack is
    // emptied again.
    [[nodiscard]] bool IsUndoAvailable() const { return available_; }

private:
    void PushRare(std::int32_t address);
    void Record(std::int32_t address)
    {
        const auto index = static_cast<std::size_t>(address);
        entries_[static_cast<std::size_t>(static_cast<std::uint32_t>(entryBase_ + entryCount_) & kRingMask)] =
            static_cast<std::uint32_t>(index) << 16 | static_cast<std::uint32_t>(states_[index]) << 8 |
            values_[index];
        ++entryCount_;
    }
    void DropOldestGroup();
    void DiscardAll();
    void SetAvailable(bool available);

    // One cell as Undo found it before restoring it: address, state and value, packed as the
    // undo entries are.
    using RedoGroup = std::vector<std::uint32_t>;

    static constexpr std::uint32_t kRingMask = kCapacity - 1;
    static_assert((kCapacity & kRingMask) == 0, "the rings index by masking");

    MemoryBuffer& buffer_;
    // The buffer's arrays, read directly on every Push; they never move.
    const std::uint8_t* values_ = nullptr;
    const std::uint8_t* states_ = nullptr;
    std::uint32_t lastAddress_ = 0;
    // Rings of kCapacity slots: the oldest entry and group sit at entryBase_ and groupBase_.
    // A slot is read only after it is written, so they are left unfilled: their half a
    // megabyte takes memory page by page as actions are recorded, not at every start.
    std::unique_ptr<std::uint32_t[]> entries_;
    std::unique_ptr<std::int32_t[]> groupSizes_;
    int entryBase_ = 0;
    int groupBase_ = 0;
    int entryCount_ = 0;
    int groupCount_ = 0;
    int groupStart_ = 0;
    bool groupOpen_ = false;
    // The open group outgrew the stack; its further cells are not recorded.
    bool groupOverflowed_ = false;
    bool available_ = false;
    // Newest last; emptied when an edit (not a redo) closes a group.
    std::vector<RedoGroup> redoGroups_;
    bool redoing_ = false;
};

} // namespace zav
