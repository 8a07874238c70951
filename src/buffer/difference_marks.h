#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "buffer/cell_difference.h"

namespace zav {

// Where the marks' other values come from: the part, as the last verify read it, or a file
// compared with the buffer.
enum class DifferenceSource { Verify, File };

// The cells the last verify or file comparison found different, in address order, as the
// editor marks them and steps through them. Edits take single marks away; a new device, a
// read or program sequence or another comparison takes all.
class DifferenceMarks {
public:
    // Replaces the marks; `differences` in any order, one per address. `fileName` names the
    // file a comparison was made with.
    void Set(std::vector<CellDifference> differences, DifferenceSource source = DifferenceSource::Verify,
             std::string fileName = {});
    void Clear()
    {
        marks_.clear();
        bufferValues_.clear();
    }
    [[nodiscard]] DifferenceSource Source() const { return source_; }
    // "device" or "file": the other side of each mark, as its lines name it.
    [[nodiscard]] std::string_view OtherSide() const
    {
        return source_ == DifferenceSource::Verify ? "device" : "file";
    }
    // The file a comparison was made with, as the file system names it.
    [[nodiscard]] const std::string& FileName() const { return fileName_; }
    // How many marks there are and where the first is; a verify's plainly says when it found
    // none.
    [[nodiscard]] std::string Summary() const;
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
    DifferenceSource source_ = DifferenceSource::Verify;
    std::string fileName_;
    // The buffer's value of each mark when it was set, in the marks' order.
    std::vector<std::uint8_t> bufferValues_;
};

} // namespace zav
