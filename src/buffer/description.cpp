#include "buffer/description.h"

#include <algorithm>
#include <optional>

#include "buffer/memory_buffer.h"
#include "buffer/numeric_helpers.h"

namespace zav {

namespace {

constexpr const char* kEmptyAddressText = "0x0000";

} // namespace

Description::Description(MemoryBuffer& buffer) : buffer_(buffer), rows_(1) {}

void Description::SetProjectName(const std::string& name)
{
    projectName_ = name;
    Changed();
}

void Description::SetDeviceName(const std::string& name)
{
    deviceName_ = name;
    Changed();
}

void Description::SetNotes(const std::string& notes)
{
    notes_ = notes;
    Changed();
}

std::string Description::EditorCaption() const
{
    return projectName_ + " " + deviceName_;
}

int Description::GetDescriptionRowCount() const
{
    return static_cast<int>(rows_.size());
}

void Description::SetDescriptionRowCount(int count)
{
    if (count < 1) count = 1;
    if (count > kMaxRows) count = kMaxRows;
    rows_.resize(static_cast<std::size_t>(count));
    Changed();
}

CellDescription Description::GetDescriptionRow(int row) const
{
    if (!HasRow(row)) return {};
    const Row& stored = rows_[static_cast<std::size_t>(row)];
    CellDescription description;
    description.address = stored.address;
    description.colourIndex = IndexFromColour(buffer_.GetCellColour(description.address));
    description.readOnly = buffer_.IsReadOnly(description.address);
    description.note = stored.note;
    return description;
}

void Description::SetDescriptionRow(int row, std::int32_t address, std::uint32_t colourIndex, bool readOnly,
                                    const std::string& note)
{
    if (row < 0) return;
    if (row != 0) AddRow();
    if (row >= static_cast<int>(rows_.size()) && row < kMaxRows) {
        rows_.resize(static_cast<std::size_t>(row) + 1);
    }
    if (HasRow(row)) {
        Row& stored = rows_[static_cast<std::size_t>(row)];
        stored.addressText = AddressText(address);
        stored.address = address;
        stored.note = note;
    }
    buffer_.SetReadOnly(address, readOnly);
    buffer_.SetCellColour(address, ColourFromIndex(static_cast<PaletteIndex>(colourIndex & 0x3Fu)));
    Changed();
}

bool Description::IsDescriptionEmpty() const
{
    return rows_.size() == 1 && rows_.front().addressText == kEmptyAddressText &&
           rows_.front().note.empty() && !buffer_.IsReadOnly(0);
}

void Description::ClearDescription()
{
    rows_.assign(1, Row{});
    projectName_.clear();
    deviceName_.clear();
    notes_.clear();
    Changed();
}

void Description::AddRow()
{
    if (static_cast<int>(rows_.size()) >= kMaxRows) return;
    rows_.emplace_back();
    Changed();
}

void Description::DeleteRow()
{
    if (rows_.size() > 1) rows_.pop_back();
    Changed();
}

void Description::CaptureRowCells(std::vector<RowCell>& cells) const
{
    cells.clear();
    for (const Row& row : rows_) {
        cells.push_back({row.address, IndexFromColour(buffer_.GetCellColour(row.address)),
                         buffer_.IsReadOnly(row.address)});
    }
}

void Description::ReapplyRowCells(const std::vector<RowCell>& cells)
{
    rows_.resize(std::max<std::size_t>(cells.size(), 1));
    for (std::size_t row = 0; row < cells.size(); ++row) {
        const RowCell& cell = cells[row];
        Row& stored = rows_[row];
        stored.addressText = AddressText(cell.address);
        stored.address = cell.address;
        buffer_.SetReadOnly(cell.address, cell.readOnly);
        buffer_.SetCellColour(cell.address, ColourFromIndex(cell.colourIndex));
    }
    Changed();
}

std::string Description::RowAddressText(int row) const
{
    return HasRow(row) ? rows_[static_cast<std::size_t>(row)].addressText : std::string();
}

std::string Description::RowNote(int row) const
{
    return HasRow(row) ? rows_[static_cast<std::size_t>(row)].note : std::string();
}

bool Description::SetRowAddressText(int row, const std::string& text)
{
    const std::optional<std::int32_t> address = StringToInt(text);
    if (!HasRow(row) || !address) return false;
    Row& stored = rows_[static_cast<std::size_t>(row)];
    stored.addressText = text;
    stored.address = *address;
    Changed();
    return true;
}

void Description::SetRowNote(int row, const std::string& note)
{
    if (!HasRow(row)) return;
    rows_[static_cast<std::size_t>(row)].note = note;
    Changed();
}

void Description::Changed()
{
    if (buffer_.InBulkUpdate()) return;
    buffer_.NotifyDescriptionChanged();
}

std::string NotCarriedByFilesText(const std::string& characters)
{
    return "The files keep names, notes and comments as Latin-1 (ISO 8859-1) text: \"" + characters +
           "\" cannot be stored and was left out.";
}

} // namespace zav
