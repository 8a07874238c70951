#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "buffer/cell_difference.h"

namespace zav {

// The cells the last verify found different, in address order, as the editor marks them and
// steps through them. Edits take single marks away; a new device or sequence takes all.
class DifferenceMarks {
public:
    // Replaces the marks; `differences` in any order, one per address.
    void Set(std::vector<CellDifference> differences);
    void Clear()
    {
        marks_.clear();
        bufferValues_.clear();
    }
    // The cell was edited: its device value no longer says anything about the buffer's.
    // Returns whether it was marked.
    bool Remove(std::int32_t address);
    // Cells first..last were reported changed: the marks whose buffer value is no longer the
    // one `Remember` saw go (a recolouring leaves them). Returns whether any went.
    using BufferValue = std::function<std::uint8_t(std::int32_t)>;
    void Remember(const BufferValue& value);
    bool DropEdited(std::int32_t first, std::int32_t last, const BufferValue& value);

    [[nodiscard]] std::optional<CellDifference> Find(std::int32_t address) const;
    // The marks of cells first..last, in address order.
    [[nodiscard]] std::span<const CellDifference> Within(std::int32_t first, std::int32_t last) const;
    // The nearest marked address after (before) `address`, wrapping round at the ends as
    // a search does; none without marks.
    [[nodiscard]] std::optional<std::int32_t> Next(std::int32_t address) const;
    [[nodiscard]] std::optional<std::int32_t> Previous(std::int32_t address) const;

    [[nodiscard]] bool Empty() const { return marks_.empty(); }
    [[nodiscard]] const std::vector<CellDifference>& All() const { return marks_; }

private:
    std::vector<CellDifference> marks_;
    // The buffer's value of each mark when it was set, in the marks' order.
    std::vector<std::uint8_t> bufferValues_;
};

} // namespace zav
