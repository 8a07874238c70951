#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "buffer/cell_state.h"
#include "buffer/colour.h"
#include "buffer/description.h"
#include "buffer/undo_stack.h"

namespace zav {

class BufferObserver;
class MessageBoxes;

// The 64 KiB image of a device's memory: one value and one CellState byte per address,
// with the undo stack of the edits and the description whose rows keep their cells'
// colour and access across bulk updates. Every operation takes any 32-bit address;
// out-of-range reads give 0 (true for the two flag queries) and writes do nothing.
class MemoryBuffer {
public:
    static constexpr std::int32_t kLastAddress = 0xFFFF;

    MemoryBuffer();
    MemoryBuffer(const MemoryBuffer&) = delete;
    MemoryBuffer& operator=(const MemoryBuffer&) = delete;
    ~MemoryBuffer();

    // Allocates a buffer; on failure shows "Not Enough Memory, close unused Applications"
    // and returns null.
    [[nodiscard]] static std::unique_ptr<MemoryBuffer> Create(MessageBoxes& boxes);

    [[nodiscard]] std::int32_t LastAddress() const { return kLastAddress; }

    [[nodiscard]] std::uint8_t GetByte(std::int32_t address) const;
    // Refused (silently) when out of range, read-only outside a bulk update, or unimplemented.
    // Outside a bulk update a stored byte is coloured HE_EDIT_COLOR.
    void SetByte(std::int32_t address, std::uint8_t value);

    [[nodiscard]] bool IsUnimplemented(std::int32_t address) const;
    void SetUnimplemented(std::int32_t address, bool flag);
    [[nodiscard]] bool IsReadOnly(std::int32_t address) const;
    void SetReadOnly(std::int32_t address, bool flag);
    [[nodiscard]] Colour GetCellColour(std::int32_t address) const;
    // Ignored for unimplemented cells; the colour is reduced to its palette levels.
    void SetCellColour(std::int32_t address, Colour colour);
    [[nodiscard]] std::uint8_t GetCellState(std::int32_t address) const;
    void SetCellState(std::int32_t address, std::uint8_t state);

    // Bulk updates do not nest: a second BeginUpdate only empties the undo stack again.
    void BeginUpdate();
    // Recolours implemented cells HE_NOFIX_COLOR and re-applies the description rows.
    void EndUpdate();
    [[nodiscard]] bool InBulkUpdate() const { return bulkUpdate_; }
    // The buffer was written out as it is: the undo history and the edited marks go, so what
    // was saved is the new unedited state, and the observers hear of the whole buffer.
    void MarkSaved();

    // A bulk update for as long as it lives: begun on construction, ended (cells recoloured,
    // rows re-applied, observers told once) on every path out of the scope.
    class BulkUpdate {
    public:
        explicit BulkUpdate(MemoryBuffer& buffer) : buffer_(buffer) { buffer_.BeginUpdate(); }
        BulkUpdate(const BulkUpdate&) = delete;
        BulkUpdate& operator=(const BulkUpdate&) = delete;
        ~BulkUpdate() { buffer_.EndUpdate(); }

    private:
        MemoryBuffer& buffer_;
    };

    [[nodiscard]] const EditorColours& Colours() const { return colours_; }
    // An options change: stores the colours, recolours every cell by its kind (edited marks
    // are lost) and re-applies the description rows.
    void ApplyEditorColours(const EditorColours& colours);

    [[nodiscard]] UndoStack& Undo() { return undo_; }
    [[nodiscard]] const UndoStack& Undo() const { return undo_; }
    [[nodiscard]] Description& Descriptions() { return description_; }
    [[nodiscard]] const Description& Descriptions() const { return description_; }

    // Observers (the editor, the description window, the Undo action) hear of every change
    // in the order they were added. Adding one twice has no effect; an observer may remove
    // itself or another while it is being notified.
    void AddObserver(BufferObserver& observer);
    void RemoveObserver(BufferObserver& observer);
    // What the undo stack and the description report through the buffer's observers.
    void NotifyUndoAvailability(bool available);
    void NotifyDescriptionChanged();

    // While a ChangeBatch lives, cell changes outside bulk updates are collected and reported
    // to the observer once, as one range, when the outermost batch ends. An action that
    // touches many cells (undo, fill, paste) thus repaints once instead of per cell.
    class ChangeBatch {
    public:
        explicit ChangeBatch(MemoryBuffer& buffer);
        ChangeBatch(const ChangeBatch&) = delete;
        ChangeBatch& operator=(const ChangeBatch&) = delete;
        ~ChangeBatch();

    private:
        MemoryBuffer& buffer_;
    };

private:
    friend class UndoStack;
    static constexpr std::uint8_t kFlags = CellState::kUnimplemented | CellState::kReadOnly;

    static bool InRange(std::int32_t address)
    {
        return static_cast<std::uint32_t>(address) <= static_cast<std::uint32_t>(kLastAddress);
    }
    // Reports a changed cell now, or collects it while a batch is open.
    void CellChanged(std::int32_t address)
    {
        if (batchDepth_ > 0) {
            if (address < batchFirst_) batchFirst_ = address;
            if (address > batchLast_) batchLast_ = address;
        } else if (!observers_.empty()) {
            NotifyCells(address, address);
        }
    }
    void NotifyCells(std::int32_t first, std::int32_t last);
    template <typename Notify> void ForEachObserver(const Notify& notify);
    // Sets every cell's colour by its kind, keeping the description rows' colours and access.
    void RecolourKeepingDescription(bool recolourUnimplemented);

    std::vector<std::uint8_t> bytes_;
    std::vector<std::uint8_t> states_;
    bool bulkUpdate_ = false;
    EditorColours colours_;
    // The palette indices of the three colours written into cell states.
    std::uint8_t notEditedIndex_ = 0;
    std::uint8_t editedIndex_ = 0;
    std::uint8_t unimplementedIndex_ = 0;
    // Null entries are observers removed during a notification, dropped once it ends.
    std::vector<BufferObserver*> observers_;
    int notifying_ = 0;
    int batchDepth_ = 0;
    std::int32_t batchFirst_ = 0;
    std::int32_t batchLast_ = -1;
    // Kept between bulk updates so re-applying the description allocates nothing.
    std::vector<Description::RowCell> rowCells_;
    UndoStack undo_;
    Description description_;
};

// The per-cell operations are defined here so that loops over the whole buffer inline them.
// Byte stores may alias anything, so the arrays are read into locals before storing.

inline std::uint8_t MemoryBuffer::GetByte(std::int32_t address) const
{
    return InRange(address) ? bytes_[static_cast<std::size_t>(address)] : 0;
}

inline void MemoryBuffer::SetByte(std::int32_t address, std::uint8_t value)
{
    if (!InRange(address)) return;
    const auto index = static_cast<std::size_t>(address);
    std::uint8_t* const states = states_.data();
    const std::uint8_t state = states[index];
    if (bulkUpdate_) {
        // Inside a bulk update read-only cells take the value and nothing is marked edited.
        if ((state & CellState::kUnimplemented) == 0) bytes_[index] = value;
        return;
    }
    if ((state & kFlags) != 0) return;
    const std::uint8_t edited = editedIndex_;
    bytes_[index] = value;
    states[index] = edited;
    CellChanged(address);
}

inline bool MemoryBuffer::IsUnimplemented(std::int32_t address) const
{
    return !InRange(address) || (states_[static_cast<std::size_t>(address)] & CellState::kUnimplemented) != 0;
}

inline void MemoryBuffer::SetUnimplemented(std::int32_t address, bool flag)
{
    if (!InRange(address)) return;
    std::uint8_t& state = states_[static_cast<std::size_t>(address)];
    // The colour is set while the cell is implemented, since SetCellColour leaves
    // unimplemented cells alone.
    if (flag) {
        if ((state & CellState::kUnimplemented) == 0) {
            state = static_cast<std::uint8_t>((state & kFlags) | unimplementedIndex_);
        }
        state |= CellState::kUnimplemented;
    } else {
        state = static_cast<std::uint8_t>((state & CellState::kReadOnly) | notEditedIndex_);
    }
    if (!bulkUpdate_) CellChanged(address);
}

inline bool MemoryBuffer::IsReadOnly(std::int32_t address) const
{
    return !InRange(address) || (states_[static_cast<std::size_t>(address)] & CellState::kReadOnly) != 0;
}

inline void MemoryBuffer::SetReadOnly(std::int32_t address, bool flag)
{
    if (!InRange(address)) return;
    std::uint8_t& state = states_[static_cast<std::size_t>(address)];
    state =
        static_cast<std::uint8_t>(flag ? (state | CellState::kReadOnly) : (state & ~CellState::kReadOnly));
    if (!bulkUpdate_) CellChanged(address);
}

inline std::uint8_t MemoryBuffer::GetCellState(std::int32_t address) const
{
    return InRange(address) ? states_[static_cast<std::size_t>(address)] : 0;
}

inline void MemoryBuffer::SetCellState(std::int32_t address, std::uint8_t state)
{
    if (!InRange(address)) return;
    states_[static_cast<std::size_t>(address)] = state;
    if (!bulkUpdate_) CellChanged(address);
}

} // namespace zav
