#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "buffer/buffer_observer.h"

namespace zav::testing {

// Records what the buffer tells its window.
class RecordingObserver : public BufferObserver {
public:
    void CellsChanged(std::int32_t first, std::int32_t last) override { cells.emplace_back(first, last); }
    void UndoAvailabilityChanged(bool available) override { undo.push_back(available); }
    void DescriptionChanged() override { ++descriptionChanges; }

    std::vector<std::pair<std::int32_t, std::int32_t>> cells;
    std::vector<bool> undo;
    int descriptionChanges = 0;
};

} // namespace zav::testing
