#include "buffer/memory_buffer.h"

#include <algorithm>
#include <new>

#include "buffer/buffer_observer.h"
#include "buffer/numeric_helpers.h"
#include "shell/message_boxes.h"

namespace zav {

namespace {

constexpr std::size_t kCellCount = static_cast<std::size_t>(MemoryBuffer::kLastAddress) + 1;
constexpr std::uint8_t kFlagsMask = CellState::kUnimplemented | CellState::kReadOnly;

std::size_t Index(std::int32_t address)
{
    return static_cast<std::size_t>(address);
}

} // namespace

MemoryBuffer::MemoryBuffer()
    : bytes_(kCellCount, 0x00), states_(kCellCount, CellState::kInitial),
      notEditedIndex_(IndexFromColour(colours_.notEdited)), editedIndex_(IndexFromColour(colours_.edited)),
      unimplementedIndex_(IndexFromColour(colours_.unimplemented)), undo_(*this), description_(*this)
{
}

MemoryBuffer::~MemoryBuffer() = default;

std::unique_ptr<MemoryBuffer> MemoryBuffer::Create(MessageBoxes& boxes)
{
    try {
        return std::make_unique<MemoryBuffer>();
    } catch (const std::bad_alloc&) {
        boxes.ShowError("Not Enough Memory, close unused Applications");
        return nullptr;
    }
}

std::uint8_t MemoryBuffer::GetByte(std::int32_t address) const
{
    return InRange(address) ? bytes_[Index(address)] : 0;
}

void MemoryBuffer::SetByte(std::int32_t address, std::uint8_t value)
{
    if (!InRange(address)) return;
    const std::size_t index = Index(address);
    const std::uint8_t state = states_[index];
    if (bulkUpdate_) {
        // Inside a bulk update read-only cells take the value and nothing is marked edited.
        if ((state & CellState::kUnimplemented) == 0) bytes_[index] = value;
        return;
    }
    if ((state & kFlagsMask) != 0) return;
    bytes_[index] = value;
    states_[index] = static_cast<std::uint8_t>((state & kFlagsMask) | editedIndex_);
    CellChanged(address);
}

bool MemoryBuffer::IsUnimplemented(std::int32_t address) const
{
    return !InRange(address) || (states_[Index(address)] & CellState::kUnimplemented) != 0;
}

void MemoryBuffer::SetUnimplemented(std::int32_t address, bool flag)
{
    if (!InRange(address)) return;
    std::uint8_t& state = states_[Index(address)];
    // The colour is set while the cell is implemented, since SetCellColour leaves
    // unimplemented cells alone.
    if (flag) {
        if ((state & CellState::kUnimplemented) == 0) {
            state = static_cast<std::uint8_t>((state & kFlagsMask) | unimplementedIndex_);
        }
        state |= CellState::kUnimplemented;
    } else {
        state = static_cast<std::uint8_t>((state & CellState::kReadOnly) | notEditedIndex_);
    }
    if (!bulkUpdate_) CellChanged(address);
}

bool MemoryBuffer::IsReadOnly(std::int32_t address) const
{
    return !InRange(address) || (states_[Index(address)] & CellState::kReadOnly) != 0;
}

void MemoryBuffer::SetReadOnly(std::int32_t address, bool flag)
{
    if (!InRange(address)) return;
    std::uint8_t& state = states_[Index(address)];
    state =
        static_cast<std::uint8_t>(flag ? (state | CellState::kReadOnly) : (state & ~CellState::kReadOnly));
    if (!bulkUpdate_) CellChanged(address);
}

Colour MemoryBuffer::GetCellColour(std::int32_t address) const
{
    if (!InRange(address)) return 0;
    return ColourFromIndex(static_cast<PaletteIndex>(states_[Index(address)] & CellState::kColourMask));
}

void MemoryBuffer::SetCellColour(std::int32_t address, Colour colour)
{
    if (!InRange(address)) return;
    std::uint8_t& state = states_[Index(address)];
    if ((state & CellState::kUnimplemented) != 0) return;
    state = static_cast<std::uint8_t>((state & kFlagsMask) | IndexFromColour(colour));
    if (!bulkUpdate_) CellChanged(address);
}

std::uint8_t MemoryBuffer::GetCellState(std::int32_t address) const
{
    return InRange(address) ? states_[Index(address)] : 0;
}

void MemoryBuffer::SetCellState(std::int32_t address, std::uint8_t state)
{
    if (!InRange(address)) return;
    states_[Index(address)] = state;
    if (!bulkUpdate_) CellChanged(address);
}

void MemoryBuffer::BeginUpdate()
{
    bulkUpdate_ = true;
    undo_.Clear();
}

void MemoryBuffer::EndUpdate()
{
    // Held open while the rows are re-applied, so the observer hears of the whole buffer
    // once, also when no bulk update was open.
    bulkUpdate_ = true;
    RecolourKeepingDescription(false);
    bulkUpdate_ = false;
    if (observer_ != nullptr) {
        observer_->CellsChanged(0, kLastAddress);
        observer_->DescriptionChanged();
    }
}

void MemoryBuffer::ApplyEditorColours(const EditorColours& colours)
{
    colours_ = colours;
    notEditedIndex_ = IndexFromColour(colours.notEdited);
    editedIndex_ = IndexFromColour(colours.edited);
    unimplementedIndex_ = IndexFromColour(colours.unimplemented);
    {
        ChangeBatch batch(*this);
        RecolourKeepingDescription(true);
        // Every cell may have changed colour, even when the re-applied rows touch none.
        CellChanged(0);
        CellChanged(kLastAddress);
    }
}

void MemoryBuffer::RecolourKeepingDescription(bool recolourUnimplemented)
{
    std::vector<CellDescription> rows;
    if (!description_.IsDescriptionEmpty()) rows = description_.CopyRows();

    for (std::uint8_t& state : states_) {
        if ((state & CellState::kUnimplemented) == 0) {
            state = static_cast<std::uint8_t>((state & kFlagsMask) | notEditedIndex_);
        } else if (recolourUnimplemented) {
            state = static_cast<std::uint8_t>((state & kFlagsMask) | unimplementedIndex_);
        }
    }

    if (!rows.empty()) description_.RestoreRows(rows);
}

void MemoryBuffer::SetObserver(BufferObserver* observer)
{
    observer_ = observer;
}

void MemoryBuffer::NotifyCells(std::int32_t first, std::int32_t last)
{
    observer_->CellsChanged(first, last);
}

MemoryBuffer::ChangeBatch::ChangeBatch(MemoryBuffer& buffer) : buffer_(buffer)
{
    if (buffer_.batchDepth_++ == 0) {
        buffer_.batchFirst_ = kLastAddress + 1;
        buffer_.batchLast_ = -1;
    }
}

MemoryBuffer::ChangeBatch::~ChangeBatch()
{
    if (--buffer_.batchDepth_ == 0 && buffer_.batchFirst_ <= buffer_.batchLast_ &&
        buffer_.observer_ != nullptr) {
        buffer_.NotifyCells(buffer_.batchFirst_, buffer_.batchLast_);
    }
}

} // namespace zav
