#include "operations/selection.h"

#include <algorithm>

namespace zav {

namespace {

int ClampColumn(int column)
{
    return std::clamp(column, Selection::kFirstColumn, Selection::kLastColumn);
}

int ClampRow(int row)
{
    return std::clamp(row, 0, Selection::kLastRow);
}

} // namespace

Selection::Selection(int left, int top, int right, int bottom)
    : left_(left), top_(top), right_(right), bottom_(bottom)
{
}

Selection Selection::OfAddress(std::int32_t address)
{
    int row = 0;
    const int column = HexCellOfAddress(std::clamp(address, 0, HexCellAddress(kLastColumn, kLastRow)), row);
    return Selection(column, row, column, row);
}

Selection Selection::Spanning(int column1, int row1, int column2, int row2)
{
    column1 = ClampColumn(column1);
    column2 = ClampColumn(column2);
    row1 = ClampRow(row1);
    row2 = ClampRow(row2);
    return Selection(std::min(column1, column2), std::min(row1, row2), std::max(column1, column2),
                     std::max(row1, row2));
}

Selection Selection::All()
{
    return Selection(kFirstColumn, 0, kLastColumn, kLastRow);
}

bool Selection::Contains(std::int32_t address) const
{
    if (address < TopLeftAddress() || address > BottomRightAddress()) return false;
    int row = 0;
    const int column = HexCellOfAddress(address, row);
    return column >= left_ && column <= right_ && row >= top_ && row <= bottom_;
}

} // namespace zav
