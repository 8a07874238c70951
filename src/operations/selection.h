#pragma once

#include <cstdint>

#include "buffer/numeric_helpers.h"

namespace zav {

// The editor's rectangular block of hex-grid cells: consecutive rows and, within each, the
// same consecutive columns (columns 1-16 hold the bytes). Cells are taken row by row from
// the top, left to right within a row.
class Selection {
public:
    static constexpr int kFirstColumn = 1;
    static constexpr int kLastColumn = 16;
    static constexpr int kLastRow = 4095;

    // A single cell; out-of-range addresses are clamped to the buffer.
    [[nodiscard]] static Selection OfAddress(std::int32_t address);
    // The block whose opposite corners are the two cells, in either order.
    [[nodiscard]] static Selection Spanning(int column1, int row1, int column2, int row2);
    [[nodiscard]] static Selection All();

    [[nodiscard]] int Left() const { return left_; }
    [[nodiscard]] int Top() const { return top_; }
    [[nodiscard]] int Right() const { return right_; }
    [[nodiscard]] int Bottom() const { return bottom_; }
    [[nodiscard]] int ColumnCount() const { return right_ - left_ + 1; }
    [[nodiscard]] int RowCount() const { return bottom_ - top_ + 1; }
    [[nodiscard]] int CellCount() const { return ColumnCount() * RowCount(); }

    // More than one cell: the dialogs then work on the block instead of a typed range.
    [[nodiscard]] bool HasSelection() const { return CellCount() > 1; }
    [[nodiscard]] std::int32_t TopLeftAddress() const { return HexCellAddress(left_, top_); }
    [[nodiscard]] std::int32_t BottomRightAddress() const { return HexCellAddress(right_, bottom_); }
    // In one of the selected rows and one of the selected columns.
    [[nodiscard]] bool Contains(std::int32_t address) const;

    // Calls visit(address) for every cell in selection order.
    template <typename Visit> void ForEachAddress(Visit&& visit) const
    {
        for (int row = top_; row <= bottom_; ++row) {
            for (int column = left_; column <= right_; ++column) visit(HexCellAddress(column, row));
        }
    }

    bool operator==(const Selection&) const = default;

private:
    Selection(int left, int top, int right, int bottom);

    int left_;
    int top_;
    int right_;
    int bottom_;
};

} // namespace zav
