#pragma once

#include <cstdint>

namespace zav {

// How the windows learn that the buffer changed, without the core knowing any window.
// Every method has an empty default so an observer overrides only what it paints.
class BufferObserver {
public:
    virtual ~BufferObserver() = default;
    // Cells first..last (inclusive) changed value or state. A bulk update reports once,
    // at its end, for the whole buffer.
    virtual void CellsChanged(std::int32_t first, std::int32_t last) { (void)first, (void)last; }
    // The undo stack went from empty to not empty or back (the editor's Undo action).
    virtual void UndoAvailabilityChanged(bool available) { (void)available; }
    // Names, notes or rows of the description changed.
    virtual void DescriptionChanged() {}
};

} // namespace zav
