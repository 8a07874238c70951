#include "buffer/memory_buffer.h"

#include <algorithm>
#include <new>

#include "buffer/buffer_observer.h"
#include "buffer/numeric_helpers.h"
#include "messages/message_boxes.h"

namespace zav {

namespace {

constexpr std::size_t kCellCount = static_cast<std::size_t>(MemoryBuffer::kLastAddress) + 1;

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
    state = static_cast<std::uint8_t>((state & kFlags) | IndexFromColour(colour));
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
    NotifyCells(0, kLastAddress);
    NotifyDescriptionChanged();
}

void MemoryBuffer::MarkSaved()
{
    // An empty bulk update does just that: it empties the undo stack and recolours every
    // implemented cell as not edited.
    BeginUpdate();
    EndUpdate();
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
    const bool described = !description_.IsDescriptionEmpty();
    if (described) description_.CaptureRowCells(rowCells_);

    // Branch-free per cell, so the compiler can work on many cells at once.
    const std::uint8_t notEdited = notEditedIndex_;
    const std::uint8_t unimplemented =
        static_cast<std::uint8_t>(CellState::kUnimplemented | unimplementedIndex_);
    std::uint8_t* const states = states_.data();
    for (std::size_t index = 0; index < kCellCount; ++index) {
        const std::uint8_t state = states[index];
        const std::uint8_t readOnly = state & CellState::kReadOnly;
        std::uint8_t recoloured = static_cast<std::uint8_t>(readOnly | notEdited);
        if ((state & CellState::kUnimplemented) != 0) {
            recoloured = recolourUnimplemented ? static_cast<std::uint8_t>(readOnly | unimplemented) : state;
        }
        states[index] = recoloured;
    }

    if (described) description_.ReapplyRowCells(rowCells_);
}

void MemoryBuffer::AddObserver(BufferObserver& observer)
{
    if (std::find(observers_.begin(), observers_.end(), &observer) == observers_.end()) {
        observers_.push_back(&observer);
    }
}

void MemoryBuffer::RemoveObserver(BufferObserver& observer)
{
    const auto found = std::find(observers_.begin(), observers_.end(), &observer);
    if (found == observers_.end()) return;
    // The notification loop walks the list by index: leave a gap rather than shift it.
    if (notifying_ > 0) {
        *found = nullptr;
    } else {
        observers_.erase(found);
    }
}

template <typename Notify> void MemoryBuffer::ForEachObserver(const Notify& notify)
{
    ++notifying_;
    // By index and re-reading the size: an observer may add or remove observers meanwhile.
    for (std::size_t index = 0; index < observers_.size(); ++index) {
        if (BufferObserver* observer = observers_[index]) notify(*observer);
    }
    if (--notifying_ == 0) std::erase(observers_, nullptr);
}

void MemoryBuffer::NotifyCells(std::int32_t first, std::int32_t last)
{
    ForEachObserver([&](BufferObserver& observer) { observer.CellsChanged(first, last); });
}

void MemoryBuffer::NotifyUndoAvailability(bool available)
{
    ForEachObserver([&](BufferObserver& observer) { observer.UndoAvailabilityChanged(available); });
}

void MemoryBuffer::NotifyDescriptionChanged()
{
    ForEachObserver([](BufferObserver& observer) { observer.DescriptionChanged(); });
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
    if (--buffer_.batchDepth_ == 0 && buffer_.batchFirst_ <= buffer_.batchLast_) {
        buffer_.NotifyCells(buffer_.batchFirst_, buffer_.batchLast_);
    }
}

} // namespace zav
